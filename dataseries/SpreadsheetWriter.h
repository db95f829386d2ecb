#pragma once
// Reads worksheets of xlsx workbooks into rows of cell texts and writes a
// one-sheet workbook from rows of texts. Works in the temporary folder
// "ziptmp": a workbook is unpacked there and read part by part; a new one is
// assembled there from the resource "Template.xlsx" and packed.

#include "dataseries/SheetTable.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

class SpreadsheetWriter {
public:
    using Rows = QList<QStringList>;

    // Bounds for workbooks from outside: a sheet whose rows would hold more
    // cells than this reads as no rows.
    static constexpr qint64 maxCells = 16 * 1024 * 1024;
    // A workbook whose parts unpack to more bytes than this is refused
    // before any of it is read.
    static constexpr qint64 maxWorkbookBytes = qint64(256) * 1024 * 1024;

    // Takes the temporary folder and starts it empty.
    SpreadsheetWriter();

    // The shared instance, created on first use.
    static SpreadsheetWriter& shared();

    // With bit 0 of only_col set: unpacks the workbook into the emptied
    // temporary folder and reads its shared strings (Excel_Sheet_Columns
    // becomes 1). Otherwise reads every row of the worksheet numbered
    // Excel_Sheet_Number from the temporary folder, each row as wide as the
    // sheet (no rows after an unpack). A workbook over maxWorkbookBytes is
    // not unpacked: the folder is left empty and WorkbookTooLarge() is true
    // until the next unpack. A workbook whose shared strings do not read is
    // refused as damaged: the folder is left empty, so it has no sheets.
    // Rows after the last row holding a value are not read.
    static SheetTable ReadWorkbook(const QString& path, int only_col);
    static bool WorkbookTooLarge();
    // What the user is told of such a workbook.
    static QString TooLargeText();

    // Reads the first row of worksheet Excel_Sheet_Number, and nothing after
    // it, after fixing the sheet's column count (Excel_Sheet_Columns), the
    // same count the full read gives; empty first-row cells read "Untitled
    // Column %d". Answers data (one row, or none).
    static Rows ReadData_only_column();

    // The worksheets of the unpacked workbook ("sheet1", "sheet2", ...)
    // ordered by their number.
    static QStringList Worksheet_Names();

    // Writes the rows as a one-sheet workbook at path (the title row, if any,
    // is the first row; hasTitleRow changes nothing). False, with the old
    // file at path untouched, when anything fails.
    static bool WriteWorkbook(const QString& path, const Rows& rows, bool hasTitleRow);

    // Letters of a 1-based column number.
    static QString ColumnIndexToName(int column);

    // False, with the table empty, when the part exists and cannot be read
    // whole (not well-formed, cut short, a text over the table's bound).
    bool ReadSharedStrings(const QString& partPath);
    void ReadData(const QString& partPath);
    bool WriteWorksheetData(const QString& partPath);
    bool WriteSharedStringsXML(const QString& partPath);

    const Rows& data() const { return _data; }
    void setData(const Rows& rows) { _data = rows; }
    const SharedStringTable& sharedStrings() const { return _sharedStrings; }
    void setSharedStrings(const SharedStringTable& strings) { _sharedStrings = strings; }
    const QString& tmpDir() const { return _tmpDir; }
    void setTmpDir(const QString& folder) { _tmpDir = folder; }

private:
    // Removes the temporary folder's content and creates it again.
    bool resetTempFolder();
    QString sharedStringsPartPath() const;
    QString worksheetPartPath(int number) const;
    // The sheet's column count: the last column holding a value in any row.
    // Counted once per unpacked part, in one pass over its rows.
    int sheetColumns(const QString& partPath);

    // Rows of a sheet read whole, with their column count (widened from the
    // count asked for) and the last column holding a value.
    struct SheetRows {
        SheetTable rows;
        int columns = 1;
        int valueColumns = 1;
        QString error;
        // Where they were read from, to be kept for a later read.
        QString path;
        qint64 size = 0;
        QDateTime modified;
    };
    enum class RowsRead { Done, Failed, TooLarge };
    RowsRead readRows(const QString& partPath, int columns, SheetRows& out) const;
    // Reads the sheet whole at unpack: its column count, and its rows kept
    // for the full read while the part is unchanged.
    void readAhead(const QString& partPath);
    static bool isUnchanged(const QString& partPath, qint64 size, const QDateTime& modified);

    struct SheetColumns {
        qint64 size = 0;
        QDateTime modified;
        int columns = 1;
    };

    Rows _data;
    SheetTable _table;
    QHash<QString, SheetColumns> _sheetColumns;
    SheetRows _readAhead;
    SharedStringTable _sharedStrings;
    QString _tmpDir;
    bool _tooLarge = false;
};

// The shared instance (see SpreadsheetWriter::shared).
inline std::unique_ptr<SpreadsheetWriter> spreadsheet;

// Number N of the worksheet part "xl/worksheets/sheet<N>.xml" to read.
inline int Excel_Sheet_Number = 1;
// Cells per row of the sheet being read, fixed by its first-row read.
inline int Excel_Sheet_Columns = 1;
