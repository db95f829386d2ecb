// Reading worksheets: unpacking, shared strings, the first row and all rows.

#include "core/MessageFunctions.h"
#include "dataseries/ColumnNames.h"
#include "dataseries/SSZipArchive.h"
#include "dataseries/SharedStringsReading.h"
#include "dataseries/SpreadsheetWriter.h"
#include "dataseries/WorksheetStream.h"

#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>

namespace {

// Sets the values of the current row, stored from position `at` of the
// table: shared strings by their index, the other texts written into the
// table's blocks, escaped ones decoded first. Answers the column count,
// widened to the last column given a value.
int setRowValues(const WorksheetStream& rows, const SharedStringTable& sharedStrings,
                 SheetTable& table, qsizetype at, int count) {
    qsizetype capacity = 0;
    for (const WorksheetStream::Cell& cell : rows) {
        if (!cell.isShared) {
            capacity += qsizetype(cell.text.size()) + 1;
        }
    }
    char16_t* out = capacity > 0 ? table.textRoom(capacity) : nullptr;
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    for (const WorksheetStream::Cell& cell : rows) {
        if (cell.isShared) {
            if (WorksheetStream::hasValue(cell, sharedStrings)) {
                table.setShared(at + cell.column, qsizetype(cell.shared));
                count = std::max(count, cell.column + 1);
            }
            continue;
        }
        if (out == nullptr || (cell.escaped && cell.text.find("_x") != std::string::npos)) {
            const QString value = WorksheetStream::valueOf(cell, sharedStrings);
            if (!value.isEmpty()) {
                table.setValue(at + cell.column, value);
                count = std::max(count, cell.column + 1);
            }
            continue;
        }
        char16_t* const start = out;
        const std::string& text = cell.text;
        size_t i = 0;
        for (; i < text.size() && static_cast<unsigned char>(text[i]) < 0x80; ++i) {
            *out++ = char16_t(text[i]);
        }
        if (i < text.size()) {
            out = reinterpret_cast<char16_t*>(
                utf8.appendToBuffer(reinterpret_cast<QChar*>(out),
                                    QByteArrayView(text.data() + i, qsizetype(text.size() - i))));
        }
        table.setText(at + cell.column, start, out);
        count = std::max(count, cell.column + 1);
        ++out;
    }
    return count;
}

} // namespace

SheetTable SpreadsheetWriter::ReadWorkbook(const QString& path, int only_col) {
    SpreadsheetWriter& self = shared();
    if ((only_col & 1) != 0) {
        Excel_Sheet_Columns = 1;
        self._data.clear();
        self._table.clear();
        self._sharedStrings.clear();
        self._sheetColumns.clear();
        self._readAhead = SheetRows();
        self._tooLarge = false;
        if (!self.resetTempFolder()) {
            return self._table;
        }
        SSZipArchiveError error;
        if (!SSZipArchive::unzipFileAtPath(path, self._tmpDir, true, QString(), &error,
                                           maxWorkbookBytes)) {
            Show_NSLog_Message(QStringLiteral("Error: %1").arg(error.description));
            self._tooLarge = error.code == SSZipArchive::TooLarge;
            // Nothing half-unpacked is read later.
            self.resetTempFolder();
            return self._table;
        }
        if (!self.ReadSharedStrings(self.sharedStringsPartPath())) {
            // Every text cell would read blank: the workbook is refused as
            // damaged rather than read without its texts.
            self.resetTempFolder();
            return self._table;
        }
        // Every sheet's column count comes from one pass over its rows now,
        // so choosing a sheet reads only its first row. The first sheet,
        // which the import dialogs show at once, is read whole in that pass
        // and its rows kept for the full read.
        const QStringList names = Worksheet_Names();
        for (qsizetype i = 0; i < names.size(); ++i) {
            const QString partPath = self.worksheetPartPath(names[i].mid(5).toInt());
            if (i == 0) {
                self.readAhead(partPath);
            } else {
                self.sheetColumns(partPath);
            }
        }
    } else if (Excel_Sheet_Number < 1) {
        self._table.clear();
    } else {
        self.ReadData(self.worksheetPartPath(Excel_Sheet_Number));
    }
    return self._table;
}

