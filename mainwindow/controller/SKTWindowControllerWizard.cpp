// The start of every project: the invitation wizard, the first design it
// lays out, and the Card menu's size and template windows.

#include "mainwindow/controller/SKTWindowController.h"

#include "editor/canvas/SKTGraphicView.h"
#include "editor/model/SKTDocument.h"
#include "editor/model/SKTText.h"
#include "editor/model/TextDrawing.h"
#include "mainwindow/controller/Card_Wizard.h"
#include "mainwindow/controller/Invitation_Wizard.h"
#include "mainwindow/controller/MainWindowFrame.h"
#include "mainwindow/controller/SideCanvases.h"
#include "mainwindow/controller/Template_Wizard.h"
#include "mainwindow/controller/WizardGlobals.h"
#include "platform/Hooks.h"
#include "ui_CardSettingPage.h"
#include "ui_DrawWindow.h"
#include "widgets/DialogOwner.h"
#include "widgets/RadioMatrix.h"

#include <QAction>
#include <algorithm>
#include <vector>

namespace {

// Margin left and right of every placed text, and where the first starts.
constexpr double kSideMargin = 20.0;
constexpr double kGreetingX = 30.0;
constexpr double kFirstY = 40.0;
// Texts of a column shrunk to a small card get no smaller than this.
constexpr double kSmallestFontSize = 6.0;

// A text of a column too tall for its card, with its full-size frame height
// and the gap below it.
struct ShrinkingText {
    SKTText* text;
    double x;
    double height;
    double gap;
};

// Where each text of a shrunk column goes, and at what font size.
struct ShrunkColumn {
    std::vector<double> tops;
    std::vector<double> heights;
    std::vector<double> fontSizes;
    double end = 0;
};

TextDrawing::Style styleOf(const SKTText& text, double fontSize) {
    TextDrawing::Style style;
    style.font = text.Text_Font_value();
    if (fontSize > 0) {
        style.font.setPointSizeF(fontSize);
    }
    style.color = text.Text_Color_Value();
    style.alignment = text.text_alignmnet;
    style.textCase = text.text_transfrom_case;
    style.kerning = text.text_kerning;
    return style;
}

// The font size at a factor of the full column: shrunk alike, but never
// below the smallest size (nor grown when the text's font is smaller).
double fontSizeAt(const SKTText& text, double factor) {
    const double full = text.Text_Font_value().pointSizeF();
    if (full <= kSmallestFontSize) {
        return full;
    }
    return std::max(kSmallestFontSize, full * factor);
}

// The height the text's lines take at that font size in its frame's width.
double linesHeight(const SKTText& text, double fontSize) {
    return TextDrawing::measure(text.drawnString(), styleOf(text, fontSize), text.bounds().width())
        .height();
}

// The column with every step, frame and font shrunk by the factor, each
// frame made tall enough for its text's lines; the steps below a frame
// that grew move down with it.
ShrunkColumn columnAt(const std::vector<ShrinkingText>& texts, double factor) {
    ShrunkColumn column;
    double y = kFirstY * factor;
    for (const ShrinkingText& item : texts) {
        const double size = fontSizeAt(*item.text, factor);
        const double height = std::max(item.height * factor, linesHeight(*item.text, size));
        column.tops.push_back(y);
        column.heights.push_back(height);
        column.fontSizes.push_back(size);
        column.end = y + height;
        y += height + item.gap * factor;
    }
    return column;
}

// A card too short even for the smallest texts without gaps: the texts are
// stacked from the top edge, and the card's height is shared out a whole
// line at a time, one more line to each text in turn, so short texts stay
// whole and long ones show their first lines. Frames hold whole lines only
// and never overlap, so no letter is cut; a text that gets no line at all
// (a card lower than the column's first lines) keeps an empty frame at the
// end of the stack, on the card, until the card is made larger.
ShrunkColumn packedColumn(const std::vector<ShrinkingText>& texts, double cardHeight) {
    ShrunkColumn column = columnAt(texts, 0.0);
    std::vector<double> line;
    std::vector<double> given(texts.size(), 0.0);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        line.push_back(TextDrawing::measure(QStringLiteral("X"),
                                            styleOf(*texts[i].text, column.fontSizes[i]),
                                            texts[i].text->bounds().width())
                           .height());
    }
    double room = cardHeight;
    for (bool grew = true; grew;) {
        grew = false;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const double more = std::min(line[i], column.heights[i] - given[i]);
            if (more > 1e-9 && room + 1e-9 >= more) {
                given[i] += more;
                room -= more;
                grew = true;
            }
        }
    }
    double y = 0;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        column.tops[i] = y;
        column.heights[i] = given[i];
        y += given[i];
    }
    column.end = y;
    return column;
}

