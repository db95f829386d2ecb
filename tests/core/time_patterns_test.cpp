// Time-format patterns of the text inspector applied to fixed times.

#include "core/TimePatterns.h"

#include <gtest/gtest.h>

TEST(TimePatterns, FormatFixedTimes) {
    struct Case {
        const char* pattern;
        QTime time;
        const char* text;
    };
    const Case cases[] = {
        // The four patterns the inspector offers.
        {"h:mm:ss a", QTime(13, 5, 9), "1:05:09 PM"},
        {"h:mm:ss a", QTime(0, 5, 9), "12:05:09 AM"},
        {"h:mm:ss a", QTime(12, 0, 0), "12:00:00 PM"},
        {"hh:mm:ss a", QTime(9, 30, 0), "09:30:00 AM"},
        {"hh:mm:ss a", QTime(23, 59, 59), "11:59:59 PM"},
        {"H:mm:ss", QTime(13, 5, 9), "13:05:09"},
        {"H:mm:ss", QTime(7, 5, 9), "7:05:09"},
        {"HH:mm:ss", QTime(7, 5, 9), "07:05:09"},
        // A run of the marker letter is one marker; quoted text stays as typed.
        {"h aaa", QTime(15, 0, 0), "3 PM"},
        {"h 'at' a", QTime(15, 0, 0), "3 at PM"},
        {"h 'o''clock' a", QTime(8, 0, 0), "8 o'clock AM"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TimePatterns::timeText(c.time, QString::fromLatin1(c.pattern)),
                  QString::fromLatin1(c.text))
            << c.pattern << " at " << c.time.toString().toStdString();
    }
}

TEST(TimePatterns, OnlyTheMarkerLetterIsRewritten) {
    EXPECT_EQ(TimePatterns::qtPattern(QStringLiteral("h:mm:ss a")), QStringLiteral("h:mm:ss AP"));
    EXPECT_EQ(TimePatterns::qtPattern(QStringLiteral("HH:mm:ss")), QStringLiteral("HH:mm:ss"));
    EXPECT_EQ(TimePatterns::qtPattern(QStringLiteral("'a' a")), QStringLiteral("'a' AP"));
    EXPECT_EQ(TimePatterns::qtPattern(QString()), QString());
}
