// The workbook XML readers fed straight from memory, without a zip or a
// file: the input up to its first NUL byte is read as a shared-strings part,
// the rest as a worksheet part (an input without NUL as both). The sheet is
// read as the import does: every row with its values, then once more passing
// over the cells before its widest column, as the column count is found.

#include "dataseries/SharedStringsReading.h"
#include "dataseries/WorksheetStream.h"
#include "fuzz/FuzzSupport.h"

#include <QBuffer>
#include <memory>

namespace {

std::unique_ptr<QIODevice> deviceOf(const QByteArray& bytes) {
    auto device = std::make_unique<QBuffer>();
    device->setData(bytes);
    return device;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_support::startOnce();
    const QByteArray bytes = fuzz_support::bytesOf(data, size);
    const qsizetype nul = bytes.indexOf('\0');
    const QByteArray stringsPart = nul < 0 ? bytes : bytes.left(nul);
    const QByteArray sheetPart = nul < 0 ? bytes : bytes.mid(nul + 1);

    SharedStringTable strings;
    XmlStream xml(deviceOf(stringsPart));
    QString error;
    Read_Shared_Strings(xml, strings, error);
    for (qsizetype i = 0; i < strings.size(); ++i) {
        (void)strings.at(i).size();
    }

    int widest = 0;
    qsizetype characters = 0;
    WorksheetStream rows(deviceOf(sheetPart));
    while (rows.nextRow()) {
        for (const WorksheetStream::Cell& cell : rows) {
            if (WorksheetStream::hasValue(cell, strings)) {
                widest = std::max(widest, cell.column + 1);
            }
            characters += WorksheetStream::valueOf(cell, strings).size();
        }
    }
    if (!rows.failed()) {
        rows.finish();
    }
    WorksheetStream look(deviceOf(sheetPart));
    while (look.nextRow(widest)) {
        for (const WorksheetStream::Cell& cell : look) {
            characters += qsizetype(cell.text.size());
        }
    }
    (void)characters;
    return 0;
}
