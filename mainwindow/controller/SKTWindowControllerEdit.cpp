// The edit and arrange commands of the current side's canvas, locking and
// unlocking, and the standard buttons that follow the selection.

#include "mainwindow/controller/SKTWindowController.h"

#include "core/MessageFunctions.h"
#include "core/globals.h"
#include "editor/canvas/SKTGraphicView.h"
#include "editor/model/SKTDocument.h"
#include "editor/model/SKTPasteboard.h"
#include "mainwindow/controller/SideCanvases.h"
#include "ui_DrawWindow.h"
#include "ui_ImagePage.h"
#include "widgets/FloatSlider.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <stdexcept>

namespace {
const QString kSelectMoreThanOne = QStringLiteral("Please select more than one control.");

// The target of the editing commands (undo, redo, cut, copy, paste, delete,
// select all): the shown canvas that has the keyboard focus, as the keys
// reach the focused canvas; otherwise the current side's.
SKTGraphicView* editingCanvas(const SideCanvases* canvases, SKTGraphicView* current) {
    QWidget* focus = QApplication::focusWidget();
    if (canvases && focus && focus->isVisible()) {
        for (int side = 0; side < 3; ++side) {
            if (focus == canvases->canvas(side)) {
                return qobject_cast<SKTGraphicView*>(focus);
            }
        }
    }
    return current;
}
} // namespace

// ---- Standard buttons ----

void SKTWindowController::setStandardButtons(bool cutCopy, bool deleteFrontBack, bool lock,
                                             bool unlock) {
    m_ui->Cut_action->setEnabled(cutCopy);
    m_ui->Copy_action->setEnabled(cutCopy);
    m_ui->Delete_action->setEnabled(deleteFrontBack);
    m_ui->Begin_Front_action->setEnabled(deleteFrontBack);
    m_ui->Send_Back_action->setEnabled(deleteFrontBack);
    m_ui->Lock_action->setEnabled(lock);
    m_ui->Unlock_action->setEnabled(unlock);
}

void SKTWindowController::Enable_Standard_Button_For_Control() {
    Undo_Redo_Button_state();
    setStandardButtons(true, true, true, false);
    Set_Paste_Button_Status();
}

void SKTWindowController::Disable_Standard_Button_For_Card() {
    setStandardButtons(false, false, false, false);
    Set_Paste_Button_Status();
}

void SKTWindowController::Disable_Standard_Button_For_Lock() {
    setStandardButtons(false, false, false, true);
    m_ui->Paste_action->setEnabled(false);
}

void SKTWindowController::Enable_Standard_Button_For_Unlock() {
    Undo_Redo_Button_state();
    setStandardButtons(true, true, true, false);
    Set_Paste_Button_Status();
}

void SKTWindowController::Set_Paste_Button_Status() {
    if (!m_ui) {
        return;
    }
    // Of our object type and file names, the first the clipboard offers
    // decides: only our objects can be pasted.
    const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
    const bool objects = clipboard && clipboard->hasFormat(SKTGraphicViewPasteboardMimeType);
    m_ui->Paste_action->setEnabled(objects);
}

void SKTWindowController::Undo_Redo_Button_state() {
    if (!m_ui) {
        return;
    }
    m_ui->Undo_action->setEnabled(m_document.canUndo());
    m_ui->Redo_action->setEnabled(m_document.canRedo());
}

void SKTWindowController::setSameSizeButtonsEnabled(bool enabled) {
    if (!m_ui) {
        return;
    }
    m_ui->Make_Same_Width_action->setEnabled(enabled);
    m_ui->Make_Same_Height_action->setEnabled(enabled);
    if (m_naturalSizeButtonAction) {
        m_naturalSizeButtonAction->setEnabled(enabled);
    }
    validateNaturalSizeItem();
}

void SKTWindowController::validateNaturalSizeItem() {
    if (!m_ui) {
        return;
    }
    const SKTGraphicView* canvas = currentCanvas();
    m_ui->Make_Natural_action->setEnabled(
        canvas && canvas->validateMenuItem(QStringLiteral("makeNaturalSize:")));
}

// ---- Edit commands ----

void SKTWindowController::Undo_Clicked() {
    if (SKTGraphicView* canvas = editingCanvas(canvases(), currentCanvas())) {
        canvas->undo();
    }
}

void SKTWindowController::Redo_Clicked() {
    if (SKTGraphicView* canvas = editingCanvas(canvases(), currentCanvas())) {
        canvas->redo();
    }
}

void SKTWindowController::Cut_Clicked() {
    if (SKTGraphicView* canvas = editingCanvas(canvases(), currentCanvas())) {
        canvas->cut();
    }
}

void SKTWindowController::Copy_Clicked() {
    if (SKTGraphicView* canvas = editingCanvas(canvases(), currentCanvas())) {
        canvas->copy();
    }
}

