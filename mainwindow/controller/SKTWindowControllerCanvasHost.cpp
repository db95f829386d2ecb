// What the canvases ask of the main window: the tool's class and the card
// background of the current side.

#include "mainwindow/controller/SKTWindowController.h"

#include "core/globals.h"
#include "editor/render/Card_Base_Drawing.h"
#include "ui_DrawWindow.h"

#include <QPainter>
#include <QToolButton>

namespace {
// The tool buttons in tool-number order.
const char* const kToolButtons[] = {
    "Arrow_Tool",         "Line_Tool",          "Text_Tool",        "Rect_Tool",
    "Circle_Tool",        "Round_Rect_Tool",    "Triangle_Tool",    "Diamond_Tool",
    "Image_Tool",         "Image_Library_Tool", "Barcode_Tool",     "Signature_Tool",
    "Fingure_Print_Tool", "Star_Tool",          "Double_Star_Tool", "Polygon_Tool"};
} // namespace

void SKTWindowController::setSelected_Control_Tool(int tool) {
    m_selectedTool = tool;
    if (!m_ui) {
        return;
    }
    for (int i = 0; i < static_cast<int>(std::size(kToolButtons)); ++i) {
        if (auto* button = m_ui->tools_box->findChild<QToolButton*>(kToolButtons[i])) {
            button->setChecked(i == tool);
        }
    }
}

void SKTWindowController::connectToolButtons() {
    // Choosing a tool adds its object at once; the tool also draws objects
    // by dragging on the canvas until another tool is chosen.
    for (int i = 0; i < static_cast<int>(std::size(kToolButtons)); ++i) {
        if (auto* button = m_ui->tools_box->findChild<QToolButton*>(kToolButtons[i])) {
            connect(button, &QToolButton::clicked, this, [this, i] { Tool_Button_Clicked(i); });
        }
    }
    setSelected_Control_Tool(m_selectedTool);
}

QString SKTWindowController::currentGraphicClass() const {
    switch (m_selectedTool) {
    case 1:
        return QStringLiteral("SKTLine");
    case 2:
        return QStringLiteral("SKTText");
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
    case 13:
    case 14:
    case 15:
        return QStringLiteral("Shape_Control");
    case 8:
    case 9:
        return QStringLiteral("SKTImage");
    case 10:
        return QStringLiteral("SKTBarcode");
    case 11:
    case 12:
        return QStringLiteral("SKTSignature");
    default:
        return QString();
    }
}

void SKTWindowController::Card_Base_Drawing(QPainter& painter, const QRectF& dirty) {
    Q_UNUSED(dirty); // the outline is always the whole card's; the painter clips
    const int side = Current_Card_Side();
    const Card_Property& page = side == 1 ? Back_card_Prop : Front_card_Prop;
    ::Card_Base_Drawing(painter, QRectF(QPointF(0, 0), m_canvasSize), page, Card_Shape,
                        m_canvasSize, Resource_Path);
}