bool SpreadsheetWriter::WorkbookTooLarge() {
    return shared()._tooLarge;
}

QString SpreadsheetWriter::TooLargeText() {
    return QStringLiteral("Selected file is too large to import: a workbook may unpack to at "
                          "most %1 MB.")
        .arg(maxWorkbookBytes / (1024 * 1024));
}

bool SpreadsheetWriter::ReadSharedStrings(const QString& partPath) {
    _sharedStrings.clear();
    if (!QFileInfo::exists(partPath)) {
        return true; // a workbook without text cells has no shared strings
    }
    XmlStream xml(partPath);
    QString error;
    if (!Read_Shared_Strings(xml, _sharedStrings, error)) {
        Show_NSLog_Message(QStringLiteral("Error: %1").arg(error));
        return false;
    }
    return true;
}

SpreadsheetWriter::Rows SpreadsheetWriter::ReadData_only_column() {
    SpreadsheetWriter& self = shared();
    self._data.clear();
    if (Excel_Sheet_Number < 1) {
        return self._data;
    }
    const QString partPath = self.worksheetPartPath(Excel_Sheet_Number);
    WorksheetStream rows(partPath);
    // Only the first row is read here; the rest of the part is left unread.
    const bool hasRow = rows.nextRow();
    if (rows.failed()) {
        Show_NSLog_Message(QStringLiteral("Error: %1").arg(rows.errorText()));
        return self._data;
    }
    Excel_Sheet_Columns = self.sheetColumns(partPath);
    if (!hasRow) {
        return self._data;
    }
    QStringList row;
    row.reserve(Excel_Sheet_Columns);
    for (int d = 1; d <= Excel_Sheet_Columns; ++d) {
        row << QStringLiteral("Untitled Column %1").arg(d);
    }
    for (const WorksheetStream::Cell& cell : rows) {
        if (cell.column < row.size()) {
            QString value = WorksheetStream::valueOf(cell, self._sharedStrings);
            if (!value.isEmpty()) {
                row[cell.column] = std::move(value);
            }
        }
    }
    self._data.append(row);
    return self._data;
}

SpreadsheetWriter::RowsRead SpreadsheetWriter::readRows(const QString& partPath, int columns,
                                                        SheetRows& out) const {
    out.rows.clear();
    WorksheetStream rows(partPath);
    int count = std::clamp(columns, 1, Max_Sheet_Columns);
    int widest = 0;
    bool tooLarge = false;
    out.rows.setSharedStrings(_sharedStrings);
    qint64 stored = 0;
    // Rows holding no value (a style alone, cells without values) are kept
    // back until a row with a value follows: those after the last value are
    // formatting, not records.
    qint64 emptyRows = 0;
    while (!tooLarge && rows.nextRow()) {
        // Each row is stored up to its last cell; the table pads it.
        int width = 0;
        bool hasValue = false;
        for (const WorksheetStream::Cell& cell : rows) {
            width = std::max(width, cell.column + 1);
            if (WorksheetStream::hasValue(cell, _sharedStrings)) {
                hasValue = true;
                widest = std::max(widest, cell.column + 1);
            }
        }
        if (!hasValue) {
            ++emptyRows;
            continue;
        }
        tooLarge = (qint64(out.rows.size()) + emptyRows + 1) * count > maxCells;
        for (; !tooLarge && emptyRows > 0; --emptyRows) {
            out.rows.appendRow(0);
        }
        if (tooLarge) {
            break;
        }
        stored += width;
        const qsizetype at = out.rows.appendRow(width);
        // A value past the column count widens the rows.
        count = setRowValues(rows, _sharedStrings, out.rows, at, count);
        tooLarge = qint64(out.rows.size()) * count > maxCells;
        if (out.rows.size() == 64 && rows.offset() > 0) {
            // Room for the rows the rest of the part will likely hold, so
            // the table is not copied as it grows.
            const double scale = 1.02 * double(rows.size()) / double(rows.offset());
            const qint64 expectedRows = std::min(qint64(64 * scale) + 64, qint64(1) << 20);
            const qint64 expectedValues = std::min(
                {qint64(double(stored) * scale) + stored, rows.size() / 8, qint64(1) << 22});
            out.rows.reserve(qsizetype(expectedRows), qsizetype(expectedValues));
        }
    }
    // A part that is not well-formed to its end gives no rows.
    if (!tooLarge && !rows.failed()) {
        rows.finish();
    }
    out.error = rows.errorText();
    out.columns = count;
    out.rows.setColumns(count);
    out.valueColumns = std::clamp(widest, 1, Max_Sheet_Columns);
    if (rows.failed() || tooLarge) {
        out.rows.clear();
        return rows.failed() ? RowsRead::Failed : RowsRead::TooLarge;
    }
    return RowsRead::Done;
}

