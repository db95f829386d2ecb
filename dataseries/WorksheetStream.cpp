#include "dataseries/WorksheetStream.h"

#include "dataseries/ColumnNames.h"
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

} // namespace

WorksheetStream::WorksheetStream(const QString& partPath) : m_xml(partPath) {}

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
                column = m_xml.attribute("r", m_attribute) ? columnOfReference(m_attribute) : -1;
                if (column == -1) {
                    column = next;
                }
                if (column >= 0 && column < Max_Sheet_Columns) {
                    next = column + 1;
                } else {
                    column = -1;
                }
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
    if (m_xml.attribute("t", m_attribute)) {
        shared = m_attribute == "s";
        inlineString = m_attribute == "inlineStr";
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
            ok = readText(m_v, shared);
        } else if (!seenIs && inlineString && m_xml.localName() == "is") {
            seenIs = true;
            ok = readStringItem(m_is);
        } else {
            ok = m_xml.skipElement();
        }
        if (!ok) {
            return stop(m_xml.errorText());
        }
    }
    if (m_used == m_cells.size()) {
        m_cells.emplace_back();
    }
    Cell& cell = m_cells[m_used];
    cell.column = column;
    cell.isShared = shared;
    cell.escaped = seenIs;
    cell.shared = shared && seenV ? indexOf(m_v) : -1;
    if (shared) {
        cell.text.clear();
    } else {
        cell.text.swap(seenIs ? m_is : m_v);
    }
    if (shared ? cell.shared >= 0 : !cell.text.empty()) {
        ++m_used;
    }
    return true;
}

bool WorksheetStream::readText(std::string& out, bool firstOnly) {
    const int depth = m_xml.depth();
    bool first = true;
    for (;;) {
        const XmlStream::Token token = m_xml.next();
        if (token == XmlStream::Error) {
            return false;
        }
        if (token == XmlStream::EndElement && m_xml.depth() == depth) {
            return true;
        }
        if (token == XmlStream::Text && m_xml.depth() == depth && (first || !firstOnly)) {
            m_xml.appendText(out);
            first = false;
        } else if (token == XmlStream::StartElement && !m_xml.skipElement()) {
            return false;
        }
    }
}

// The text of a string item: its "t", or the "t" of each run, in order;
// phonetic runs are not part of it.
bool WorksheetStream::readStringItem(std::string& out) {
    const int depth = m_xml.depth();
    for (;;) {
        XmlStream::Token token = m_xml.next();
        if (token == XmlStream::Error) {
            return false;
        }
        if (token == XmlStream::EndElement && m_xml.depth() == depth) {
            return true;
        }
        if (token != XmlStream::StartElement) {
            continue;
        }
        if (m_xml.localName() == "t") {
            if (!readText(out, false)) {
                return false;
            }
        } else if (m_xml.localName() == "r") {
            for (;;) {
                token = m_xml.next();
                if (token == XmlStream::Error) {
                    return false;
                }
                if (token == XmlStream::EndElement && m_xml.depth() == depth + 1) {
                    break;
                }
                if (token == XmlStream::StartElement) {
                    const bool ok =
                        m_xml.localName() == "t" ? readText(out, false) : m_xml.skipElement();
                    if (!ok) {
                        return false;
                    }
                }
            }
        } else if (!m_xml.skipElement()) {
            return false;
        }
    }
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

QString WorksheetStream::valueOf(const Cell& cell, const QStringList& sharedStrings) {
    if (cell.isShared) {
        return cell.shared >= 0 && cell.shared < sharedStrings.size()
                   ? sharedStrings.at(qsizetype(cell.shared))
                   : QString();
    }
    const QString text = QString::fromUtf8(cell.text.data(), qsizetype(cell.text.size()));
    return cell.escaped ? Xlsx_Decode_Escapes(text) : text;
}

bool WorksheetStream::hasValue(const Cell& cell, const QStringList& sharedStrings) {
    if (cell.isShared) {
        return cell.shared >= 0 && cell.shared < sharedStrings.size() &&
               !sharedStrings.at(qsizetype(cell.shared)).isEmpty();
    }
    return !cell.text.empty();
}
