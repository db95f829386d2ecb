// Undo of the card document: groups on the QUndoStack, the change records of
// observed object values, and the registration switch.

#include "editor/model/SKTDocument.h"
#include "editor/model/SKTLog.h"

#include <QTimer>

// ---- Registration ----

void SKTDocument::Enable_Disable_Undo_Registraion(int enable) {
    if (enable == 1) {
        if (m_registrationDisabled > 0) {
            --m_registrationDisabled;
        }
    } else {
        ++m_registrationDisabled;
    }
}

void SKTDocument::Clear_All_Undo_Redo() {
    closeOpenGroups();
    m_undoStack->clear();
    ++m_registrationDisabled;
    QList<int> all;
    for (int i = 0; i < _graphics.size(); ++i) {
        all.append(i);
    }
    if (!all.isEmpty()) {
        removeGraphicsAtIndexes(all);
    }
    // Registration is on afterwards even when an earlier failure left it off.
    m_registrationDisabled = 0;
}

// ---- Groups ----

void SKTDocument::beginUndoGroup() {
    if (m_autoGroupOpen) {
        // A gesture starts its own group.
        m_autoGroupOpen = false;
        finishGroup();
    }
    if (m_groupDepth == 0) {
        finishGroup();
    }
    ++m_groupDepth;
}

void SKTDocument::endUndoGroup() {
    if (m_groupDepth == 0) {
        SKTLogMessage(QStringLiteral("endUndoGroup without an open undo group."));
        return;
    }
    if (--m_groupDepth == 0) {
        finishGroup();
    }
}

void SKTDocument::openAutomaticGroupIfNeeded() {
    if (m_groupDepth > 0 || m_autoGroupOpen) {
        return;
    }
    m_autoGroupOpen = true;
    const quint64 generation = ++m_autoGroupGeneration;
    QTimer::singleShot(0, this, [this, generation] {
        if (m_autoGroupOpen && generation == m_autoGroupGeneration) {
            m_autoGroupOpen = false;
            finishGroup();
        }
    });
}

void SKTDocument::closeOpenGroups() {
    m_groupDepth = 0;
    m_autoGroupOpen = false;
    finishGroup();
}

void SKTDocument::finishGroup() {
    m_openCommand = nullptr;
    m_group = GroupState();
}

void SKTDocument::discardUndoGroup() {
    if (!m_openCommand) {
        m_group = GroupState();
        return;
    }
    m_discarding = true;
    m_undoStack->undo();
    m_discarding = false;
    // An obsolete command is not kept: pushing it only drops the redo step
    // the undo left behind.
    auto* drop = new QUndoCommand;
    drop->setObsolete(true);
    m_undoStack->push(drop);
    m_openCommand = nullptr;
    m_group = GroupState();
}

void SKTDocument::undo() {
    closeOpenGroups();
    if (m_undoStack->canUndo()) {
        m_undoStack->undo();
    }
}

void SKTDocument::redo() {
    closeOpenGroups();
    if (m_undoStack->canRedo()) {
        m_undoStack->redo();
    }
}

SKTDocument::GroupState* SKTDocument::recordingState() {
    if (m_destroying || m_discarding || m_registrationDisabled > 0) {
        return nullptr;
    }
    if (m_capturing) {
        return &m_capture;
    }
    openAutomaticGroupIfNeeded();
    return &m_group;
}

void SKTDocument::registerUndoAction(SKTUndoAction action) {
    if (!recordingState()) {
        return;
    }
    if (m_capturing) {
        m_capturedActions.push_back(std::move(action));
        return;
    }
    if (!m_openCommand) {
        // On the stack at once, so canUndo is right as soon as a change is
        // made.
        auto* command = new SKTUndoGroupCommand(this);
        m_undoStack->push(command);
        m_openCommand = command;
    }
    m_openCommand->append(std::move(action));
}

void SKTDocument::runUndoGroup(SKTUndoGroupCommand& command) {
    std::vector<SKTUndoAction> actions = std::move(command.actions());
    command.actions().clear();
    if (m_discarding) {
        for (auto it = actions.rbegin(); it != actions.rend(); ++it) {
            (*it)();
        }
        return;
    }
    // Undo and redo end the open group, also when the stack is driven
    // directly (the stack's own undo action).
    closeOpenGroups();
    m_capturing = true;
    m_capture = GroupState();
    m_capturedActions.clear();
    for (auto it = actions.rbegin(); it != actions.rend(); ++it) {
        (*it)();
    }
    command.actions() = std::move(m_capturedActions);
    m_capturedActions.clear();
    m_capture = GroupState();
    m_capturing = false;
}

void SKTDocument::undoCommandDestroyed(SKTUndoGroupCommand* command) {
    if (command == m_openCommand) {
        m_openCommand = nullptr;
        m_group = GroupState();
    }
}

void SKTDocument::setGraphicProperties(const std::shared_ptr<SKTMapTableOwner>& owner) {
    for (const auto& [graphic, values] : owner->mapTable()) {
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            graphic->setValueForKey(it.key(), it.value());
        }
    }
}

// ---- Change records ----

std::unique_ptr<SKTGraphicChange> SKTDocument::graphicWillChange(SKTGraphic& graphic) {
    auto change = std::make_unique<SKTGraphicChange>();
    change->oldDrawingBounds = graphic.drawingBounds();
    change->record = !m_destroying && !m_discarding && m_registrationDisabled == 0 &&
                     graphic.scriptingContainer() == this &&
                     objectSpecifierForGraphic(&graphic).has_value();
    if (change->record) {
        for (const QString& key : graphic.keysForValuesToObserveForUndo()) {
            change->oldValues.insert(key, graphic.valueForKey(key));
        }
    }
    return change;
}

void SKTDocument::graphicDidChange(SKTGraphic& graphic, std::unique_ptr<SKTGraphicChange> change) {
    if (!change) {
        return;
    }
    if (change->record) {
        const QStringList keys = graphic.keysForValuesToObserveForUndo();
        std::shared_ptr<SKTGraphic> strong = graphic.shared_from_this();
        for (auto it = change->oldValues.cbegin(); it != change->oldValues.cend(); ++it) {
            if (!keys.contains(it.key())) {
                continue;
            }
            const QVariant newValue = graphic.valueForKey(it.key());
            if (newValue == it.value()) {
                continue;
            }
            GroupState* state = recordingState();
            if (!state || state->inserted.count(strong) > 0) {
                break;
            }
            if (graphic.presentablePropertyNameForKey(it.key()).isNull()) {
                SKTLogMessage(QStringLiteral("%1 has no presentable name for the undo key %2.")
                                  .arg(graphic.className(), it.key()));
            }
            if (!state->oldProperties) {
                auto owner = std::make_shared<SKTMapTableOwner>();
                state->oldProperties = owner;
                registerUndoAction([this, owner] { setGraphicProperties(owner); });
            }
            QVariantMap& values = state->oldProperties->dictionaryFor(strong);
            if (!values.contains(it.key())) {
                values.insert(it.key(), it.value());
            }
        }
    }
    if (!m_destroying) {
        emit graphicChanged(&graphic, change->oldDrawingBounds, graphic.drawingBounds());
    }
}
