#include "barcodes/Code39Tables.h"

namespace code39 {

std::string extendedPair(char c) {
    if (c == ' ' || c == '-' || c == '.' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) {
        return std::string(1, c);
    }
    if (c >= 'a' && c <= 'z') {
        return std::string{'+', static_cast<char>(c - 'a' + 'A')};
    }
    for (const ExtendedPair& entry : kExtendedPairs) {
        if (entry.ch == c) {
            return std::string(entry.pair);
        }
    }
    return {};
}

} // namespace code39
