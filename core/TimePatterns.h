#pragma once
// Time-format patterns as the text inspector offers them ("h:mm:ss a",
// "HH:mm:ss"). They use the Unicode date-format letters; Qt's formatter reads
// the hour, minute and second letters alike, but its AM/PM marker is "AP"
// where these patterns say "a" (Qt's "a" gives a lower-case "am"/"pm").

#include <QString>
#include <QTime>

namespace TimePatterns {

// The pattern with every run of the AM/PM letter "a" outside quoted text
// written as Qt's "AP"; everything else as it stands.
QString qtPattern(const QString& pattern);

// The time formatted with the pattern, in the C locale ("1:05:09 PM").
QString timeText(const QTime& time, const QString& pattern);

} // namespace TimePatterns
