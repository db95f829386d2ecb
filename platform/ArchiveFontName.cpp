#include "platform/ArchiveFontName.h"

namespace ArchiveFontName {
namespace {

// "TimesNewRoman" -> "Times New Roman", "ComicSansMS" -> "Comic Sans MS".
QString splitWords(const QString& word) {
    QString out;
    for (qsizetype i = 0; i < word.size(); ++i) {
        const QChar c = word.at(i);
        if (i > 0 && c.isUpper()) {
            const QChar before = word.at(i - 1);
            const bool nextLower = i + 1 < word.size() && word.at(i + 1).isLower();
            if (before.isLower() || before.isDigit() || (before.isUpper() && nextLower)) {
                out += u' ';
            }
        }
        out += c;
    }
    return out;
}

QString stripSuffix(QString text, const QString& suffix) {
    if (text.size() > suffix.size() && text.endsWith(suffix)) {
        text.chop(suffix.size());
    }
    return text;
}

} // namespace

Face parse(const QString& name) {
    Face face;
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || trimmed.contains(u' ')) {
        face.family = trimmed;
        return face;
    }
    const qsizetype dash = trimmed.lastIndexOf(u'-');
    const QString family = dash > 0 ? trimmed.left(dash) : trimmed;
    const QString style = dash > 0 ? trimmed.mid(dash + 1) : QString();
    // Monotype's "MT" and the "PS" of PostScript flavours are no part of the
    // family name.
    const QString base =
        stripSuffix(stripSuffix(family, QStringLiteral("MT")), QStringLiteral("PS"));
    if (dash <= 0 && base == family) {
        face.family = trimmed; // a family name of one word ("Helvetica", "FreeSans")
        return face;
    }
    face.family = splitWords(base);
    face.bold = style.contains(QStringLiteral("Bold"), Qt::CaseInsensitive) ||
                style.contains(QStringLiteral("Black"), Qt::CaseInsensitive) ||
                style.contains(QStringLiteral("Heavy"), Qt::CaseInsensitive);
    face.italic = style.contains(QStringLiteral("Italic"), Qt::CaseInsensitive) ||
                  style.contains(QStringLiteral("Oblique"), Qt::CaseInsensitive);
    return face;
}

QFont font(const Face& face, double pointSize) {
    QFont result(face.family);
    result.setPointSizeF(pointSize);
    if (face.bold) {
        result.setBold(true);
    }
    if (face.italic) {
        result.setItalic(true);
    }
    return result;
}

QFont font(const QString& name, double pointSize) {
    return font(parse(name), pointSize);
}

} // namespace ArchiveFontName
