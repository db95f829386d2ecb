#include "dataseries/ColumnFollowing.h"

ColumnFollowing::ColumnFollowing(const QStringList& before, const QStringList& after)
    : m_before(before), m_after(after) {}

int ColumnFollowing::newIndex(int index) const {
    if (index < 0 || index >= m_before.size()) {
        return -1;
    }
    if (unchanged() || index == 0) {
        return index;
    }
    const QString& title = m_before.at(index);
    if (title.isEmpty()) {
        return -1;
    }
    // Which of the equal titles it is, counted among the chosen columns.
    int occurrence = 0;
    for (int i = 1; i < index; ++i) {
        if (m_before.at(i) == title) {
            ++occurrence;
        }
    }
    for (int i = 1; i < m_after.size(); ++i) {
        if (m_after.at(i) == title && occurrence-- == 0) {
            return i;
        }
    }
    return -1;
}

QString ColumnFollowing::title(int index) const {
    return index >= 0 && index < m_before.size() ? m_before.at(index) : QString();
}

QString Lost_Column_Name(const QString& title, int index) {
    if (!title.isEmpty()) {
        return QStringLiteral("\"%1\"").arg(title);
    }
    return QStringLiteral("%1 (no title)").arg(index);
}
