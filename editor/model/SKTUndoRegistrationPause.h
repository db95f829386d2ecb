#pragma once
// Turns a document's undo registration off for the life of the object and
// on again when it ends, however the scope is left.

#include "editor/model/SKTDocument.h"

#include <QPointer>

class SKTUndoRegistrationPause {
public:
    explicit SKTUndoRegistrationPause(SKTDocument& document) : m_document(&document) {
        document.Enable_Disable_Undo_Registraion(0);
    }
    ~SKTUndoRegistrationPause() {
        if (m_document) {
            m_document->Enable_Disable_Undo_Registraion(1);
        }
    }
    SKTUndoRegistrationPause(const SKTUndoRegistrationPause&) = delete;
    SKTUndoRegistrationPause& operator=(const SKTUndoRegistrationPause&) = delete;

private:
    QPointer<SKTDocument> m_document;
};
