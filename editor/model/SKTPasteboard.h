#pragma once
// The pasteboard type of copied card objects. Its bytes are the pasteboard
// data of SKTGraphic::pasteboardDataWithGraphics; on the clipboard they
// travel under a MIME type of ours.

#include <QString>

inline const QString SKTGraphicViewPasteboardType = QStringLiteral("Card Editor pasteboard type");
inline const QString SKTGraphicViewPasteboardMimeType =
    QStringLiteral("application/x-card-editor-graphics");
