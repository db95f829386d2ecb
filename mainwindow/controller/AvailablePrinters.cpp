#include "mainwindow/controller/AvailablePrinters.h"

#include "platform/HookSlot.h"

#include <QPrinterInfo>

namespace printers {
namespace {

HookSlot<PrinterLister>& listerSlot() {
    static HookSlot<PrinterLister> slot;
    return slot;
}

} // namespace

void setPrinterLister(PrinterLister lister) {
    listerSlot().set(std::move(lister));
}

QStringList availablePrinterNames() {
    if (auto lister = listerSlot().get()) {
        return lister();
    }
    return QPrinterInfo::availablePrinterNames();
}

} // namespace printers
