// What start-up asks of subsystems that come later: e-mail settings, share
// links, contact fields and the new project. Each keeps
// the signature its subsystem will fill in.

#include "mainwindow/controller/SKTWindowController.h"

#include "core/FileFunctions.h"
#include "core/globals.h"
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
    // The e-mail settings file comes with the e-mail subsystem; until then
    // there is nothing to copy.
    sender_email.clear();
    sender_pwd.clear();
    sending_server.clear();
    sending_port.clear();
    send_enable_ssl.clear();
}

void SKTWindowController::Open_Share_It_Dl() {
    hooks::openUrl(kShareAddress);
}

void SKTWindowController::Open_Share_It_And_Get_It_Free() {
    hooks::openUrl(kGetItFreeAddress);
}

int SKTWindowController::Open_User_Profile_Window(int mode, const QString& side) {
    // The contact-field dialogs live in their own library; without them
    // nothing is confirmed.
    if (auto open = window_entries::contactFields.get()) {
        return open(mode, side);
    }
    return 0;
}

void SKTWindowController::Fill_User_profile_info_front_side() {}

void SKTWindowController::Fill_User_profile_info_back_side() {}

void SKTWindowController::New_Project() {
    Check_Path_And_Create_Files();
    m_document.Clear_All_Undo_Redo();
    Front_user_profile.Reset_All_Values();
    Back_user_profile.Reset_All_Values();
    Front_card_Prop = Card_Property();
    Back_card_Prop = Card_Property();
    Publish_Page_Records();
    last_ctrl_X = 10;
    last_ctrl_Y = 10;
    QList<int> back;
    for (int i = 0; i < m_document.graphics_back().size(); ++i) {
        back.append(i);
    }
    if (!back.isEmpty()) {
        m_document.removeGraphicsInList(SKTDocumentGraphicsKey_back, back);
    }
    Open_Start_Window();
}
