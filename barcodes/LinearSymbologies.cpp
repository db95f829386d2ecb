#include "barcodes/LinearSymbologies.h"

#include "barcodes/JapanPostBarcode.h"
#include "barcodes/NKDCodabarBarcode.h"
#include "barcodes/NKDCode128Barcode.h"
#include "barcodes/NKDCode39Barcode.h"
#include "barcodes/NKDEAN13Barcode.h"
#include "barcodes/NKDEAN8Barcode.h"
#include "barcodes/NKDExtendedCode39Barcode.h"
#include "barcodes/NKDIndustrialTwoOfFiveBarcode.h"
#include "barcodes/NKDInterleavedTwoOfFiveBarcode.h"
#include "barcodes/NKDModifiedPlesseyBarcode.h"
#include "barcodes/NKDModifiedPlesseyHexBarcode.h"
#include "barcodes/NKDPlanetBarcode.h"
#include "barcodes/NKDPostnetBarcode.h"
#include "barcodes/NKDRoyalMailBarcode.h"
#include "barcodes/NKDUPCABarcode.h"
#include "barcodes/NKDUPCEBarcode.h"

#include <functional>
#include <utility>
#include <vector>

namespace LinearSymbologies {

namespace {

using Maker = std::function<std::unique_ptr<NKDBarcode>()>;

template <class T> Maker maker() {
    return [] { return std::make_unique<T>(); };
}

Maker code128(int codeSet) {
    return [codeSet] {
        auto model = std::make_unique<NKDCode128Barcode>();
        model->setCodeSet(codeSet);
        return std::unique_ptr<NKDBarcode>(std::move(model));
    };
}

const std::vector<std::pair<QString, Maker>>& table() {
    static const std::vector<std::pair<QString, Maker>> kTable{
        {QStringLiteral("Code 39"), maker<NKDCode39Barcode>()},
        {QStringLiteral("Extended Code 39"), maker<NKDExtendedCode39Barcode>()},
        {QStringLiteral("Interleaved 2 of 5"), maker<NKDInterleavedTwoOfFiveBarcode>()},
        {QStringLiteral("UPCA"), maker<NKDUPCABarcode>()},
        {QStringLiteral("PostNet"), maker<NKDPostnetBarcode>()},
        {QStringLiteral("Modified Plessey"), maker<NKDModifiedPlesseyBarcode>()},
        {QStringLiteral("Modified Plessey (Hex)"), maker<NKDModifiedPlesseyHexBarcode>()},
        {QStringLiteral("Industrial 2 of 5"), maker<NKDIndustrialTwoOfFiveBarcode>()},
        {QStringLiteral("EAN-13"), maker<NKDEAN13Barcode>()},
        {QStringLiteral("Code 128"), code128(NKDCode128Barcode::kAutomatic)},
        {QStringLiteral("Code 128 SET A"), code128(NKDCode128Barcode::kSetA)},
        {QStringLiteral("Code 128 SET B"), code128(NKDCode128Barcode::kSetB)},
        {QStringLiteral("Code 128 SET C"), code128(NKDCode128Barcode::kSetC)},
        {QStringLiteral("Codabar"), maker<NKDCodabarBarcode>()},
        {QStringLiteral("UPCE"), maker<NKDUPCEBarcode>()},
        {QStringLiteral("EAN-8"), maker<NKDEAN8Barcode>()},
        {QStringLiteral("Royal Mail Barcode (RM4SCC / CBC)"), maker<NKDRoyalMailBarcode>()},
        {QStringLiteral("Planet"), maker<NKDPlanetBarcode>()},
        {QStringLiteral("Japan Post Barcode"), maker<JapanPostBarcode>()},
    };
    return kTable;
}

} // namespace

const QStringList& titles() {
    static const QStringList kTitles = [] {
        QStringList list;
        for (const auto& entry : table()) {
            list << entry.first;
        }
        return list;
    }();
    return kTitles;
}

std::unique_ptr<NKDBarcode> create(const QString& title, const QString& content,
                                   bool printsCaption) {
    for (const auto& [name, make] : table()) {
        if (name == title) {
            std::unique_ptr<NKDBarcode> model = make();
            if (!model->initWithContent(content, printsCaption)) {
                return nullptr;
            }
            return model;
        }
    }
    return nullptr;
}

} // namespace LinearSymbologies
