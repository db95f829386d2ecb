#include "mainwindow/controller/Card_Wizard.h"

#include "core/MessageFunctions.h"
#include "core/globals.h"
#include "mainwindow/controller/SKTWindowController.h"
#include "ui_Card_Wizard.h"
#include "widgets/AppOwned.h"
#include "widgets/GuiHooks.h"

#include <exception>

namespace {
QPointer<Card_Wizard> g_cardWizard;
}

Card_Wizard* Card_Wizard::defaultInstance() {
    return appOwnedInstance(g_cardWizard);
}

Card_Wizard::Card_Wizard(QWidget* parent)
    : CardSizeWindow(parent), m_ui(std::make_unique<Ui::Card_Wizard>()) {
    m_ui->setupUi(this);
    colour();
    Ui::Card_Wizard& ui = *m_ui;
    attachSizeControls(ui.Preset_ComboBox, ui.Category_ComboBox, ui.width_Stepper, ui.width_Text,
                       ui.height_Stepper, ui.height_Text, ui.ColList);
    connect(ui.matrix_card_shape, &RadioMatrix::rowChosen, this,
            [this] { card_shape_CellClick(); });
    connect(ui.OK_btn, &QPushButton::clicked, this, [this] { OK_Click(); });
    connect(ui.Cancel_btn, &QPushButton::clicked, this, [this] { CancelClick(); });
    connect(ui.User_Profile_btn, &QPushButton::clicked, this, [this] { User_Profile_Click(); });
}

Card_Wizard::~Card_Wizard() = default;

int Card_Wizard::Open_Wnd() {
    try {
        Ui::Card_Wizard& ui = *m_ui;
        m_shapeFound = Card_Shape;
        ui.matrix_card_shape->selectCellAtRow(0, 0);
        ui.Sides_ComboBox->setCurrentIndex(0);
        ui.Preset_ComboBox->setCurrentIndex(0);
        ui.Category_ComboBox->setCurrentIndex(0);
        categoryChosen();
        const int result = hooks::runModal(*this);
        hide();
        return result;
    } catch (const std::exception& error) {
        Show_NSLog_Message(QString::fromLocal8Bit(error.what()));
        return 0;
    }
}

void Card_Wizard::card_shape_CellClick() {
    Card_Shape = m_ui->matrix_card_shape->selectedRow();
}

QSizeF Card_Wizard::chosenSizeMM() const {
    return QSizeF(static_cast<float>(m_ui->width_Stepper->doubleValue()),
                  static_cast<float>(m_ui->height_Stepper->doubleValue()));
}

void Card_Wizard::OK_Click() {
    if (SKTWindowController* controller = SKTWindowController::defaultInstance()) {
        const QSizeF mm = chosenSizeMM();
        const QSizeF points(
            SKTWindowController::MM_to_Points_Convert(static_cast<float>(mm.width())),
            SKTWindowController::MM_to_Points_Convert(static_cast<float>(mm.height())));
        controller->Set_Document_Size(points);
        controller->SetDocumentCanvasSize(points);
    }
    done(1);
}

void Card_Wizard::CancelClick() {
    // The shape chosen in the window is taken back.
    Card_Shape = m_shapeFound;
    done(0);
}
