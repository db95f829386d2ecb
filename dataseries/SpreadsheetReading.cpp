// Reading worksheets: unpacking, shared strings, the first row and all rows.

#include "core/MessageFunctions.h"
#include "dataseries/ColumnNames.h"
#include "dataseries/SSZipArchive.h"
#include "dataseries/SpreadsheetWriter.h"
#include "dataseries/XlsxText.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <charconv>
#include <cstring>
#include <pugixml.hpp>

namespace {

// Whitespace-only text is kept where it is an element's only content
// (a shared string of one space), not between elements.
constexpr unsigned parseFlags = pugi::parse_default | pugi::parse_ws_pcdata_single;

bool loadPart(pugi::xml_document& doc, const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    const pugi::xml_parse_result result = doc.load_file(native.constData(), parseFlags);
    if (!result) {
        Show_NSLog_Message(
            QStringLiteral("Error: %1").arg(QString::fromUtf8(result.description())));
        return false;
    }
    return true;
}

pugi::xml_node sheetDataOf(const pugi::xml_document& doc) {
    const pugi::xml_node worksheet = doc.document_element();
    if (!Xlsx_Is(worksheet, "worksheet")) {
        Show_NSLog_Message(QStringLiteral("Error: not a worksheet"));
        return {};
    }
    return Xlsx_Child(worksheet, "sheetData");
}

// The 0-based column of a cell reference such as "AB12": -1 when it has no
// letters, -2 when the letters are past the sheet's last column.
int columnOfReference(const char* reference) {
    int number = 0;
    const char* p = reference;
    for (; *p; ++p) {
        char c = *p;
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
    return p == reference ? -1 : number - 1;
}

// Calls f(column, cell) for every cell of a row. A cell without a usable
// reference takes the column after the previous cell; cells past the last
// column a sheet can have are left out.
template <typename F> void forEachCell(const pugi::xml_node& row, F&& f) {
    int next = 0;
    for (pugi::xml_node cell = row.first_child(); cell; cell = cell.next_sibling()) {
        if (!Xlsx_Is(cell, "c")) {
            continue;
        }
        int column = columnOfReference(Xlsx_Attribute(cell, "r").value());
        if (column == -1) {
            column = next;
        }
        if (column < 0 || column >= Max_Sheet_Columns) {
            continue;
        }
        next = column + 1;
        f(column, cell);
    }
}

template <typename F> void forEachRow(const pugi::xml_node& sheetData, F&& f) {
    for (pugi::xml_node row = sheetData.first_child(); row; row = row.next_sibling()) {
        if (Xlsx_Is(row, "row")) {
            if (!f(row)) {
                return;
            }
        }
    }
}

// A non-negative decimal index with optional surrounding white space.
long long indexOf(const char* text) {
    while (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\r') {
        ++text;
    }
    const char* end = text + std::strlen(text);
    while (end > text &&
           (end[-1] == ' ' || end[-1] == '\t' || end[-1] == '\n' || end[-1] == '\r')) {
        --end;
    }
    long long value = -1;
    const auto [stop, error] = std::from_chars(text, end, value);
    if (error != std::errc() || stop != end || text == end) {
        return -1;
    }
    return value;
}

// The text of a cell: a shared string, an inline string or the v element's
// text as it stands (numbers and dates unformatted).
QString cellValue(const pugi::xml_node& cell, const QStringList& sharedStrings) {
    const char* type = Xlsx_Attribute(cell, "t").value();
    if (std::strcmp(type, "s") == 0) {
        const pugi::xml_node v = Xlsx_Child(cell, "v");
        const long long index = v ? indexOf(v.child_value()) : -1;
        return index >= 0 && index < sharedStrings.size() ? sharedStrings.at(qsizetype(index))
                                                          : QString();
    }
    if (std::strcmp(type, "inlineStr") == 0) {
        if (const pugi::xml_node is = Xlsx_Child(cell, "is")) {
            return Xlsx_String_Item_Text(is);
        }
    }
    const pugi::xml_node v = Xlsx_Child(cell, "v");
    return v ? Xlsx_Element_Text(v) : QString();
}

// The 1-based last column of a dimension reference ("A1:D20" -> 4), 0 when
// there is none.
int dimensionLastColumn(const pugi::xml_node& worksheet) {
    const pugi::xml_node dimension = Xlsx_Child(worksheet, "dimension");
    if (!dimension) {
        return 0;
    }
    QString reference = QString::fromUtf8(Xlsx_Attribute(dimension, "ref").value());
    const qsizetype colon = reference.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        reference = reference.mid(colon + 1);
    }
    return std::max(0, Get_Col_index(Get_Column_Char_Str(reference.trimmed()), 64));
}

} // namespace

