#include "barcodes/UpcEanTables.h"

namespace upcean {

bool allDigits(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

char checkDigit(std::string_view digits) {
    if (!allDigits(digits)) {
        return 0;
    }
    int sum = 0;
    int weight = 3;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        sum += weight * (*it - '0');
        weight = weight == 3 ? 1 : 3;
    }
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

bool ean13EvenParity(char firstDigit, int index) {
    if (firstDigit < '0' || firstDigit > '9' || index < 1 || index > 6) {
        return false;
    }
    return kEan13Parity[firstDigit - '0'][index - 1] == 'E';
}

bool upcEEvenParity(char numberSystem, char check, int index) {
    if ((numberSystem != '0' && numberSystem != '1') || check < '0' || check > '9' || index < 1 ||
        index > 6) {
        return false;
    }
    const bool even = kUpcEParity[check - '0'][index - 1] == 'E';
    return numberSystem == '0' ? even : !even;
}

std::string upcEToUpcA(std::string_view s) {
    if (s.size() != 7 || !allDigits(s)) {
        return {};
    }
    // s[0] number system, s[1..6] the digits d1..d6.
    const std::string d(s.substr(1));
    std::string manufacturer;
    std::string product;
    switch (d[5]) {
    case '0':
    case '1':
    case '2':
        manufacturer = {d[0], d[1], d[5], '0', '0'};
        product = {'0', '0', d[2], d[3], d[4]};
        break;
    case '3':
        manufacturer = {d[0], d[1], d[2], '0', '0'};
        product = {'0', '0', '0', d[3], d[4]};
        break;
    case '4':
        manufacturer = {d[0], d[1], d[2], d[3], '0'};
        product = {'0', '0', '0', '0', d[4]};
        break;
    default:
        manufacturer = d.substr(0, 5);
        product = {'0', '0', '0', '0', d[5]};
        break;
    }
    return s[0] + manufacturer + product;
}

std::string upcAToUpcE(std::string_view a) {
    if (a.size() < 12) {
        return {};
    }
    // a[1..5] manufacturer M1..M5, a[6..10] product P1..P5.
    const std::string_view m = a.substr(1, 5);
    const std::string_view p = a.substr(6, 5);
    const std::string_view m345 = m.substr(2, 3);
    if (m345 == "000" || m345 == "100" || m345 == "200") {
        if (p.substr(0, 2) != "00") {
            return {};
        }
        return std::string{m[0], m[1], p[2], p[3], p[4], m[2]};
    }
    if (m.substr(3, 2) == "00") {
        if (p.substr(0, 3) != "000") {
            return {};
        }
        return std::string{m[0], m[1], m[2], p[3], p[4], '3'};
    }
    if (m[4] == '0') {
        if (p.substr(0, 4) != "0000") {
            return {};
        }
        return std::string{m[0], m[1], m[2], m[3], p[4], '4'};
    }
    if (p[4] >= '5' && p[4] <= '9') {
        if (p.substr(0, 4) != "0000") {
            return {};
        }
        return std::string(m) + p[4];
    }
    return {};
}

} // namespace upcean
