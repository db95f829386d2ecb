#pragma once
// The model's one way to the system log, so every message goes through the
// program's shared logging function.

#include <QString>

void SKTLogMessage(const QString& text);
