// The grid commands: snapping, and the grid window whose controls change
// the one grid of the canvases at once.

#include "mainwindow/controller/SKTWindowController.h"

#include "editor/view/Grid_Wizard.h"
#include "editor/view/SKTGrid.h"
#include "mainwindow/controller/MainWindowFrame.h"
#include "mainwindow/controller/SideCanvases.h"
#include "ui_DrawWindow.h"
#include "widgets/ControlFunctions.h"
#include "widgets/DialogOwner.h"
#include "widgets/GuiHooks.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPixmap>
#include <QSlider>
#include <QToolButton>

namespace {

const char* const kWellColor = "wellColor";

// The grid colour button shows its colour as a swatch.
void showWellColor(QToolButton* well, const QColor& color) {
    well->setProperty(kWellColor, color);
    QPixmap swatch(28, 14);
    swatch.fill(color);
    well->setIcon(QIcon(swatch));
    well->setIconSize(swatch.size());
}

} // namespace

SKTGrid* SKTWindowController::grid() const {
    return m_canvases ? m_canvases->grid() : nullptr;
}

void SKTWindowController::toggleGridConstraining() {
    SKTGrid* shared = grid();
    if (!shared) {
        return;
    }
    shared->setConstraining(!shared->isConstraining());
    m_ui->Snap_To_Grid_action->setChecked(shared->isConstraining());
}

void SKTWindowController::connectGridWindow() {
    Grid_Wizard* wizard = Grid_Wizard::defaultInstance(m_window.get());
    dialogs::ownBy(*wizard, m_window.get());
    if (m_gridWizard == wizard) {
        return;
    }
    m_gridWizard = wizard;
    QToolButton* well = wizard->Grid_clr();
    connect(well, &QToolButton::clicked, this, [this, well] {
        const QColor chosen =
            hooks::runColorPanel(well->property(kWellColor).value<QColor>(), m_gridWizard);
        if (!chosen.isValid()) {
            return; // cancelled
        }
        showWellColor(well, chosen);
        Grid_Clr_Changed(chosen);
    });
    connect(wizard->Grid_Space_slidr(), &QSlider::valueChanged, this, [this] {
        if (!m_loadingGridControls) {
            Grid_Slider_Changed();
        }
    });
    connect(wizard->Show_hide_grid_chk(), &QCheckBox::clicked, this,
            &SKTWindowController::Grid_Show_Hide_Changed);
}

void SKTWindowController::toggleGridShowing() {
    SKTGrid* shared = grid();
    if (!shared) {
        return;
    }
    connectGridWindow();
    auto* wizard = static_cast<Grid_Wizard*>(m_gridWizard.data());
    m_loadingGridControls = true;
    showWellColor(wizard->Grid_clr(), shared->color());
    wizard->Grid_Space_slidr()->setValue(static_cast<int>(shared->spacing()));
    wizard->Show_hide_grid_chk()->setChecked(shared->isAlwaysShown());
    SetObjEnabled(wizard->Grid_Opt_box(), shared->isAlwaysShown() ? 1 : 0);
    m_loadingGridControls = false;
    wizard->Open_Wnd();
}

void SKTWindowController::Grid_Clr_Changed(const QColor& color) {
    SKTGrid* shared = grid();
    if (!shared) {
        return;
    }
    shared->_color = color;
    shared->setAlwaysShown(true);
}

void SKTWindowController::Grid_Slider_Changed() {
    SKTGrid* shared = grid();
    if (!shared) {
        return;
    }
    connectGridWindow();
    auto* wizard = static_cast<Grid_Wizard*>(m_gridWizard.data());
    shared->_spacing = wizard->Grid_Space_slidr()->value();
    shared->setAlwaysShown(true);
    wizard->Show_hide_grid_chk()->setChecked(true);
}

void SKTWindowController::Grid_Show_Hide_Changed() {
    SKTGrid* shared = grid();
    if (!shared) {
        return;
    }
    connectGridWindow();
    auto* wizard = static_cast<Grid_Wizard*>(m_gridWizard.data());
    const bool shown = wizard->Show_hide_grid_chk()->isChecked();
    shared->setAlwaysShown(shown);
    SetObjEnabled(wizard->Grid_Opt_box(), shown ? 1 : 0);
}
