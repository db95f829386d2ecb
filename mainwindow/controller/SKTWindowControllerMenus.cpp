// The menus, the tool bar and the buttons that run the commands, and the
// enabling of the commands whose windows live in other libraries.

#include "mainwindow/controller/SKTWindowController.h"

#include "editor/model/SKTDocument.h"
#include "editor/view/SKTGrid.h"
#include "mainwindow/controller/MainWindowFrame.h"
#include "mainwindow/controller/WindowEntries.h"
#include "ui_AlignmentPage.h"
#include "ui_DrawWindow.h"
#include "ui_ImagePage.h"
#include "widgets/FloatSlider.h"

#include <QAction>
#include <QEvent>
#include <QKeySequence>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>

namespace {
const QString kNotAvailableTip = QStringLiteral("Not available yet.");
} // namespace

void SKTWindowController::connectCommands() {
    Ui::DrawWindow& ui = *m_ui;
    auto on = [this](QAction* action, auto command) {
        connect(action, &QAction::triggered, this, [this, command] { (this->*command)(); });
    };
    using C = SKTWindowController;
    // File
    on(ui.New_action, &C::New_Btn_Clicked);
    on(ui.Open_action, &C::Open_Btn_Clicked);
    on(ui.Save_action, &C::Save_Btn_Clicked);
    on(ui.SaveAs_action, &C::SaveAs_Btn_Clicked);
    on(ui.Save_Template_action, &C::Export_As_Template_Clicked);
    on(ui.Export_action, &C::Export_Button);
    on(ui.Print_action, &C::Print_Button);
    on(ui.Mail_action, &C::Mail_Button);
    on(ui.Exit_action, &C::Exit_Btn_Clicked);
    // Edit
    on(ui.Undo_action, &C::Undo_Clicked);
    on(ui.Redo_action, &C::Redo_Clicked);
    on(ui.Cut_action, &C::Cut_Clicked);
    on(ui.Copy_action, &C::Copy_Clicked);
    on(ui.Paste_action, &C::Paste_Clicked);
    on(ui.Delete_action, &C::Delete_Clicked);
    on(ui.Select_All_action, &C::Select_All_Clicked);
    on(ui.Begin_Front_action, &C::Begin_Front_Clicked);
    on(ui.Send_Back_action, &C::Send_Back_Clicked);
    on(ui.Lock_action, &C::Lock_Clicked);
    on(ui.Unlock_action, &C::Unlock_Clicked);
    // Arrange
    on(ui.Align_Center_action, &C::Align_Center_Clicked);
    on(ui.Align_Left_action, &C::Align_Left_Clicked);
    on(ui.Align_Right_action, &C::Align_Right_Clicked);
    on(ui.Align_Top_action, &C::Align_Top_Clicked);
    on(ui.Align_Bottom_action, &C::Align_Bottom_Clicked);
    on(ui.Align_Horz_action, &C::Align_Horz_Clicked);
    on(ui.Align_Vert_action, &C::Align_Vert_Clicked);
    on(ui.Make_Same_Width_action, &C::Make_Same_Width_Clicked);
    on(ui.Make_Same_Height_action, &C::Make_Same_Height_Clicked);
    on(ui.Make_Natural_action, &C::Make_Natural_Clicked);
    m_naturalSizeButtonAction = new QAction(ui.Make_Natural_action->text(), m_window.get());
    m_naturalSizeButtonAction->setObjectName(QStringLiteral("Make_Natural_btn_action"));
    on(m_naturalSizeButtonAction, &C::Make_Natural_Clicked);
    on(ui.Align_To_Grid_action, &C::Align_To_Grid_Clicked);
    // Card, grid, series, help
    on(ui.Card_Prop_action, &C::Card_Prop_Clicked);
    on(ui.Card_Bckgrnd_action, &C::Card_Bckgrnd_Clicked);
    on(ui.Grid_Options_action, &C::toggleGridShowing);
    on(ui.Snap_To_Grid_action, &C::toggleGridConstraining);
    on(ui.Series_Manager_action, &C::Batch_Series_Button);
    on(ui.Import_Series_action, &C::Import_Wizard_Button);
    on(ui.Create_Series_action, &C::Create_Series_Button);
    on(ui.Help_action, &C::Help_Button);
    connect(ui.Promotion_S_action, &QAction::triggered, this,
            [this] { Promotion_Clicked(QStringLiteral("S")); });
    connect(ui.Promotion_R_action, &QAction::triggered, this,
            [this] { Promotion_Clicked(QStringLiteral("R")); });
    connect(ui.Promotion_B_action, &QAction::triggered, this,
            [this] { Promotion_Clicked(QStringLiteral("B")); });

    // The tool bar's buttons, by the names the button sets use.
    const std::pair<QAction*, const char*> toolBarButtons[] = {
        {ui.Undo_action, "Undo_btn"},
        {ui.Redo_action, "Redo_btn"},
        {ui.Cut_action, "Cut_btn"},
        {ui.Copy_action, "Copy_btn"},
        {ui.Paste_action, "Paste_btn"},
        {ui.Delete_action, "Delete_btn"},
        {ui.Begin_Front_action, "Begin_Front_btn"},
        {ui.Send_Back_action, "Send_Back_btn"},
        {ui.Lock_action, "Lock_btn"},
        {ui.Unlock_action, "Unlock_btn"}};
    for (const auto& [action, name] : toolBarButtons) {
        if (QWidget* button = ui.standardToolBar->widgetForAction(action)) {
            button->setObjectName(QString::fromLatin1(name));
        }
    }
    // The alignment tab's buttons run the arrange commands.
    const std::pair<QToolButton*, QAction*> alignmentButtons[] = {
        {m_alignment->Align_Center_btn, ui.Align_Center_action},
        {m_alignment->Align_Left_btn, ui.Align_Left_action},
        {m_alignment->Align_Right_btn, ui.Align_Right_action},
        {m_alignment->Align_Top_btn, ui.Align_Top_action},
        {m_alignment->Align_Bottom_btn, ui.Align_Bottom_action},
        {m_alignment->Align_Horz_btn, ui.Align_Horz_action},
        {m_alignment->Align_Vert_btn, ui.Align_Vert_action},
        {m_alignment->Make_same_width_btn, ui.Make_Same_Width_action},
        {m_alignment->Make_same_height_btn, ui.Make_Same_Height_action},
        {m_alignment->Make_natural_size_btn, m_naturalSizeButtonAction},
        {m_alignment->Align_To_Grid_btn, ui.Align_To_Grid_action}};
    for (const auto& [button, action] : alignmentButtons) {
        button->setDefaultAction(action);
    }

    connect(ui.print_object_chk, &QCheckBox::clicked, this,
            &SKTWindowController::Print_object_chk_changed);

    // The tool change is handled before its sender goes on.
    connect(this, &SKTWindowController::selectedToolDidChange, this,
            &SKTWindowController::selectedToolDidChangeHandler, Qt::DirectConnection);

    // Undo and Redo follow the document's undo stack.
    connect(m_document.undoManager(), &QUndoStack::canUndoChanged, this,
            [this] { Undo_Redo_Button_state(); });
    connect(m_document.undoManager(), &QUndoStack::canRedoChanged, this,
            [this] { Undo_Redo_Button_state(); });
    if (SKTGrid* shared = grid()) {
        connect(shared, &SKTGrid::alignWithGridEnabled, ui.Align_To_Grid_action,
                &QAction::setEnabled);
        ui.Align_To_Grid_action->setEnabled(shared->isAlwaysShown());
        ui.Snap_To_Grid_action->setChecked(shared->isConstraining());
    }

    // A close request from the window manager is the Exit command.
    m_window->setCloseRequestHandler([this] { return Exit_App(); });

    // The menu item is validated as its menu opens, like the platform's
    // menus, besides following every selection change.
    connect(ui.menuArrange, &QMenu::aboutToShow, this,
            &SKTWindowController::validateNaturalSizeItem);

    Disable_Standard_Button_For_Card();
    Undo_Redo_Button_state();
    setSameSizeButtonsEnabled(false);
    setStandardShortcuts();
    connectEntryStates();
}

