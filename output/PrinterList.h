#pragma once
// The printers the system knows, behind one replaceable function so tests
// can offer printers (or none) without a print server.

#include "platform/HookSlot.h"

#include <QStringList>
#include <functional>

namespace output {

using PrinterLister = std::function<QStringList()>;
inline HookSlot<PrinterLister> printerLister; // empty: ask the print system

// Names of the available printers (QPrinterInfo by default).
QStringList printerNames();

} // namespace output
