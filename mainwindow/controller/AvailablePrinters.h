#pragma once
// The printers the system knows, behind one replaceable function so tests
// can answer with or without printers.

#include <QStringList>
#include <functional>

namespace printers {

using PrinterLister = std::function<QStringList()>;
// Empty: the default again (QPrinterInfo's printer names).
void setPrinterLister(PrinterLister lister);
QStringList availablePrinterNames();

} // namespace printers