void SKTWindowController::setStandardShortcuts() {
    Ui::DrawWindow& ui = *m_ui;
    // The platform's standard keys; where its key scheme has none (Save As
    // and Quit are missing from some), the usual desktop key.
    const struct {
        QAction* action;
        QKeySequence::StandardKey key;
        const char* fallback;
    } keys[] = {{ui.New_action, QKeySequence::New, "Ctrl+N"},
                {ui.Open_action, QKeySequence::Open, "Ctrl+O"},
                {ui.Save_action, QKeySequence::Save, "Ctrl+S"},
                {ui.SaveAs_action, QKeySequence::SaveAs, "Ctrl+Shift+S"},
                {ui.Print_action, QKeySequence::Print, "Ctrl+P"},
                {ui.Exit_action, QKeySequence::Quit, "Ctrl+Q"},
                {ui.Undo_action, QKeySequence::Undo, "Ctrl+Z"},
                {ui.Redo_action, QKeySequence::Redo, "Ctrl+Shift+Z"},
                {ui.Cut_action, QKeySequence::Cut, "Ctrl+X"},
                {ui.Copy_action, QKeySequence::Copy, "Ctrl+C"},
                {ui.Paste_action, QKeySequence::Paste, "Ctrl+V"},
                {ui.Delete_action, QKeySequence::Delete, "Del"},
                {ui.Select_All_action, QKeySequence::SelectAll, "Ctrl+A"}};
    for (const auto& entry : keys) {
        QList<QKeySequence> sequences = QKeySequence::keyBindings(entry.key);
        if (sequences.isEmpty()) {
            sequences.append(QKeySequence(QString::fromLatin1(entry.fallback)));
        }
        entry.action->setShortcuts(sequences);
        // Window-wide keys, whichever widget of the window has the focus and
        // whether or not a menu was opened. A text field that has the focus
        // keeps its own editing keys (it claims them before the window does).
        entry.action->setShortcutContext(Qt::WindowShortcut);
        m_window->addAction(entry.action);
    }
}

