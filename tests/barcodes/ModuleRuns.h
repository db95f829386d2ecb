#pragma once
// Reading module strings back as element widths, for structural checks.

#include <QString>
#include <string_view>
#include <vector>

namespace modulerun {

// Widths of the alternating runs of "1" and "0", starting with the first.
inline std::vector<int> runs(std::string_view modules) {
    std::vector<int> widths;
    for (std::size_t i = 0; i < modules.size();) {
        std::size_t j = i;
        while (j < modules.size() && modules[j] == modules[i]) {
            ++j;
        }
        widths.push_back(static_cast<int>(j - i));
        i = j;
    }
    return widths;
}

// True when the text holds only "0" and "1".
inline bool isModuleString(const QString& text) {
    for (const QChar ch : text) {
        if (ch != QLatin1Char('0') && ch != QLatin1Char('1')) {
            return false;
        }
    }
    return true;
}

} // namespace modulerun
