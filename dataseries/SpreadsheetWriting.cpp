// Writing a one-sheet workbook from rows of texts.

#include "core/MessageFunctions.h"

#include "core/globals.h"
#include "dataseries/ColumnNames.h"
#include "dataseries/SSZipArchive.h"
#include "dataseries/SpreadsheetWriter.h"
#include "dataseries/XlsxText.h"
#include "platform/PendingFile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {

constexpr char mainNamespace[] = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr char declaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

// A text written as a number: -?(0|[1-9][0-9]*)(\.[0-9]+)? with at most 15
// significant digits, which a spreadsheet keeps exactly. "007", "1,5",
// "1e5", "nan" and long codes stay texts.
bool isStorableNumber(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (i < n && text.at(i) == u'-') {
        ++i;
    }
    const qsizetype intStart = i;
    while (i < n && text.at(i).unicode() >= u'0' && text.at(i).unicode() <= u'9') {
        ++i;
    }
    const qsizetype intLength = i - intStart;
    if (intLength == 0 || (intLength > 1 && text.at(intStart) == u'0')) {
        return false;
    }
    qsizetype fracLength = 0;
    if (i < n && text.at(i) == u'.') {
        ++i;
        const qsizetype fracStart = i;
        while (i < n && text.at(i).unicode() >= u'0' && text.at(i).unicode() <= u'9') {
            ++i;
        }
        fracLength = i - fracStart;
        if (fracLength == 0) {
            return false;
        }
    }
    if (i != n) {
        return false;
    }
    // Significant digits: every digit after the leading zeros.
    QString digits = text.mid(intStart, intLength);
    if (fracLength > 0) {
        digits += text.mid(intStart + intLength + 1, fracLength);
    }
    qsizetype firstNonZero = 0;
    while (firstNonZero < digits.size() && digits.at(firstNonZero) == u'0') {
        ++firstNonZero;
    }
    return digits.size() - firstNonZero <= 15;
}

bool hasOuterWhitespace(const QString& text) {
    return !text.isEmpty() && (text.front().isSpace() || text.back().isSpace());
}

bool writePart(const QString& partPath, const QByteArray& content) {
    if (!Write_File_Whole(partPath, content)) {
        Show_NSLog_Message(QStringLiteral("Error when writing file %1").arg(partPath));
        return false;
    }
    return true;
}

} // namespace

bool SpreadsheetWriter::WriteWorksheetData(const QString& partPath) {
    _sharedStrings.clear();
    const qsizetype rowCount = _data.size();
    qsizetype width = 0;
    for (const QStringList& row : _data) {
        width = std::max(width, row.size());
    }
    width = std::clamp<qsizetype>(width, 1, Max_Sheet_Columns);
    const QString lastCell = rowCount == 0 ? QStringLiteral("A1")
                                           : Column_Letters(int(width)) + QString::number(rowCount);
    const QByteArray last = lastCell.toLatin1();
    const QByteArray spans = "1:" + QByteArray::number(qint64(width));

    QByteArray xml;
    qsizetype cellCount = 0;
    for (const QStringList& row : _data) {
        cellCount += row.size();
    }
    xml.reserve(1024 + 48 * rowCount + 48 * cellCount);
    xml += declaration;
    xml += "<worksheet xmlns=\"";
    xml += mainNamespace;
    xml += "\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\""
           " xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\""
           " xmlns:x14ac=\"http://schemas.microsoft.com/office/spreadsheetml/2009/9/ac\""
           " mc:Ignorable=\"x14ac\">\n";
    xml += "  <dimension ref=\"A1" + (rowCount == 0 ? QByteArray() : ":" + last) + "\"/>\n";
    xml += "  <sheetViews>\n    <sheetView tabSelected=\"1\" workbookViewId=\"0\">\n"
           "      <selection activeCell=\"" +
           last + "\" sqref=\"" + last + "\"/>\n    </sheetView>\n  </sheetViews>\n";
    xml += "  <sheetFormatPr baseColWidth=\"10\" defaultRowHeight=\"15\" x14ac:dyDescent=\"0\"/>\n";
    xml += "  <sheetData>\n";
    for (qsizetype r = 0; r < rowCount; ++r) {
        const QByteArray rowNumber = QByteArray::number(qint64(r + 1));
        const QStringList& row = _data.at(r);
        xml += "    <row r=\"" + rowNumber + "\" spans=\"" + spans + "\">\n";
        const qsizetype cells = std::min<qsizetype>(row.size(), Max_Sheet_Columns);
        for (qsizetype c = 0; c < cells; ++c) {
            const QString& text = row.at(c);
            xml += "      <c r=\"" + Column_Letters(int(c + 1)).toLatin1() + rowNumber + "\"";
            if (isStorableNumber(text)) {
                xml += "><v>" + text.toLatin1() + "</v></c>\n";
            } else {
                _sharedStrings.append(text);
                xml += " t=\"s\"><v>" + QByteArray::number(qint64(_sharedStrings.size() - 1)) +
                       "</v></c>\n";
            }
        }
        xml += "    </row>\n";
    }
    xml += "  </sheetData>\n";
    xml += "  <pageMargins left=\"0.75\" right=\"0.75\" top=\"1\" bottom=\"0.5\" header=\"0.5\""
           " footer=\"0.5\"/>\n";
    xml += "  <extLst>\n    <ext xmlns:mx=\"http://schemas.microsoft.com/office/mac/excel/2008/"
           "main\" uri=\"{64002731-A6B0-56B0-2670-7721B7C09600}\">\n"
           "      <mx:PLV Mode=\"0\" OnePage=\"0\" WScale=\"0\"/>\n    </ext>\n  </extLst>\n";
    xml += "</worksheet>\n";
    return writePart(partPath, xml);
}

