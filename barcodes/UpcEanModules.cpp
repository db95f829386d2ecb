#include "barcodes/UpcEanModules.h"

#include "barcodes/UpcEanTables.h"

namespace upcean {

QString rightHand(const NKDAbstractUPCEANBarcode& model, std::string_view digits,
                  signed char check) {
    QString modules(QLatin1String(""));
    for (const char digit : digits) {
        modules += swapHandedness(model._encodeChar(digit));
    }
    if (check != -1) {
        modules += swapHandedness(model._encodeChar(static_cast<char>(check)));
    }
    return modules;
}

QString checkText(signed char check) {
    return check == -1 ? QString(QLatin1String(""))
                       : QString(QLatin1Char(static_cast<char>(check)));
}

bool digitsWithCheck(std::string_view digits, std::size_t length, signed char check) {
    return digits.size() == length && allDigits(digits) && checkDigit(digits) == check;
}

signed char typedCheck(QChar check) {
    return check.unicode() < 128 ? static_cast<signed char>(check.unicode()) : -1;
}

} // namespace upcean
