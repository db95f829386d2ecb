#include "editor/model/SKTLog.h"

#include "core/MessageFunctions.h"

void SKTLogMessage(const QString& text) {
    Show_NSLog_Message(text);
}
