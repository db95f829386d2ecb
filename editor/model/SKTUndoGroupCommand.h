#pragma once
// One undo group on the document's QUndoStack. It holds the actions that
// undo the group; undoing runs them newest first, and what they register
// while running becomes the actions of the redo (and so on back and forth).

#include <QUndoCommand>
#include <functional>
#include <vector>

class SKTDocument;

using SKTUndoAction = std::function<void()>;

class SKTUndoGroupCommand : public QUndoCommand {
public:
    explicit SKTUndoGroupCommand(SKTDocument* document);
    ~SKTUndoGroupCommand() override;

    void undo() override;
    void redo() override;

    void append(SKTUndoAction action) { m_actions.push_back(std::move(action)); }
    std::vector<SKTUndoAction>& actions() { return m_actions; }
    bool isEmpty() const { return m_actions.empty(); }

private:
    SKTDocument* m_document;
    std::vector<SKTUndoAction> m_actions;
    bool m_pushed = false; // the push's own redo() does nothing
};
