// The start of every project: the invitation wizard, the first design it
// lays out, and the Card menu's size and template windows.

#include "mainwindow/controller/SKTWindowController.h"

#include "editor/canvas/SKTGraphicView.h"
#include "editor/model/SKTDocument.h"
#include "mainwindow/controller/Card_Wizard.h"
#include "mainwindow/controller/Invitation_Wizard.h"
#include "mainwindow/controller/SideCanvases.h"
#include "mainwindow/controller/Template_Wizard.h"
#include "mainwindow/controller/WizardGlobals.h"
#include "platform/Hooks.h"
#include "ui_CardSettingPage.h"
#include "ui_DrawWindow.h"
#include "widgets/RadioMatrix.h"

#include <QAction>
#include <algorithm>
#include <vector>

namespace {

// Margin left and right of every placed text, and where the first starts.
constexpr double kSideMargin = 20.0;
constexpr double kGreetingX = 30.0;
constexpr double kFirstY = 40.0;

} // namespace

void SKTWindowController::Open_Start_Window() {
    m_ui->Front_back_label->setVisible(false);
    const int result = Invitation_Wizard::defaultInstance()->Open_Wnd();
    if (result != 1) {
        hooks::terminate(0);
        return;
    }
    if (Start_Card_Option == QStringLiteral("W")) {
        m_document.Enable_Disable_Undo_Registraion(0);
        Update_Card_Graphics();
        m_ui->myTargetView->setVisible(true);
        m_ui->sett_tab->setVisible(true);
        m_cardSetting->matrix_card_shape->selectCellAtRow(Card_Shape, 0);
        Fill_Party_Invidation_Details();
        Show_RHS_Properties(nullptr);
        m_document.Enable_Disable_Undo_Registraion(1);
    }
}

void SKTWindowController::Fill_Party_Invidation_Details() {
    // The tool is set without its signal, so no "Text here" object is made.
    setSelected_Control_Tool(2);
    auto* canvas = m_canvases ? qobject_cast<SKTGraphicView*>(m_canvases->canvas(0)) : nullptr;
    if (!canvas) {
        return;
    }
    struct Line {
        QString id;
        QString text;
        double x;
        double height;
        double advance;
    };
    std::vector<Line> lines;
    if (!Invite_Title.isEmpty()) {
        lines.push_back({QStringLiteral("PARTY_TITLE"), Invite_Title, kSideMargin, 20, 30});
    }
    if (!Invite_To.isEmpty()) {
        lines.push_back({QStringLiteral("PARTY_TO"),
                         QStringLiteral("Dear ") + Invite_To + QStringLiteral(","), kGreetingX, 20,
                         30});
    }
    if (!Invite_Message.isEmpty()) {
        lines.push_back({QStringLiteral("PARTY_MSG"), Invite_Message, kSideMargin, 60, 70});
    }
    if (!Invite_Date.isEmpty()) {
        QString text = Invite_Date;
        if (!Invite_Time.isEmpty()) {
            text += QStringLiteral(" at ") + Invite_Time;
        }
        lines.push_back({QStringLiteral("PARTY_DATE"), text, kSideMargin, 20, 30});
    } else if (!Invite_Time.isEmpty()) {
        lines.push_back({QStringLiteral("PARTY_TIME"), QStringLiteral("AT ") + Invite_Time,
                         kSideMargin, 20, 30});
    }
    if (!Invite_Venue.isEmpty()) {
        lines.push_back({QStringLiteral("PARTY_VENUE"), QStringLiteral("Venue:\n") + Invite_Venue,
                         kSideMargin, 60, 70});
    }
    if (!Invite_From.isEmpty()) {
        lines.push_back({QStringLiteral("PARTY_FROM"), QStringLiteral("From:\n") + Invite_From,
                         kSideMargin, 40, 0});
    }
    // Where the column ends. On a card too short for it, every vertical
    // step and height shrinks in proportion, so each text still lies on the
    // card, within reach; on a card too narrow for the side margins they
    // shrink alike.
    double y = kFirstY;
    double end = 0;
    for (const Line& line : lines) {
        end = std::max(end, y + line.height);
        y += line.advance;
    }
    const QSizeF card = Front_card_Prop.Card_Size();
    const double scale = end > card.height() && end > 0 ? card.height() / end : 1.0;
    const double across = std::clamp(card.width() / (4 * kSideMargin), 0.0, 1.0);
    const double width = card.width() - 2 * kSideMargin * across;
    y = kFirstY * scale;
    for (const Line& line : lines) {
        canvas->createGraphicOfClass(QStringLiteral("SKTText"), nullptr, true,
                                     QRectF(line.x * across, y, width, line.height * scale),
                                     QStringLiteral("F"), line.text, line.id);
        y += line.advance * scale;
    }
    set_Front_BG_Image(Invite_BG_IMG);
}

int SKTWindowController::Card_Size_Clicked() {
    const int result = Card_Wizard::defaultInstance()->Open_Wnd();
    if (result == 1) {
        // The card inspector shows what the window set, so a later step of
        // its width or height starts from the new size.
        m_cardSetting->matrix_card_shape->selectCellAtRow(Card_Shape, 0);
        Set_Card_Size_In_Control(Card_Wizard::defaultInstance()->chosenSizeMM());
        Update_Card_Graphics();
    }
    return result;
}

int SKTWindowController::Templates_Clicked() {
    const int result = Template_Wizard::defaultInstance()->Open_Template_Window();
    if (result == 1) {
        Open_Template_Design(Selected_Template_Path);
    }
    return result;
}

void SKTWindowController::connectWizardCommands() {
    connect(m_ui->Card_Size_action, &QAction::triggered, this, [this] { Card_Size_Clicked(); });
    connect(m_ui->Templates_action, &QAction::triggered, this, [this] { Templates_Clicked(); });
}
