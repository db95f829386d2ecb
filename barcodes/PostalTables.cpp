#include "barcodes/PostalTables.h"

namespace postnet {

char checkDigit(std::string_view digits) {
    int sum = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return 0;
        }
        sum += c - '0';
    }
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

} // namespace postnet

namespace royalmail {

char checkCharacter(std::string_view content) {
    int rows = 0;
    int columns = 0;
    for (const char c : content) {
        const int index = gridIndex(c);
        if (index < 0) {
            continue;
        }
        rows = (rows + index / 6 + 1) % 6;
        columns = (columns + index % 6 + 1) % 6;
    }
    const int row = rows == 0 ? 6 : rows;
    const int column = columns == 0 ? 6 : columns;
    return kChars[(row - 1) * 6 + (column - 1)].ch;
}

} // namespace royalmail

namespace japanpost {

namespace {

int value(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    switch (c) {
    case '-':
        return 10;
    case ':':
        return 11;
    case ';':
        return 12;
    case '<':
        return 13;
    case '=':
        return 14;
    case '>':
        return 15;
    case '?':
        return 16;
    case '.':
        return 17;
    case '/':
        return 18;
    default:
        return 0;
    }
}

} // namespace

Encoded encode(std::string_view content) {
    Encoded out;
    for (const char raw : content) {
        const char c = raw >= 'a' && raw <= 'z' ? static_cast<char>(raw - 'a' + 'A') : raw;
        std::string code;
        if (c >= 'A' && c <= 'J') {
            code = {':', static_cast<char>('0' + (c - 'A'))};
        } else if (c >= 'K' && c <= 'T') {
            code = {';', static_cast<char>('0' + (c - 'K'))};
        } else if (c >= 'U' && c <= 'Z') {
            code = {'<', static_cast<char>('0' + (c - 'U'))};
        } else if ((c >= '0' && c <= '9') || c == '-') {
            code = std::string(1, c);
        } else {
            continue;
        }
        // A letter is never split from its digit: what does not fit whole is
        // left out, so the symbol and the caption say the same.
        if (out.contents.size() + code.size() > kLength) {
            break;
        }
        out.contents += code;
        out.caption += c;
    }
    out.contents.append(kLength - out.contents.size(), kFiller);
    return out;
}

char checkCharacter(std::string_view contents) {
    static constexpr std::string_view kCheckChars = "0123456789-:;<=>?./";
    int sum = 0;
    for (const char c : contents) {
        sum += value(c);
    }
    const int check = 19 - sum % 19;
    return check == 19 ? '0' : kCheckChars[check];
}

} // namespace japanpost
