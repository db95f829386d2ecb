// What start-up asks of other subsystems: contact fields.

#include "mainwindow/controller/SKTWindowController.h"

#include "core/FileFunctions.h"
#include "core/globals.h"
#include "editor/model/ContactFieldState.h"
#include "editor/model/SKTDocument.h"
#include "mainwindow/controller/WindowEntries.h"
#include "ui_CardSettingPage.h"
#include "ui_DrawWindow.h"
#include "widgets/RadioMatrix.h"

#include <QDir>

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