void SKTWindowController::Paste_Clicked() {
    if (SKTGraphicView* canvas = editingCanvas(canvases(), currentCanvas())) {
        canvas->paste();
    }
}

void SKTWindowController::Delete_Clicked() {
    if (SKTGraphicView* canvas = editingCanvas(canvases(), currentCanvas())) {
        canvas->deleteSelection();
    }
}

void SKTWindowController::Select_All_Clicked() {
    if (SKTGraphicView* canvas = editingCanvas(canvases(), currentCanvas())) {
        canvas->selectAll();
        // The inspector and the standard buttons follow, as after a click
        // on an object, so the edit commands can act on the selection.
        const SKTGraphicList selected = canvas->selectedGraphics();
        if (!selected.isEmpty()) {
            Show_RHS_Properties(selected.last());
        }
    }
}

void SKTWindowController::Begin_Front_Clicked() {
    if (SKTGraphicView* canvas = currentCanvas()) {
        canvas->bringToFront();
    }
}

void SKTWindowController::Send_Back_Clicked() {
    if (SKTGraphicView* canvas = currentCanvas()) {
        canvas->sendToBack();
    }
}

// ---- Arrange commands ----

void SKTWindowController::arrange(void (SKTGraphicView::*command)()) {
    if (SKTGraphicView* canvas = currentCanvas()) {
        (canvas->*command)();
        Refresh_Canvas();
    }
}

bool SKTWindowController::hasSameSizeSelection() {
    SKTGraphicView* canvas = currentCanvas();
    if (!canvas || canvas->selectionIndexes().size() < 2) {
        Show_MessageBox(kSelectMoreThanOne);
        return false;
    }
    return true;
}

void SKTWindowController::Align_Center_Clicked() {
    arrange(&SKTGraphicView::alignformCenter);
}

void SKTWindowController::Align_Left_Clicked() {
    arrange(&SKTGraphicView::alignLeftEdges);
}

void SKTWindowController::Align_Right_Clicked() {
    arrange(&SKTGraphicView::alignRightEdges);
}

void SKTWindowController::Align_Top_Clicked() {
    arrange(&SKTGraphicView::alignTopEdges);
}

void SKTWindowController::Align_Bottom_Clicked() {
    arrange(&SKTGraphicView::alignBottomEdges);
}

void SKTWindowController::Align_Horz_Clicked() {
    arrange(&SKTGraphicView::alignHorizontalCenters);
}

void SKTWindowController::Align_Vert_Clicked() {
    arrange(&SKTGraphicView::alignVerticalCenters);
}

void SKTWindowController::Make_Same_Width_Clicked() {
    if (hasSameSizeSelection()) {
        arrange(&SKTGraphicView::makeSameWidth);
    }
}

void SKTWindowController::Make_Same_Height_Clicked() {
    if (hasSameSizeSelection()) {
        arrange(&SKTGraphicView::makeSameHeight);
    }
}

void SKTWindowController::Make_Natural_Clicked() {
    arrange(&SKTGraphicView::makeNaturalSize);
}

void SKTWindowController::Align_To_Grid_Clicked() {
    SKTGrid* shared = grid();
    if (!shared || !shared->isAlwaysShown()) {
        Show_MessageBox(QStringLiteral("Please use grid option first."));
        return;
    }
    // A grid of spacing 0 leaves every rectangle as it is.
    arrange(&SKTGraphicView::alignWithGrid);
}

void SKTWindowController::Print_object_chk_changed() {
    if (SKTGraphicView* canvas = currentCanvas()) {
        canvas->print_contol_or_not(m_ui->print_object_chk->isChecked() ? 1 : 0);
    }
}

// ---- Lock and unlock ----

void SKTWindowController::lockSelection(bool lock) {
    if (lock) {
        Disable_Standard_Button_For_Lock();
    } else {
        Enable_Standard_Button_For_Unlock();
    }
    SKTGraphicView* canvas = currentCanvas();
    const SKTGraphicList selected = canvas ? canvas->selectedGraphics() : SKTGraphicList();
    if (selected.isEmpty()) {
        Show_MessageBox(lock ? QStringLiteral("Please select a control to Lock.")
                             : QStringLiteral("Please select a control to Unlock."));
        return;
    }
    for (const auto& graphic : selected) {
        graphic->ctrl_is_locked = lock;
        try {
            canvas->startEditingGraphic(graphic);
        } catch (const std::logic_error& e) {
            // An editor already open on this canvas: the flag is set all
            // the same.
            Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
        }
    }
    // The card inspector clears the selection; it is restored so the last
    // object's tabs show its new state.
    const QList<int> indexes = canvas->selectionIndexes();
    Show_RHS_Properties(nullptr);
    canvas->changeSelectionIndexes(indexes);
    Refresh_Canvas();
    const SKTGraphicList reselected = canvas->selectedGraphics();
    Show_RHS_Properties(reselected.isEmpty() ? nullptr : reselected.last());
}
