#pragma once
// The linear symbologies by the titles the barcode designer lists them with.

#include "barcodes/NKDBarcode.h"

#include <QStringList>
#include <memory>

namespace LinearSymbologies {

// The 19 titles, "Code 39" to "Japan Post Barcode", in the designer's order.
const QStringList& titles();

// A model of the symbology with that title initialised with the content and
// caption flag (Code 128 titles set the code set first); none for an unknown
// title or a null content.
std::unique_ptr<NKDBarcode> create(const QString& title, const QString& content,
                                   bool printsCaption);

} // namespace LinearSymbologies
