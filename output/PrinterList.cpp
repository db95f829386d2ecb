#include "output/PrinterList.h"

#include <QPrinterInfo>

namespace output {

QStringList printerNames() {
    if (const PrinterLister lister = printerLister.get()) {
        return lister();
    }
    return QPrinterInfo::availablePrinterNames();
}

} // namespace output
