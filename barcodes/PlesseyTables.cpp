#include "barcodes/PlesseyTables.h"

namespace plessey {

std::string charModules(char c) {
    const int value = hexValue(c);
    if (value < 0) {
        return {};
    }
    return bitModules(kBits[value]);
}

std::string bitModules(std::string_view bits) {
    std::string modules;
    for (const char bit : bits) {
        modules += bit == '1' ? kOne : kZero;
    }
    return modules;
}

std::string crcBits(std::string_view content) {
    std::string bits;
    for (const char c : content) {
        const int value = hexValue(c);
        if (value < 0) {
            return {};
        }
        bits += kBits[value];
    }
    const std::size_t dataBits = bits.size();
    bits.append(kPolynomial.size() - 1, '0');
    for (std::size_t i = 0; i < dataBits; ++i) {
        if (bits[i] != '1') {
            continue;
        }
        for (std::size_t k = 0; k < kPolynomial.size(); ++k) {
            if (kPolynomial[k] == '1') {
                bits[i + k] = bits[i + k] == '1' ? '0' : '1';
            }
        }
    }
    return bits.substr(dataBits);
}

} // namespace plessey

namespace msi {

std::string digitModules(char c) {
    if (c < '0' || c > '9') {
        return {};
    }
    const int value = c - '0';
    std::string modules;
    for (int bit = 3; bit >= 0; --bit) {
        modules += (value >> bit) & 1 ? kOne : kZero;
    }
    return modules;
}

char checkDigit(std::string_view digits) {
    if (digits.empty()) {
        return 0;
    }
    int sum = 0;
    bool doubled = true;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it < '0' || *it > '9') {
            return 0;
        }
        const int digit = *it - '0';
        if (doubled) {
            const int product = 2 * digit;
            sum += product / 10 + product % 10;
        } else {
            sum += digit;
        }
        doubled = !doubled;
    }
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

} // namespace msi
