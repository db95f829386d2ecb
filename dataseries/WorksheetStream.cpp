#include "dataseries/WorksheetStream.h"

#include "dataseries/ColumnNames.h"
#include "dataseries/NumberText.h"
#include "dataseries/StringItemReading.h"
#include "dataseries/XlsxText.h"

#include <charconv>

namespace {

// The 0-based column of a cell reference such as "AB12": -1 when it has no
// letters, -2 when the letters are past the sheet's last column.
int columnOfReference(std::string_view reference) {
    int number = 0;
    size_t i = 0;
    for (; i < reference.size(); ++i) {
        char c = reference[i];
        if (c >= 'a' && c <= 'z') {
            c = char(c - 'a' + 'A');
        }
        if (c < 'A' || c > 'Z') {
            break;
        }
        number = number * 26 + (c - 'A' + 1);
        if (number > Max_Sheet_Columns) {
            return -2;
        }
    }
    return i == 0 ? -1 : number - 1;
}

// The column a cell goes to: the one its reference names (as
// columnOfReference gives it), else the one after the previous cell; -1
// past the sheet's last column. `next` follows each cell placed.
int placeCell(int referenced, int& next) {
    const int column = referenced == -1 ? next : referenced;
    if (column >= 0 && column < Max_Sheet_Columns) {
        next = column + 1;
        return column;
    }
    return -1;
}

// A non-negative decimal index with optional surrounding white space, or -1.
long long indexOf(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\n\r");
    if (first == std::string_view::npos) {
        return -1;
    }
    text = text.substr(first, text.find_last_not_of(" \t\n\r") - first + 1);
    long long value = -1;
    const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || stop != text.data() + text.size()) {
        return -1;
    }
    return value;
}

bool isTagSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isPlainNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.' || c == ':';
}

// Reads the attributes of a start tag from `at` (just after its name) to its
// end, calling found(name, value) for each. Only ASCII names and values that
// need no decoding pass (no entity, no white space other than spaces, which
// attribute values keep as they are). Answers the offset after the
// tag, or npos; `empty` tells whether it ends with "/>".
template <typename F>
size_t plainAttributes(std::string_view s, size_t at, bool& empty, F&& found) {
    size_t i = at;
    for (;;) {
        const size_t spaceStart = i;
        while (i < s.size() && isTagSpace(s[i])) {
            ++i;
        }
        if (i >= s.size()) {
            return std::string_view::npos;
        }
        if (s[i] == '>') {
            empty = false;
            return i + 1;
        }
        if (s[i] == '/') {
            empty = true;
            return i + 1 < s.size() && s[i + 1] == '>' ? i + 2 : std::string_view::npos;
        }
        const size_t nameStart = i;
        if (i == spaceStart || s[i] == '-' || s[i] == '.' || (s[i] >= '0' && s[i] <= '9')) {
            return std::string_view::npos;
        }
        while (i < s.size() && isPlainNameChar(s[i])) {
            ++i;
        }
        if (i == nameStart || i + 1 >= s.size() || s[i] != '=' ||
            (s[i + 1] != '"' && s[i + 1] != '\'')) {
            return std::string_view::npos;
        }
        const std::string_view name = s.substr(nameStart, i - nameStart);
        const char quote = s[i + 1];
        i += 2;
        const size_t valueStart = i;
        for (; i < s.size() && s[i] != quote; ++i) {
            const char c = s[i];
            if (c == '&' || c == '<' || c == '\t' || c == '\n' || c == '\r') {
                return std::string_view::npos;
            }
        }
        if (i >= s.size()) {
            return std::string_view::npos;
        }
        found(name, s.substr(valueStart, i - valueStart));
        ++i;
    }
}

// Text from `at` up to the next '<', with no entity or carriage return to
// decode; npos when there is no such text there.
size_t plainTextEnd(std::string_view s, size_t at) {
    for (size_t i = at; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '<') {
            return i;
        }
        if (c == '&' || c == '\r') {
            return std::string_view::npos;
        }
    }
    return std::string_view::npos;
}

// Whether `what` stands at `at`; compared byte by byte, being a few bytes.
template <size_t N> bool hasAt(std::string_view s, size_t at, const char (&what)[N]) {
    if (at == std::string_view::npos || s.size() < at || s.size() - at < N - 1) {
        return false;
    }
    for (size_t i = 0; i + 1 < N; ++i) {
        if (s[at + i] != what[i]) {
            return false;
        }
    }
    return true;
}

