#include "dataseries/TextImport.h"

#include "core/StringFunctions.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

// Characters of the bytes 0x80..0x9F in windows-1252; 0 where the code page
// leaves the byte undefined (it then stands for itself).
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

QChar Cp1252_Char(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0 && kCp1252High[byte - 0x80] != 0) {
        return QChar(kCp1252High[byte - 0x80]);
    }
    return QChar(char16_t(byte));
}

QString Decode_Text_Bytes(const QByteArray& bytes) {
    // A byte-order mark names the encoding (the mark itself is dropped).
    if (const auto encoding = QStringConverter::encodingForData(bytes)) {
        if (*encoding != QStringConverter::Utf8 || bytes.startsWith("\xEF\xBB\xBF")) {
            QStringDecoder decoder(*encoding);
            return decoder.decode(bytes);
        }
    }
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        return text;
    }
    QString latin;
    latin.reserve(bytes.size());
    for (const char c : bytes) {
        latin.append(Cp1252_Char(static_cast<unsigned char>(c)));
    }
    return latin;
}

namespace {

bool isSkippedDestination(const QByteArray& word) {
    static const QList<QByteArray> skipped = {"fonttbl", "colortbl", "stylesheet", "info", "pict"};
    return skipped.contains(word);
}

} // namespace

QString Rtf_Plain_Text(const QByteArray& rtf) {
    struct Group {
        bool skip = false;
        int uc = 1;
    };
    QList<Group> stack{Group{}};
    QString out;
    int pendingSkip = 0; // fallback characters still to drop after \uN
    bool groupStart = false;
    const qsizetype n = rtf.size();
    auto put = [&](QChar c) {
        if (pendingSkip > 0) {
            --pendingSkip;
            return;
        }
        if (!stack.last().skip) {
            out.append(c);
        }
    };
    for (qsizetype i = 0; i < n;) {
        const char c = rtf[i];
        if (c == '{') {
            stack.append(stack.last());
            groupStart = true;
            pendingSkip = 0;
            ++i;
            continue;
        }
        if (c == '}') {
            if (stack.size() > 1) {
                stack.removeLast();
            }
            groupStart = false;
            pendingSkip = 0;
            ++i;
            continue;
        }
        if (c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (c != '\\') {
            groupStart = false;
            put(QChar(char16_t(static_cast<unsigned char>(c))));
            ++i;
            continue;
        }
        // A control word or symbol.
        ++i;
        if (i >= n) {
            break;
        }
        const char s = rtf[i];
        const bool atStart = groupStart;
        groupStart = false;
        if (!std::isalpha(static_cast<unsigned char>(s))) {
            ++i;
            switch (s) {
            case '\\':
            case '{':
            case '}':
                put(QChar(char16_t(s)));
                break;
            case '~':
                put(QChar(char16_t(0x00A0)));
                break;
            case '_':
                put(QChar(char16_t(0x2011)));
                break;
            case '*':
                if (atStart) {
                    stack.last().skip = true;
                }
                break;
            case '\'': {
                if (i + 2 <= n) {
                    bool ok = false;
                    const int value = rtf.mid(i, 2).toInt(&ok, 16);
                    i += 2;
                    if (ok) {
                        put(Cp1252_Char(static_cast<unsigned char>(value)));
                    }
                }
                break;
            }
            case '\r':
            case '\n':
                put(QLatin1Char('\n'));
                break;
            default:
                break;
            }
            continue;
        }
        qsizetype start = i;
        while (i < n && std::isalpha(static_cast<unsigned char>(rtf[i]))) {
            ++i;
        }
        const QByteArray word = rtf.mid(start, i - start);
        bool hasParam = false;
        long long param = 0;
        if (i < n && (rtf[i] == '-' || std::isdigit(static_cast<unsigned char>(rtf[i])))) {
            start = i;
            ++i;
            while (i < n && std::isdigit(static_cast<unsigned char>(rtf[i])) && i - start < 11) {
                ++i;
            }
            param = rtf.mid(start, i - start).toLongLong(&hasParam);
        }
        if (i < n && rtf[i] == ' ') {
            ++i; // the delimiter belongs to the control word
        }
        if (atStart && isSkippedDestination(word)) {
            stack.last().skip = true;
        } else if (word == "par" || word == "line") {
            put(QLatin1Char('\n'));
        } else if (word == "tab") {
            put(QLatin1Char('\t'));
        } else if (word == "uc" && hasParam) {
            stack.last().uc = int(qBound(0LL, param, 16LL));
        } else if (word == "u" && hasParam) {
            const int code = int(param < 0 ? param + 65536 : param);
            pendingSkip = 0;
            put(QChar(char16_t(code & 0xFFFF)));
            pendingSkip = stack.last().uc;
        }
    }
    return out;
}

QStringList Split_Csv_Values(const QString& text) {
    QStringList values;
    QString field;
    bool quoted = false;
    bool fieldStarted = false;
    const qsizetype n = text.size();
    auto endField = [&] {
        values.append(field);
        field.clear();
        fieldStarted = false;
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                    field.append(c);
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field.append(c);
            }
            continue;
        }
        if (c == QLatin1Char('"') && !fieldStarted && field.isEmpty()) {
            quoted = true;
            fieldStarted = true;
        } else if (c == QLatin1Char(',')) {
            endField();
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n')) {
                ++i;
            }
            endField();
        } else {
            field.append(c);
            fieldStarted = true;
        }
    }
    if (fieldStarted || !field.isEmpty()) {
        endField();
    }
    return values;
}

QString chk_and_insert_validation(const QString& text) {
    QString cleaned = text;
    cleaned.remove(QLatin1Char('\\'));
    cleaned.remove(QLatin1Char('{'));
    cleaned.remove(QLatin1Char('}'));
    return Trim_Str(cleaned);
}

QString Text_File_Content(const QString& extension, const QByteArray& bytes) {
    if (extension.toUpper() == QLatin1String("RTF")) {
        return Rtf_Plain_Text(bytes);
    }
    return Decode_Text_Bytes(bytes);
}

QStringList Text_File_Values(const QString& extension, const QString& content) {
    const QStringList pieces = extension.toUpper() == QLatin1String("CSV")
                                   ? Split_Csv_Values(content)
                                   : content.split(QLatin1Char('\n'));
    QStringList values;
    for (const QString& piece : pieces) {
        const QString value = chk_and_insert_validation(piece);
        if (value.isEmpty() || value.contains(QLatin1String("NSFont = "))) {
            continue;
        }
        values.append(value);
    }
    return values;
}

const QStringList& Picture_Extensions() {
    static const QStringList extensions = {"jpg", "jpeg", "jpe", "jfif", "gif",
                                           "bmp", "png",  "tif", "tiff"};
    return extensions;
}

QStringList Picture_Folder_Values(const QString& folder) {
    QStringList values;
    const QDir dir(folder);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if (entry.isDir() || !entry.exists()) {
            continue;
        }
        if (Picture_Extensions().contains(entry.suffix().toLower())) {
            values.append(dir.filePath(entry.fileName()));
        }
    }
    return values;
}
