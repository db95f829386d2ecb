#pragma once
// The number a user typed into a value field, read once per edit.

#include <QLineEdit>
#include <cmath>
#include <optional>

// The field's number when the user changed its text since the last read;
// none when nothing was typed or the text is no finite number ("nan" and
// "inf" read as numbers but are none). The field counts as read either way.
inline std::optional<double> takeTypedNumber(QLineEdit* field) {
    if (!field || !field->isModified()) {
        return std::nullopt;
    }
    field->setModified(false);
    bool ok = false;
    const double typed = field->text().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(typed)) {
        return std::nullopt;
    }
    return typed;
}