void SKTWindowController::connectEntryStates() {
    Ui::DrawWindow& ui = *m_ui;
    auto add = [this](const auto& slot, std::initializer_list<QObject*> items) {
        EntryItems entry;
        entry.filled = [&slot] { return static_cast<bool>(slot.get()); };
        for (QObject* item : items) {
            entry.items.append(item);
        }
        m_entryItems.append(entry);
    };
    namespace we = window_entries;
    add(we::contactFields, {ui.User_Profile_Button});
    add(we::seriesManager, {ui.Series_Manager_action});
    add(we::seriesImport, {ui.Import_Series_action});
    add(we::numberSeries, {ui.Create_Series_action});
    add(we::exportCards, {ui.Export_action});
    add(we::print, {ui.Print_action});
    add(we::mail, {ui.Mail_action});
    add(we::help, {ui.Help_action});
    add(we::promotion, {ui.Promotion_S_action, ui.Promotion_R_action, ui.Promotion_B_action});
    add(we::newDesign, {ui.New_action});
    add(we::openDesign, {ui.Open_action});
    add(we::saveDesign, {ui.Save_action});
    add(we::saveDesignAs, {ui.SaveAs_action});
    add(we::saveAsTemplate, {ui.Save_Template_action});

    // Entries may be filled after the window was made: the states are
    // checked again whenever a menu opens or the window shows.
    for (QMenu* menu : ui.menubar->findChildren<QMenu*>()) {
        connect(menu, &QMenu::aboutToShow, this, &SKTWindowController::Refresh_Entry_States);
    }
    connect(ui.menuGrid, &QMenu::aboutToShow, this, [this] {
        if (SKTGrid* shared = grid()) {
            m_ui->Snap_To_Grid_action->setChecked(shared->isConstraining());
        }
    });
    m_window->installEventFilter(this);
    Refresh_Entry_States();
}

void SKTWindowController::Refresh_Entry_States() {
    for (const EntryItems& entry : m_entryItems) {
        const bool filled = entry.filled();
        const QString tip = filled ? QString() : kNotAvailableTip;
        for (const QPointer<QObject>& item : entry.items) {
            if (auto* action = qobject_cast<QAction*>(item.data())) {
                action->setEnabled(filled);
                action->setToolTip(tip);
            } else if (auto* widget = qobject_cast<QWidget*>(item.data())) {
                widget->setEnabled(filled);
                widget->setToolTip(tip);
            }
        }
    }
}

bool SKTWindowController::eventFilter(QObject* watched, QEvent* event) {
    // Also before a key of the window is matched against the shortcuts (an
    // entry filled since the last check must not leave its key dead).
    if (watched == m_window.get() &&
        (event->type() == QEvent::Show || event->type() == QEvent::WindowActivate ||
         event->type() == QEvent::ShortcutOverride)) {
        Refresh_Entry_States();
    }
    return QObject::eventFilter(watched, event);
}
