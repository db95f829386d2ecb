#include "dataseries/SeriesFiles.h"

#include "platform/PendingFile.h"

#include "core/MessageFunctions.h"
#include "core/StringFunctions.h"
#include "core/globals.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

// Series files are lists of short texts; anything beyond this is not one.
constexpr qint64 maxSeriesFileBytes = qint64(256) * 1024 * 1024;

bool isTrimmedAtEnd(char32_t c) {
    const QChar::Category category = QChar::category(c);
    return QChar::isSpace(c) || category == QChar::Other_Control || category == QChar::Other_Format;
}

QString trimEnd(const QString& text) {
    qsizetype end = text.size();
    while (end > 0) {
        const QChar c = text.at(end - 1);
        if (c.isLowSurrogate() && end > 1 && text.at(end - 2).isHighSurrogate()) {
            if (!isTrimmedAtEnd(QChar::surrogateToUcs4(text.at(end - 2), c))) {
                break;
            }
            end -= 2;
        } else if (isTrimmedAtEnd(c.unicode())) {
            --end;
        } else {
            break;
        }
    }
    return text.left(end);
}

QString oneLine(const QString& value) {
    QString line = value;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line;
}

} // namespace

bool Is_Valid_Series_Name(const QString& name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
}

QString Series_File_Path(const QString& name) {
    if (!Is_Valid_Series_Name(name)) {
        return QString();
    }
    return Data_Folder_Path + QLatin1Char('/') + name + QLatin1Char('.') + batch_file_EXT;
}

std::optional<QString> Read_Series_Text(const QString& name) {
    const QString path = Series_File_Path(name);
    if (path.isEmpty()) {
        return std::nullopt;
    }
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    if (file.size() > maxSeriesFileBytes) {
        Show_NSLog_Message(QStringLiteral("Series file too large: %1").arg(path));
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        Show_NSLog_Message(QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    // Strict decoding: any invalid sequence makes the file unreadable. The
    // decoder drops a leading byte-order mark; a sequence cut off at the end
    // is an error too.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        Show_NSLog_Message(QStringLiteral("Not valid UTF-8: %1").arg(path));
        return std::nullopt;
    }
    return text;
}

QString Get_First_Value_Of_Dataset(const QString& name) {
    const std::optional<QString> text = Read_Series_Text(name);
    if (!text) {
        return QString();
    }
    const qsizetype end = text->indexOf(QLatin1Char('\n'));
    return end < 0 ? *text : text->left(end);
}

std::optional<QStringList> Read_Batch_Values(const QString& name) {
    const std::optional<QString> text = Read_Series_Text(name);
    if (!text) {
        Show_NSLog_Message(QStringLiteral("Batch Processing Series not loaded: %1").arg(name));
        return std::nullopt;
    }
    return trimEnd(*text).split(QLatin1Char('\n'));
}

QStringList Read_Display_Values(const QString& name) {
    QStringList values;
    const std::optional<QString> text = Read_Series_Text(name);
    if (!text) {
        return values;
    }
    for (const QString& piece : text->split(QLatin1Char('\n'))) {
        const QString value = Trim_Str(piece);
        if (!value.isEmpty()) {
            values << value;
        }
    }
    return values;
}

bool Write_Series_File(const QString& name, const QStringList& values, bool append) {
    const QString path = Series_File_Path(name);
    if (path.isEmpty()) {
        Show_NSLog_Message(QStringLiteral("Refused series name: %1").arg(name));
        return false;
    }
    QByteArray content;
    if (append && QFileInfo::exists(path)) {
        QFile old(path);
        if (!old.open(QIODevice::ReadOnly)) {
            return false;
        }
        content = old.readAll();
        if (old.error() != QFileDevice::NoError) {
            return false;
        }
        // Appended values start on a line of their own.
        if (!content.isEmpty() && !content.endsWith('\n')) {
            content += '\n';
        }
    }
    for (const QString& value : values) {
        content += oneLine(value).toUtf8();
        content += '\n';
    }
    QString reason;
    if (!Write_File_Whole(path, content, &reason)) {
        Show_NSLog_Message(reason);
        return false;
    }
    return true;
}
