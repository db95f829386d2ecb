#include "platform/SKTStyledText.h"

#include <algorithm>

QFont SKTStyledText::defaultFont() {
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(14.0);
    return font;
}

SKTStyledText::SKTStyledText() : SKTStyledText(QString()) {}

SKTStyledText::SKTStyledText(const QString& text, const QFont& font, const QColor& color)
    : m_text(text), m_runs{SKTTextRun{static_cast<int>(text.size()), font, color}} {}

void SKTStyledText::setString(const QString& text) {
    SKTTextRun first = m_runs.front();
    first.length = static_cast<int>(text.size());
    m_text = text;
    m_runs = {first};
}

int SKTStyledText::runIndexAt(int index) const {
    int start = 0;
    for (size_t i = 0; i < m_runs.size(); ++i) {
        if (index < start + m_runs[i].length) {
            return static_cast<int>(i);
        }
        start += m_runs[i].length;
    }
    return static_cast<int>(m_runs.size()) - 1;
}

// Makes a run boundary at index (0 < index < length).
void SKTStyledText::splitAt(int index) {
    int start = 0;
    for (size_t i = 0; i < m_runs.size(); ++i) {
        const int end = start + m_runs[i].length;
        if (index > start && index < end) {
            SKTTextRun tail = m_runs[i];
            tail.length = end - index;
            m_runs[i].length = index - start;
            m_runs.insert(m_runs.begin() + static_cast<std::ptrdiff_t>(i) + 1, tail);
            return;
        }
        start = end;
    }
}

void SKTStyledText::mergeRuns() {
    std::vector<SKTTextRun> merged;
    for (const SKTTextRun& run : m_runs) {
        if (run.length == 0 && !merged.empty()) {
            continue;
        }
        if (!merged.empty() && merged.back().font == run.font && merged.back().color == run.color) {
            merged.back().length += run.length;
        } else if (!merged.empty() && merged.back().length == 0) {
            merged.back() = run;
        } else {
            merged.push_back(run);
        }
    }
    if (merged.empty()) {
        merged.push_back(m_runs.front());
        merged.front().length = 0;
    }
    m_runs = std::move(merged);
}

void SKTStyledText::replaceCharacters(int from, int count, const QString& text) {
    const int len = length();
    from = std::clamp(from, 0, len);
    count = std::clamp(count, 0, len - from);
    SKTTextRun attrs = m_runs.front();
    if (count > 0) {
        attrs = m_runs[static_cast<size_t>(runIndexAt(from))];
    } else if (from > 0) {
        attrs = m_runs[static_cast<size_t>(runIndexAt(from - 1))];
    }
    splitAt(from);
    splitAt(from + count);
    // Keep the runs outside [from, from + count) and put the new one between.
    std::vector<SKTTextRun> runs;
    const SKTTextRun inserted{static_cast<int>(text.size()), attrs.font, attrs.color};
    bool placed = false;
    int start = 0;
    for (const SKTTextRun& run : m_runs) {
        if (!placed && start >= from) {
            runs.push_back(inserted);
            placed = true;
        }
        if (run.length > 0 && (start + run.length <= from || start >= from + count)) {
            runs.push_back(run);
        }
        start += run.length;
    }
    if (!placed) {
        runs.push_back(inserted);
    }
    m_text.replace(from, count, text);
    m_runs = std::move(runs);
    mergeRuns();
}

template <typename Apply> void SKTStyledText::applyToRange(int from, int count, Apply apply) {
    const int len = length();
    from = std::clamp(from, 0, len);
    count = std::clamp(count, 0, len - from);
    if (len == 0) {
        apply(m_runs.front()); // the attributes of text typed later
        return;
    }
    splitAt(from);
    splitAt(from + count);
    int start = 0;
    for (SKTTextRun& run : m_runs) {
        if (count > 0 && start >= from && start + run.length <= from + count) {
            apply(run);
        }
        start += run.length;
    }
    mergeRuns();
}

void SKTStyledText::setAttributes(int from, int count, const QFont& font, const QColor& color) {
    applyToRange(from, count, [&](SKTTextRun& run) {
        run.font = font;
        run.color = color;
    });
}

void SKTStyledText::setFont(int from, int count, const QFont& font) {
    applyToRange(from, count, [&](SKTTextRun& run) { run.font = font; });
}

void SKTStyledText::setColor(int from, int count, const QColor& color) {
    applyToRange(from, count, [&](SKTTextRun& run) { run.color = color; });
}

QFont SKTStyledText::fontAt(int index) const {
    return m_runs[static_cast<size_t>(runIndexAt(std::clamp(index, 0, std::max(0, length() - 1))))]
        .font;
}

QColor SKTStyledText::colorAt(int index) const {
    return m_runs[static_cast<size_t>(runIndexAt(std::clamp(index, 0, std::max(0, length() - 1))))]
        .color;
}

bool SKTStyledText::assign(const QString& text, std::vector<SKTTextRun> runs) {
    long long total = 0;
    for (const SKTTextRun& run : runs) {
        if (run.length < 0) {
            return false;
        }
        total += run.length;
    }
    if (runs.empty() || total != text.size()) {
        return false;
    }
    m_text = text;
    m_runs = std::move(runs);
    mergeRuns();
    return true;
}