void SpreadsheetWriter::ReadData(const QString& partPath) {
    _table.clear();
    SheetRows read;
    RowsRead result = RowsRead::Done;
    if (_readAhead.path == partPath &&
        isUnchanged(partPath, _readAhead.size, _readAhead.modified)) {
        read = std::move(_readAhead);
        // Read from one column up: a wider count asked for pads the rows,
        // as it does when the rows are read now.
        const int count =
            std::max(std::clamp(Excel_Sheet_Columns, 1, Max_Sheet_Columns), read.columns);
        if (qint64(read.rows.size()) * count > maxCells) {
            read.rows.clear();
            result = RowsRead::TooLarge;
        }
        read.columns = count;
        read.rows.setColumns(count);
    } else {
        result = readRows(partPath, Excel_Sheet_Columns, read);
    }
    _readAhead = SheetRows();
    if (result == RowsRead::Failed) {
        Show_NSLog_Message(QStringLiteral("Error: %1").arg(read.error));
        return;
    }
    if (result == RowsRead::TooLarge) {
        Show_NSLog_Message(QStringLiteral("Error: the sheet has too many cells"));
        return;
    }
    _table = std::move(read.rows);
    Excel_Sheet_Columns = read.columns;
}

bool SpreadsheetWriter::isUnchanged(const QString& partPath, qint64 size,
                                    const QDateTime& modified) {
    const QFileInfo info(partPath);
    return info.size() == size && info.lastModified() == modified;
}

void SpreadsheetWriter::readAhead(const QString& partPath) {
    _readAhead = SheetRows();
    const QFileInfo info(partPath);
    SheetRows read;
    if (readRows(partPath, 1, read) != RowsRead::Done) {
        // Counted by the look over the rows instead; the full read later
        // reports what is wrong.
        sheetColumns(partPath);
        return;
    }
    read.path = partPath;
    read.size = info.size();
    read.modified = info.lastModified();
    _sheetColumns.insert(partPath, {read.size, read.modified, read.valueColumns});
    _readAhead = std::move(read);
}

int SpreadsheetWriter::sheetColumns(const QString& partPath) {
    const auto known = _sheetColumns.constFind(partPath);
    if (known != _sheetColumns.cend() && isUnchanged(partPath, known->size, known->modified)) {
        return known->columns;
    }
    // The last column holding a value in any row. A dimension element is
    // not needed: a stale one, or one spanning the whole grid, would only
    // add empty columns or leave values out.
    int widest = 0;
    WorksheetStream rows(partPath);
    while (rows.nextRow(widest)) {
        for (const WorksheetStream::Cell& cell : rows) {
            if (cell.column + 1 > widest && WorksheetStream::hasValue(cell, _sharedStrings)) {
                widest = cell.column + 1;
            }
        }
    }
    const int columns = std::clamp(widest, 1, Max_Sheet_Columns);
    const QFileInfo info(partPath);
    _sheetColumns.insert(partPath, {info.size(), info.lastModified(), columns});
    return columns;
}