// Fits a column taller than the card: the largest factor (at most the one
// that shrinks the full column to the card's height) at which every text's
// lines fit their frames and the column ends on the card; when even the
// smallest texts without gaps do not fit, the packed column.
ShrunkColumn fittedColumn(const std::vector<ShrinkingText>& texts, double factor,
                          double cardHeight) {
    const auto fits = [cardHeight](const ShrunkColumn& column) {
        return column.end <= cardHeight + 1e-9;
    };
    ShrunkColumn best = columnAt(texts, factor);
    if (fits(best)) {
        return best;
    }
    best = columnAt(texts, 0.0);
    if (!fits(best)) {
        return packedColumn(texts, cardHeight);
    }
    double low = 0.0;
    double high = factor;
    for (int i = 0; i < 40; ++i) {
        const double middle = (low + high) / 2;
        ShrunkColumn column = columnAt(texts, middle);
        if (fits(column)) {
            best = std::move(column);
            low = middle;
        } else {
            high = middle;
        }
    }
    return best;
}

} // namespace

void SKTWindowController::Open_Start_Window() {
    m_ui->Front_back_label->setVisible(false);
    // At start the main window is still hidden and the start window stands
    // alone; a new design later opens it in front of the main window.
    Invitation_Wizard* wizard = Invitation_Wizard::defaultInstance();
    dialogs::ownBy(*wizard, nullptr);
    const int result = wizard->Open_Wnd();
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
    // step, height and font shrinks in proportion (the frames grown to hold
    // their lines), so each text lies whole on the card, within reach; on a
    // card too narrow for the side margins they shrink alike.
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
    std::vector<ShrinkingText> shrinking;
    for (const Line& line : lines) {
        canvas->createGraphicOfClass(QStringLiteral("SKTText"), nullptr, true,
                                     QRectF(line.x * across, y, width, line.height * scale),
                                     QStringLiteral("F"), line.text, line.id);
        y += line.advance * scale;
        if (scale < 1.0) {
            if (auto* text = dynamic_cast<SKTText*>(canvas->Selcect_Ctrl_With_ID(line.id).get())) {
                shrinking.push_back({text, line.x * across, line.height,
                                     std::max(0.0, line.advance - line.height)});
            }
        }
    }
    if (scale < 1.0 && shrinking.size() == lines.size()) {
        // The fonts shrink with the steps, and each frame holds its text's
        // lines whole at the smaller size.
        const ShrunkColumn column = fittedColumn(shrinking, scale, card.height());
        for (std::size_t i = 0; i < shrinking.size(); ++i) {
            SKTText& text = *shrinking[i].text;
            if (text.text_ctrl_font.pointSizeF() > 0) {
                text.text_ctrl_font.setPointSizeF(column.fontSizes[i]);
            }
            text.setBounds(QRectF(shrinking[i].x, column.tops[i], width, column.heights[i]));
        }
    }
    set_Front_BG_Image(Invite_BG_IMG);
}

int SKTWindowController::Card_Size_Clicked() {
    Card_Wizard* wizard = Card_Wizard::defaultInstance();
    dialogs::ownBy(*wizard, m_window.get());
    const int result = wizard->Open_Wnd();
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
    Template_Wizard* wizard = Template_Wizard::defaultInstance();
    dialogs::ownBy(*wizard, m_window.get());
    const int result = wizard->Open_Template_Window();
    if (result == 1) {
        Open_Template_Design(Selected_Template_Path);
    }
    return result;
}

void SKTWindowController::connectWizardCommands() {
    connect(m_ui->Card_Size_action, &QAction::triggered, this, [this] { Card_Size_Clicked(); });
    connect(m_ui->Templates_action, &QAction::triggered, this, [this] { Templates_Clicked(); });
}