// How much the reader looks ahead for a cell read straight from the bytes;
// a longer cell is read token by token.
constexpr size_t plainCellLookahead = 4096;

} // namespace

WorksheetStream::WorksheetStream(const QString& partPath) : m_xml(partPath) {}

WorksheetStream::WorksheetStream(std::unique_ptr<QIODevice> device) : m_xml(std::move(device)) {}

bool WorksheetStream::stop(const QString& error) {
    m_done = true;
    if (m_error.isEmpty()) {
        m_error = error;
    }
    return false;
}

bool WorksheetStream::start() {
    m_started = true;
    XmlStream::Token token = m_xml.next();
    if (token == XmlStream::Error) {
        return stop(m_xml.errorText());
    }
    if (token != XmlStream::StartElement || m_xml.localName() != "worksheet") {
        return stop(QStringLiteral("not a worksheet"));
    }
    // The first "sheetData" child of the root.
    for (;;) {
        token = m_xml.next();
        if (token == XmlStream::Error) {
            return stop(m_xml.errorText());
        }
        if (token == XmlStream::EndElement && m_xml.depth() == 1) {
            m_done = true; // no sheet data: no rows
            return false;
        }
        if (token == XmlStream::StartElement) {
            if (m_xml.localName() == "sheetData") {
                return true;
            }
            if (!m_xml.skipElement()) {
                return stop(m_xml.errorText());
            }
        }
    }
}

bool WorksheetStream::nextRow(int skipBefore) {
    m_used = 0;
    if (m_done || (!m_started && !start())) {
        return false;
    }
    for (;;) {
        XmlStream::Token token = m_xml.next();
        if (token == XmlStream::Error) {
            return stop(m_xml.errorText());
        }
        if (token == XmlStream::EndElement) {
            m_done = true; // the end of the sheet data
            return false;
        }
        if (token != XmlStream::StartElement) {
            continue;
        }
        if (m_xml.localName() != "row") {
            if (!m_xml.skipElement()) {
                return stop(m_xml.errorText());
            }
            continue;
        }
        // The cells of the row. A cell without a usable reference takes the
        // column after the previous cell; cells past the last column a sheet
        // can have are left out.
        int next = 0;
        for (;;) {
            if (readPlainCell(next, skipBefore)) {
                continue;
            }
            token = m_xml.next();
            if (token == XmlStream::Error) {
                return stop(m_xml.errorText());
            }
            if (token == XmlStream::EndElement) {
                return true;
            }
            if (token != XmlStream::StartElement) {
                continue;
            }
            int column = -1;
            const bool isCell = m_xml.localName() == "c";
            if (isCell) {
                column = placeCell(
                    m_xml.attribute("r", m_attribute) ? columnOfReference(m_attribute) : -1, next);
            }
            if (column < skipBefore) {
                if (!(isCell && skipBefore > 0 ? m_xml.skipElementUnchecked()
                                               : m_xml.skipElement())) {
                    return stop(m_xml.errorText());
                }
            } else if (!readCell(column)) {
                return false;
            }
        }
    }
}

bool WorksheetStream::readCell(int column) {
    bool shared = false;
    bool inlineString = false;
    bool number = true;
    if (m_xml.attribute("t", m_attribute)) {
        shared = m_attribute == "s";
        inlineString = m_attribute == "inlineStr";
        number = m_attribute == "n";
    }
    const int depth = m_xml.depth();
    bool seenV = false;
    bool seenIs = false;
    m_v.clear();
    m_is.clear();
    for (;;) {
        const XmlStream::Token token = m_xml.next();
        if (token == XmlStream::Error) {
            return stop(m_xml.errorText());
        }
        if (token == XmlStream::EndElement && m_xml.depth() == depth) {
            break;
        }
        if (token != XmlStream::StartElement) {
            continue;
        }
        bool ok = true;
        if (!seenV && m_xml.localName() == "v") {
            seenV = true;
            ok = Xml_Read_Text(m_xml, m_v, shared);
        } else if (!seenIs && inlineString && m_xml.localName() == "is") {
            seenIs = true;
            ok = Xml_Read_String_Item(m_xml, m_is);
        } else {
            ok = m_xml.skipElement();
        }
        if (!ok) {
            return stop(m_xml.errorText());
        }
    }
    keepCell(column, shared, number && seenV && !seenIs, seenV, seenIs, seenIs ? m_is : m_v);
    return true;
}

