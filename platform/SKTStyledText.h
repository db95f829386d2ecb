#pragma once
// Styled text of a text object: the characters plus runs of font and colour.
// A plain value (copyable, usable off the GUI thread). Lengths and indexes
// count UTF-16 code units, as QString does.

#include <QColor>
#include <QFont>
#include <QString>
#include <vector>

struct SKTTextRun {
    int length = 0; // UTF-16 code units
    QFont font;
    QColor color;

    bool operator==(const SKTTextRun& other) const {
        return length == other.length && font == other.font && color == other.color;
    }
};

class SKTStyledText {
public:
    // "Times New Roman" 14 points, black: the attributes of new text.
    static QFont defaultFont();
    static QColor defaultColor() { return Qt::black; }

    SKTStyledText(); // empty, default attributes
    explicit SKTStyledText(const QString& text, const QFont& font = defaultFont(),
                           const QColor& color = defaultColor());

    const QString& string() const { return m_text; }
    int length() const { return static_cast<int>(m_text.size()); }
    bool isEmpty() const { return m_text.isEmpty(); }

    // Runs covering the text in order; their lengths add up to length(). An
    // empty text keeps one run of length 0 with the attributes new text gets.
    const std::vector<SKTTextRun>& runs() const { return m_runs; }

    // Replaces the whole text; the new text takes the first run's attributes.
    void setString(const QString& text);
    // Replaces a range; the new characters take the attributes of the first
    // replaced character (or of the character before an insertion point, or
    // the first run's when inserting at 0). Out-of-range parts are clipped.
    void replaceCharacters(int from, int count, const QString& text);
    // Sets font and colour over a range (clipped).
    void setAttributes(int from, int count, const QFont& font, const QColor& color);
    void setFont(int from, int count, const QFont& font);
    void setColor(int from, int count, const QColor& color);

    // Attributes at a character index (clamped into the text).
    QFont fontAt(int index) const;
    QColor colorAt(int index) const;

    // Builds from explicit runs; answers false (leaving this unchanged) when
    // the run lengths are negative or do not add up to the text's length.
    bool assign(const QString& text, std::vector<SKTTextRun> runs);

    bool operator==(const SKTStyledText& other) const {
        return m_text == other.m_text && m_runs == other.m_runs;
    }
    bool operator!=(const SKTStyledText& other) const { return !(*this == other); }

private:
    int runIndexAt(int index) const;
    void splitAt(int index);
    void mergeRuns();
    template <typename Apply> void applyToRange(int from, int count, Apply apply);

    QString m_text;
    std::vector<SKTTextRun> m_runs;
};
