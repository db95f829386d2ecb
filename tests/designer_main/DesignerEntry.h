#pragma once
// The main window's entry to the barcode designer, as main() fills it.

#include "barcodes/designer/Barcode_Gen.h"
#include "mainwindow/controller/WindowEntries.h"

inline void installBarcodeDesignerEntry() {
    window_entries::barcodeDesigner.set([](const std::shared_ptr<SKTGraphic>& graphic) {
        if (Barcode_Gen* designer = Barcode_Gen::defaultInstance()) {
            designer->Open_Wnd(graphic);
        }
    });
}