SpreadsheetWriter::Rows SpreadsheetWriter::ReadWorkbook(const QString& path, int only_col) {
    SpreadsheetWriter& self = shared();
    if ((only_col & 1) != 0) {
        Excel_Sheet_Columns = 1;
        self._data.clear();
        self._sharedStrings.clear();
        if (!self.resetTempFolder()) {
            return self._data;
        }
        SSZipArchiveError error;
        if (!SSZipArchive::unzipFileAtPath(path, self._tmpDir, true, QString(), &error)) {
            Show_NSLog_Message(QStringLiteral("Error: %1").arg(error.description));
            // Nothing half-unpacked is read later.
            self.resetTempFolder();
            return self._data;
        }
        self.ReadSharedStrings(self.sharedStringsPartPath());
    } else if (Excel_Sheet_Number < 1) {
        self._data.clear();
    } else {
        self.ReadData(self.worksheetPartPath(Excel_Sheet_Number));
    }
    return self._data;
}

void SpreadsheetWriter::ReadSharedStrings(const QString& partPath) {
    _sharedStrings.clear();
    if (!QFileInfo::exists(partPath)) {
        return; // a workbook without text cells has no shared strings
    }
    pugi::xml_document doc;
    if (!loadPart(doc, partPath)) {
        return;
    }
    const pugi::xml_node sst = doc.document_element();
    if (!Xlsx_Is(sst, "sst")) {
        return;
    }
    for (pugi::xml_node item = sst.first_child(); item; item = item.next_sibling()) {
        if (Xlsx_Is(item, "si")) {
            _sharedStrings.append(Xlsx_String_Item_Text(item));
        }
    }
}

SpreadsheetWriter::Rows SpreadsheetWriter::ReadData_only_column() {
    SpreadsheetWriter& self = shared();
    self._data.clear();
    pugi::xml_document doc;
    if (Excel_Sheet_Number < 1 || !loadPart(doc, self.worksheetPartPath(Excel_Sheet_Number))) {
        return self._data;
    }
    const pugi::xml_node sheetData = sheetDataOf(doc);
    if (!sheetData) {
        return self._data;
    }
    // The column count: the dimension's last column, widened to the first
    // row's last value and clipped to the last value anywhere in the sheet
    // (a dimension of A1:XFD1048576 does not make 16,384 columns). Streaming
    // writers leave the dimension out; then the widest row counts, so no
    // column past the first row's width is lost.
    pugi::xml_node firstRow;
    int firstRowLast = 0;
    int sheetLast = 0;
    forEachRow(sheetData, [&](const pugi::xml_node& row) {
        if (!firstRow) {
            firstRow = row;
        }
        forEachCell(row, [&](int column, const pugi::xml_node& cell) {
            if (column + 1 > sheetLast || (row == firstRow && column + 1 > firstRowLast)) {
                if (!cellValue(cell, self._sharedStrings).isEmpty()) {
                    sheetLast = std::max(sheetLast, column + 1);
                    if (row == firstRow) {
                        firstRowLast = std::max(firstRowLast, column + 1);
                    }
                }
            }
        });
        return true;
    });
    const int dimensionLast = dimensionLastColumn(doc.document_element());
    int count = dimensionLast > 0 ? std::max(dimensionLast, firstRowLast) : sheetLast;
    count = std::min(count, std::max(sheetLast, 1));
    Excel_Sheet_Columns = std::clamp(count, 1, Max_Sheet_Columns);
    if (!firstRow) {
        return self._data;
    }
    QStringList row;
    row.reserve(Excel_Sheet_Columns);
    for (int d = 1; d <= Excel_Sheet_Columns; ++d) {
        row << QStringLiteral("Untitled Column %1").arg(d);
    }
    forEachCell(firstRow, [&](int column, const pugi::xml_node& cell) {
        if (column < row.size()) {
            const QString value = cellValue(cell, self._sharedStrings);
            if (!value.isEmpty()) {
                row[column] = value;
            }
        }
    });
    self._data.append(row);
    return self._data;
}

void SpreadsheetWriter::ReadData(const QString& partPath) {
    _data.clear();
    pugi::xml_document doc;
    if (!loadPart(doc, partPath)) {
        return;
    }
    const pugi::xml_node sheetData = sheetDataOf(doc);
    if (!sheetData) {
        return;
    }
    int count = std::clamp(Excel_Sheet_Columns, 1, Max_Sheet_Columns);
    bool tooLarge = false;
    forEachRow(sheetData, [&](const pugi::xml_node& rowNode) {
        QStringList row(count);
        forEachCell(rowNode, [&](int column, const pugi::xml_node& cell) {
            QString value = cellValue(cell, _sharedStrings);
            if (value.isEmpty()) {
                return;
            }
            // A value past the column count widens the rows.
            if (column >= count) {
                count = column + 1;
                row.resize(count);
            }
            row[column] = std::move(value);
        });
        _data.append(std::move(row));
        tooLarge = qint64(_data.size()) * count > maxCells;
        return !tooLarge;
    });
    if (tooLarge) {
        Show_NSLog_Message(QStringLiteral("Error: the sheet has too many cells"));
        _data.clear();
        return;
    }
    if (count != Excel_Sheet_Columns) {
        for (QStringList& row : _data) {
            row.resize(count);
        }
        Excel_Sheet_Columns = count;
    }
}
