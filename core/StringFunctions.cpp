#include "core/StringFunctions.h"

#include <QStringView>

namespace {

// White space and line breaks: the Unicode separators (Zs, Zl, Zp), tab,
// line feed, vertical tab, form feed, carriage return and next line.
bool isSpaceOrBreak(char32_t c) {
    return QChar::isSpace(c);
}

bool isControl(char32_t c) {
    const QChar::Category category = QChar::category(c);
    return category == QChar::Other_Control || category == QChar::Other_Format;
}

bool isReserved(char32_t c) {
    switch (c) {
    case U'/':
    case U'\\':
    case U'?':
    case U'%':
    case U'*':
    case U'|':
    case U'"':
    case U'<':
    case U'>':
        return true;
    default:
        return false;
    }
}

// s without the characters matching `drop` at either end. Works on code
// points, so a surrogate pair is kept or dropped whole.
template <typename Pred> QString trimEnds(const QString& s, Pred drop) {
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end) {
        char32_t c = s.at(begin).unicode();
        qsizetype width = 1;
        if (QChar::isHighSurrogate(c) && begin + 1 < end && s.at(begin + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(s.at(begin), s.at(begin + 1));
            width = 2;
        }
        if (!drop(c)) {
            break;
        }
        begin += width;
    }
    while (end > begin) {
        char32_t c = s.at(end - 1).unicode();
        qsizetype width = 1;
        if (QChar::isLowSurrogate(c) && end - 2 >= begin && s.at(end - 2).isHighSurrogate()) {
            c = QChar::surrogateToUcs4(s.at(end - 2), s.at(end - 1));
            width = 2;
        }
        if (!drop(c)) {
            break;
        }
        end -= width;
    }
    return s.mid(begin, end - begin);
}

} // namespace

QString Trim_Str(const QString& s) {
    return trimEnds(trimEnds(s, isSpaceOrBreak), isControl);
}

QString Remove_Reserve_Char_In_File_Name(const QString& s) {
    return Trim_Str(trimEnds(s, isReserved));
}

QString Replace_Char_For_valid(const QString& s) {
    return Trim_Str(s);
}

QString Left_Str_substringToIndex(const QString& s, std::int32_t n) {
    const qsizetype count = n < 0 ? 0 : n;
    return count < s.size() ? s.left(count) : s;
}

QString Right_Str_substringFromIndex(const QString& s, std::int32_t n) {
    const qsizetype count = n < 0 ? 0 : n;
    return count < s.size() ? s.right(count) : s;
}

namespace {
// The index as the unsigned 64-bit value it is compared as: every negative
// index lies past the end of any string.
bool pastEnd(const QString& s, std::int32_t i) {
    return static_cast<std::uint64_t>(static_cast<std::int64_t>(i)) >
           static_cast<std::uint64_t>(s.size());
}
} // namespace

QString Read_Str_FromIndex(const QString& s, std::int32_t i) {
    return pastEnd(s, i) ? QStringLiteral("") : s.mid(i);
}

QString Read_Str_Upto_Index(const QString& s, std::int32_t i) {
    return pastEnd(s, i) ? QStringLiteral("") : s.left(i);
}

QString Replace_char_in_string(const QString& s, const QString& find, const QString& replacement) {
    if (find.isEmpty()) {
        return s;
    }
    QString result = s;
    result.replace(find, replacement, Qt::CaseSensitive);
    return result;
}

int Find_Str(const QString& s, const QString& t) {
    if (t.isEmpty()) {
        return 0;
    }
    return s.contains(t, Qt::CaseSensitive) ? 1 : 0;
}
