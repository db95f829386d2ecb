// Prints the module string, check character and validity of a linear symbol:
//   barcode_dump TITLE VALUE
#include "barcodes/LinearSymbologies.h"
#include "barcodes/NKDCode128Barcode.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: barcode_dump TITLE VALUE\ntitles:\n");
        for (const QString& title : LinearSymbologies::titles()) {
            std::fprintf(stderr, "  %s\n", qPrintable(title));
        }
        return 2;
    }
    const QString title = QString::fromUtf8(argv[1]);
    const auto model = LinearSymbologies::create(title, QString::fromUtf8(argv[2]), true);
    if (!model) {
        std::fprintf(stderr, "unknown title: %s\n", argv[1]);
        return 2;
    }
    std::printf("modules: %s\n", qPrintable(model->completeBarcode()));
    std::printf("count: %lld\n", static_cast<long long>(model->completeBarcode().size()));
    const int check = model->checkDigit();
    if (check == -1) {
        std::printf("check: none\n");
    } else if (dynamic_cast<const NKDCode128Barcode*>(model.get()) != nullptr) {
        std::printf("check: %d\n", check);
    } else {
        std::printf("check: %c\n", static_cast<char>(check));
    }
    std::printf("caption: %s\n", qPrintable(model->caption()));
    std::printf("valid: %s\n", model->isContentValid() ? "yes" : "no");
    return model->isContentValid() ? 0 : 1;
}
