#include "dataseries/ColumnNames.h"

QString Column_Letters(int column) {
    QString letters;
    while (column > 0) {
        const int digit = (column - 1) % 26;
        letters.prepend(QChar(u'A' + digit));
        column = (column - 1) / 26;
    }
    return letters;
}

QString Get_Column_Char_Str(const QString& reference) {
    QString letters;
    for (const QChar c : reference) {
        const char16_t u = c.unicode();
        if ((u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z')) {
            letters.append(c.toUpper());
        } else {
            break;
        }
    }
    return letters;
}

int Get_Col_index(const QString& letters, int base) {
    if (letters.isEmpty()) {
        return -1;
    }
    int number = 0;
    for (const QChar c : letters) {
        const char16_t u = c.toUpper().unicode();
        if (u < u'A' || u > u'Z') {
            return -1;
        }
        number = number * 26 + (u - u'A' + 1);
        if (number > Max_Sheet_Columns) {
            return -1;
        }
    }
    return number - (base - 64);
}

int Asc_Val(const QString& text) {
    return text.isEmpty() ? 0 : text.at(0).unicode();
}
