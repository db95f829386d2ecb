#pragma once
// The rows of a worksheet part, read one at a time from the file without a
// document tree: the rows of the first "sheetData" of the "worksheet" root,
// and in each the cells with their column and raw value.

#include "dataseries/SharedStringTable.h"
#include "dataseries/XmlStream.h"

#include <QString>
#include <memory>
#include <string>
#include <vector>

class WorksheetStream {
public:
    struct Cell {
        int column = 0;
        // A shared-string cell: the index its value names (-1 when it names
        // none). Otherwise text holds the value as UTF-8, a number's as
        // spreadsheet programs show it.
        bool isShared = false;
        long long shared = -1;
        // An inline string, whose _xHHHH_ escapes are decoded.
        bool escaped = false;
        std::string text;
    };

    explicit WorksheetStream(const QString& partPath);
    explicit WorksheetStream(std::unique_ptr<QIODevice> device);

    // Moves to the next row. Cells in columns before `skipBefore` are passed
    // over without reading their values. False at the end of the sheet data
    // or on an error (failed()).
    bool nextRow(int skipBefore = 0);

    // The cells of the current row that may hold a value, in document order.
    const Cell* begin() const { return m_cells.data(); }
    const Cell* end() const { return m_cells.data() + m_used; }

    // Reads the rest of the part; false when it is not well-formed.
    bool finish();

    bool failed() const { return !m_error.isEmpty(); }
    // Bytes of the part read so far, and its size.
    qint64 offset() const { return m_xml.offset(); }
    qint64 size() const { return m_xml.size(); }
    const QString& errorText() const { return m_error; }

    // The value of a cell: its shared string, decoded inline string or text.
    static QString valueOf(const Cell& cell, const SharedStringTable& sharedStrings);
    static bool hasValue(const Cell& cell, const SharedStringTable& sharedStrings);

private:
    bool start();
    bool readCell(int column);
    // Reads a cell in one of the plain forms writers use straight from the
    // bytes; false, with nothing read, for any other markup.
    bool readPlainCell(int& next, int skipBefore);
    // Keeps the cell read when it may hold a value; a number cell's value as
    // spreadsheet programs show it, at most 15 significant digits
    // (Shorten_Number_Text).
    void keepCell(int column, bool shared, bool number, bool seenV, bool seenIs, std::string& text);
    bool stop(const QString& error);

    XmlStream m_xml;
    bool m_started = false;
    bool m_done = false;
    std::vector<Cell> m_cells;
    size_t m_used = 0;
    std::string m_attribute;
    std::string m_v;
    std::string m_is;
    QString m_error;
};
