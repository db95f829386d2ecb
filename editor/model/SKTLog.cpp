#include "editor/model/SKTLog.h"

#include "mainwindow/core/MessageFunctions.h"

void SKTLogMessage(const QString& text) {
    Show_NSLog_Message(text);
}
