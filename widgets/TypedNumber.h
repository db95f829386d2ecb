#pragma once
// The number a user typed into a value field, read once per edit.

#include <QLineEdit>
#include <cmath>
#include <functional>
#include <optional>

// The field's number when the user changed its text since the last read;
// none when nothing was typed or the text is no finite number ("nan" and
// "inf" read as numbers but are none), and then `refused` runs (to show the
// value kept). The field counts as read either way.
inline std::optional<double> takeTypedNumber(QLineEdit* field,
                                             const std::function<void()>& refused) {
    if (!field || !field->isModified()) {
        return std::nullopt;
    }
    field->setModified(false);
    bool ok = false;
    const double typed = field->text().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(typed)) {
        refused();
        return std::nullopt;
    }
    return typed;
}
