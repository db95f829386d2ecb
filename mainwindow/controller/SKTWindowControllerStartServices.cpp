// What start-up asks of other subsystems: e-mail settings, share links and
// contact fields.

#include "mainwindow/controller/SKTWindowController.h"

#include "core/FileFunctions.h"
#include "core/globals.h"
#include "editor/model/ContactFieldState.h"
#include "editor/model/SKTDocument.h"
#include "mainwindow/controller/EmailSettings.h"
#include "mainwindow/controller/WindowEntries.h"
#include "platform/Hooks.h"
#include "ui_CardSettingPage.h"
#include "ui_DrawWindow.h"
#include "widgets/RadioMatrix.h"

#include <QDir>
#include <QUrl>

namespace {
const QUrl kShareAddress(QStringLiteral("https://www.example.com/card-editor/share"));
const QUrl kGetItFreeAddress(QStringLiteral("https://www.example.com/card-editor/free"));
} // namespace

void SKTWindowController::Get_Email_Details() {
    // A fresh read of the settings file into the process-wide strings.
    ::Get_Email_Details();
}

void SKTWindowController::Open_Share_It_Dl() {
    hooks::openUrl(kShareAddress);
}

void SKTWindowController::Open_Share_It_And_Get_It_Free() {
    hooks::openUrl(kGetItFreeAddress);
}

int SKTWindowController::Open_User_Profile_Window(int mode, const QString& side) {
    // The contact-field dialogs live in their own library; while their entry
    // is empty the contact-field command is disabled.
    const auto open = window_entries::contactFields.get();
    return open ? open(mode, side) : 0;
}

void SKTWindowController::Fill_User_profile_info_front_side() {
    if (const auto place = window_entries::placeContactFields.get()) {
        place(0);
    }
}

void SKTWindowController::Fill_User_profile_info_back_side() {
    if (const auto place = window_entries::placeContactFields.get()) {
        place(1);
    }
}
