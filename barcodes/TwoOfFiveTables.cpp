#include "barcodes/TwoOfFiveTables.h"

namespace twoOfFive {

std::string interleavedModules(std::string_view digits) {
    std::string text(digits);
    if (text.size() % 2 != 0) {
        text.insert(text.begin(), '0');
    }
    std::string modules;
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
        for (int element = 0; element < 5; ++element) {
            modules += isNarrow(text[i], element) ? "1" : "111";
            modules += isNarrow(text[i + 1], element) ? "0" : "000";
        }
    }
    return modules;
}

std::string industrialModules(std::string_view digits) {
    std::string modules;
    for (const char digit : digits) {
        for (int element = 0; element < 5; ++element) {
            modules += isNarrow(digit, element) ? "100" : "11100";
        }
    }
    return modules;
}

} // namespace twoOfFive
