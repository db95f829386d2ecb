#pragma once
// The clipboard's change count: a process counter that grows each time the
// clipboard's contents change (QClipboard::dataChanged), counting from the
// first time it is asked for.

#include <QtGlobal>

qint64 SKTPasteboardChangeCount();
