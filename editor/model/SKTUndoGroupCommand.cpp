#include "editor/model/SKTUndoGroupCommand.h"

#include "editor/model/SKTDocument.h"

SKTUndoGroupCommand::SKTUndoGroupCommand(SKTDocument* document) : m_document(document) {}

SKTUndoGroupCommand::~SKTUndoGroupCommand() {
    if (m_document) {
        m_document->undoCommandDestroyed(this);
    }
}

void SKTUndoGroupCommand::undo() {
    m_document->runUndoGroup(*this);
}

void SKTUndoGroupCommand::redo() {
    if (!m_pushed) {
        m_pushed = true;
        return;
    }
    m_document->runUndoGroup(*this);
}