bool SpreadsheetWriter::WriteSharedStringsXML(const QString& partPath) {
    QByteArray xml;
    xml += declaration;
    xml += "<sst xmlns=\"";
    xml += mainNamespace;
    xml += "\"";
    if (!_sharedStrings.isEmpty()) {
        const QByteArray count = QByteArray::number(qint64(_sharedStrings.size()));
        xml += " count=\"" + count + "\" uniqueCount=\"" + count + "\"";
    }
    xml += ">\n";
    for (qsizetype i = 0; i < _sharedStrings.size(); ++i) {
        const QString text = _sharedStrings.at(i);
        xml +=
            hasOuterWhitespace(text) ? "  <si>\n    <t xml:space=\"preserve\">" : "  <si>\n    <t>";
        Xlsx_Append_Escaped_Xml(xml, Xlsx_Encode_Escapes(text));
        xml += "</t>\n  </si>\n";
    }
    xml += "</sst>\n";
    return writePart(partPath, xml);
}

bool SpreadsheetWriter::WriteWorkbook(const QString& path, const Rows& rows, bool /*hasTitleRow*/) {
    SpreadsheetWriter& self = shared();
    self._data = rows;
    if (!self.resetTempFolder()) {
        return false;
    }
    const QDir root(self._tmpDir);
    if (!root.mkpath(QStringLiteral("xl/worksheets"))) {
        Show_NSLog_Message(QStringLiteral("Error when writing file %1").arg(self._tmpDir));
        return false;
    }
    const QString templatePath = QDir(Resource_Path).filePath(QStringLiteral("Template.xlsx"));
    SSZipArchiveError error;
    if (!QFileInfo::exists(templatePath) ||
        !SSZipArchive::unzipFileAtPath(templatePath, self._tmpDir, true, QString(), &error)) {
        Show_NSLog_Message(
            QStringLiteral("Error when writing file %1 %2").arg(templatePath, error.description));
        return false;
    }
    if (!self.WriteWorksheetData(root.filePath(QStringLiteral("xl/worksheets/sheet1.xml"))) ||
        !self.WriteSharedStringsXML(root.filePath(QStringLiteral("xl/sharedStrings.xml")))) {
        return false;
    }
    const QStringList entries = root.entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    if (entries.isEmpty()) {
        Show_NSLog_Message(QStringLiteral("cannot list %1").arg(self._tmpDir));
        return false;
    }
    QStringList paths;
    for (const QString& entry : entries) {
        paths << root.filePath(entry);
    }
    if (!SSZipArchive::createZipFileAtPath(path, paths)) {
        Show_NSLog_Message(QStringLiteral("Error when writing file %1").arg(path));
        return false;
    }
    return true;
}
