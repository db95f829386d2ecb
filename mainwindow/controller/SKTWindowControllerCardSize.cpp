// Card sizes: unit conversions, the preset tables and the canvas size.

#include "mainwindow/controller/SKTWindowController.h"

#include "editor/model/SKTDocument.h"
#include "editor/render/CardRenderInputs.h"
#include "mainwindow/controller/SideCanvases.h"
#include "ui_CardSettingPage.h"
#include "widgets/CardStepper.h"

#include <array>
#include <utility>

namespace {

// Long side x short side in inches, in the order of the preset lists.
constexpr std::array<std::pair<float, float>, 7> kPvcSizes = {{{3.37f, 2.13f},
                                                               {3.31f, 2.06f},
                                                               {3.62f, 2.38f},
                                                               {3.88f, 2.62f},
                                                               {3.5f, 1.75f},
                                                               {3.25f, 2.34f},
                                                               {2.88f, 2.12f}}};
constexpr std::array<std::pair<float, float>, 8> kPaperSizes = {{{2.36f, 1.58f},
                                                                 {2.95f, 1.58f},
                                                                 {2.95f, 1.58f},
                                                                 {3.54f, 2.13f},
                                                                 {3.54f, 2.36f},
                                                                 {2.36f, 3.54f},
                                                                 {3.94f, 4.09f},
                                                                 {5.91f, 4.96f}}};

float inchesToMM(float inches) {
    return static_cast<float>(static_cast<double>(inches) * 25.4);
}

} // namespace

float SKTWindowController::Points_to_MM_Convert(float points) {
    return static_cast<float>(static_cast<double>(points) * 0.3527777777778);
}

float SKTWindowController::MM_to_Points_Convert(float millimetres) {
    return static_cast<float>(static_cast<double>(millimetres) * 2.834645669291);
}

void SKTWindowController::Set_Card_Size_In_Control(const QSizeF& millimetres) {
    const float width = static_cast<float>(millimetres.width());
    const float height = static_cast<float>(millimetres.height());
    m_cardSetting->width_Stepper->setDoubleValue(width);
    m_cardSetting->width_Text->setText(QString::number(width));
    m_cardSetting->height_Stepper->setDoubleValue(height);
    m_cardSetting->height_Text->setText(QString::number(height));
}

void SKTWindowController::Set_Document_Size(const QSizeF& points) {
    SetDocumentCanvasSize(SKTDocument::canvasSize(0, points));
}

void SKTWindowController::SetDocumentCanvasSize(const QSizeF& points) {
    // Through the zero size first, so every canvas lays itself out anew.
    m_canvasSize = QSizeF(0, 0);
    if (m_canvases) {
        m_canvases->setCanvasSize(m_canvasSize);
    }
    Refresh_Canvas();
    m_canvasSize = points;
    if (m_canvases) {
        m_canvases->setCanvasSize(points);
    }
    // Renderers and object creation on other threads read the size from
    // here, never a widget.
    CardRenderInputs::setFrontCanvasSize(points);
    Refresh_Canvas();
}

QSizeF SKTWindowController::Get_My_card_Size(const QString& category, const QString& preset,
                                             int list_index) const {
    float first = 30.0f;
    float second = 30.0f;
    if (category == QStringLiteral("PVC Card")) {
        if (list_index >= 0 && list_index < static_cast<int>(kPvcSizes.size())) {
            std::tie(first, second) = kPvcSizes[static_cast<std::size_t>(list_index)];
        }
    } else if (list_index >= 0 && list_index < static_cast<int>(kPaperSizes.size())) {
        std::tie(first, second) = kPaperSizes[static_cast<std::size_t>(list_index)];
    }
    if (list_index != -1) {
        first = inchesToMM(first);
        second = inchesToMM(second);
    }
    if (preset == QStringLiteral("V")) {
        return QSizeF(second, first);
    }
    return QSizeF(first, second);
}