void WorksheetStream::keepCell(int column, bool shared, bool number, bool seenV, bool seenIs,
                               std::string& text) {
    if (m_used == m_cells.size()) {
        m_cells.emplace_back();
    }
    Cell& cell = m_cells[m_used];
    cell.column = column;
    cell.isShared = shared;
    cell.escaped = seenIs;
    cell.shared = shared && seenV ? indexOf(text) : -1;
    if (shared) {
        cell.text.clear();
    } else {
        cell.text.swap(text);
        if (number) {
            Shorten_Number_Text(cell.text);
        }
    }
    if (shared ? cell.shared >= 0 : !cell.text.empty()) {
        ++m_used;
    }
}

// The forms: <c .../>, <c ...><v>text</v></c> and, for an inline string,
// <c ...><is><t ...>text</t></is></c>, with no prefixes, comments, entities
// or white space between the elements. They read as the token by token
// read would read them.
bool WorksheetStream::readPlainCell(int& next, int skipBefore) {
    std::string_view s = m_xml.lookahead(plainCellLookahead);
    // White space between cells is not text.
    size_t lead = 0;
    while (lead < s.size() && isTagSpace(s[lead])) {
        ++lead;
    }
    s.remove_prefix(lead);
    if (s.size() < 4 || s[0] != '<' || s[1] != 'c' ||
        !(isTagSpace(s[2]) || s[2] == '>' || s[2] == '/')) {
        return false;
    }
    std::string_view reference;
    std::string_view type;
    bool hasReference = false;
    bool hasType = false;
    bool prefixed = false;
    bool empty = false;
    size_t i = plainAttributes(s, 2, empty, [&](std::string_view name, std::string_view value) {
        if (!hasReference && name == "r") {
            hasReference = true;
            reference = value;
        } else if (!hasType && name == "t") {
            hasType = true;
            type = value;
        } else if (name.find(':') != std::string_view::npos) {
            prefixed = true; // may stand in for a plain one
        }
    });
    if (i == std::string_view::npos || prefixed) {
        return false;
    }
    const bool shared = type == "s";
    const bool inlineString = type == "inlineStr";
    bool seenV = false;
    bool seenIs = false;
    std::string_view text;
    if (!empty) {
        if (hasAt(s, i, "<v>")) {
            const size_t end = plainTextEnd(s, i + 3);
            if (!hasAt(s, end, "</v>")) {
                return false;
            }
            seenV = true;
            text = s.substr(i + 3, end - i - 3);
            i = end + 4;
        } else if (inlineString && hasAt(s, i, "<is><t") && s.size() > i + 6 &&
                   (s[i + 6] == '>' || isTagSpace(s[i + 6]))) {
            bool emptyT = false;
            const size_t start = plainAttributes(s, i + 6, emptyT, [](auto, auto) {});
            if (start == std::string_view::npos || emptyT) {
                return false;
            }
            const size_t end = plainTextEnd(s, start);
            if (!hasAt(s, end, "</t></is>")) {
                return false;
            }
            seenIs = true;
            text = s.substr(start, end - start);
            i = end + 9;
        }
        if (!hasAt(s, i, "</c>")) {
            return false;
        }
        i += 4;
    }
    const int column = placeCell(hasReference ? columnOfReference(reference) : -1, next);
    if (column >= skipBefore) {
        m_v.assign(text);
        keepCell(column, shared, (!hasType || type == "n") && seenV, seenV, seenIs, m_v);
    }
    m_xml.skipChild(lead + i);
    return true;
}

bool WorksheetStream::finish() {
    for (;;) {
        const XmlStream::Token token = m_xml.next();
        if (token == XmlStream::Error) {
            return stop(m_xml.errorText());
        }
        if (token == XmlStream::EndOfDocument) {
            return !failed();
        }
    }
}

QString WorksheetStream::valueOf(const Cell& cell, const SharedStringTable& sharedStrings) {
    if (cell.isShared) {
        return cell.shared < sharedStrings.size() ? sharedStrings.at(qsizetype(cell.shared))
                                                  : QString();
    }
    const QString text = QString::fromUtf8(cell.text.data(), qsizetype(cell.text.size()));
    return cell.escaped ? Xlsx_Decode_Escapes(text) : text;
}

bool WorksheetStream::hasValue(const Cell& cell, const SharedStringTable& sharedStrings) {
    if (cell.isShared) {
        return cell.shared < sharedStrings.size() &&
               !sharedStrings.isEmptyAt(qsizetype(cell.shared));
    }
    return !cell.text.empty();
}
