// Replays the committed corpus of every fuzz target through its entry point
// without the fuzzer: the seeds written by our own writers and every input
// kept from a fuzzing run. Seeds must also read in their reader, so the
// fuzzer starts from inputs that reach the deep paths. Under `make
// test-asan` the replay runs with the sanitizers as well.

#include "fuzz/replay/FuzzEntries.h"

#include "dataseries/SharedStringsReading.h"
#include "dataseries/SpreadsheetWriter.h"
#include "dataseries/TextImport.h"
#include "dataseries/WorksheetStream.h"
#include "editor/model/Card_Property.h"
#include "editor/model/SKTError.h"
#include "editor/model/SKTGraphic.h"
#include "mainwindow/controller/DesignFile.h"
#include "platform/KeyedUnarchiver.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

using Entry = int (*)(const uint8_t*, size_t);
using SeedCheck = std::function<bool(const QString& name, const QByteArray& bytes)>;

struct Target {
    const char* name;
    Entry entry;
    // Whether a seed reads in the target's reader.
    SeedCheck seedReads;
};

bool designReads(const QString&, const QByteArray& bytes) {
    return design_file::Read_Design_Bytes(bytes).has_value();
}

bool archiveReads(const QString&, const QByteArray& bytes) {
    SKTGraphic::registerArchiveClasses();
    Card_Property::registerArchiveClass();
    const auto coder = KeyedUnarchiver::fromData(bytes);
    return coder && (coder->decodeRootObject() || coder->decodeRootValue());
}

bool pasteboardReads(const QString&, const QByteArray& bytes) {
    SKTError error;
    const auto graphics = SKTGraphic::graphicsWithPasteboardData(bytes, &error);
    return graphics && !graphics->isEmpty();
}

// A seed workbook unpacks and its first sheet gives rows.
bool workbookReads(const QString&, const QByteArray& bytes) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("seed.xlsx"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        return false;
    }
    file.close();
    const QByteArray oldTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(folder.path()));
    spreadsheet.reset();
    SpreadsheetWriter::ReadWorkbook(path, 1);
    const bool listed = SpreadsheetWriter::Worksheet_Names().contains(QStringLiteral("sheet1"));
    Excel_Sheet_Number = 1;
    SpreadsheetWriter::ReadData_only_column();
    const bool rows = !SpreadsheetWriter::ReadWorkbook(path, 0).isEmpty();
    spreadsheet.reset();
    qputenv("TMPDIR", oldTmp);
    return listed && rows;
}

// A seed of workbook XML gives shared strings, or a worksheet with a row.
bool workbookXmlReads(const QString&, const QByteArray& bytes) {
    const qsizetype nul = bytes.indexOf('\0');
    auto strings = std::make_unique<QBuffer>();
    strings->setData(nul < 0 ? bytes : bytes.left(nul));
    XmlStream xml(std::move(strings));
    SharedStringTable table;
    QString error;
    const bool readStrings = Read_Shared_Strings(xml, table, error) && !table.isEmpty();
    auto sheet = std::make_unique<QBuffer>();
    sheet->setData(nul < 0 ? bytes : bytes.mid(nul + 1));
    WorksheetStream rows(std::move(sheet));
    const bool readRow = rows.nextRow() && !rows.failed();
    return nul < 0 ? readStrings || readRow : readStrings && readRow;
}

bool textReads(const QString& name, const QByteArray& bytes) {
    const QString extension = QFileInfo(name).suffix();
    return !Text_File_Values(extension, Text_File_Content(extension, bytes)).isEmpty();
}

const Target targets[] = {
    {"design_file", card_fuzz_design_file, designReads},
    {"keyed_unarchiver", card_fuzz_keyed_unarchiver, archiveReads},
    {"pasteboard", card_fuzz_pasteboard, pasteboardReads},
    {"xlsx", card_fuzz_xlsx, workbookReads},
    {"text_import", card_fuzz_text_import, textReads},
    {"workbook_xml", card_fuzz_workbook_xml, workbookXmlReads},
};

QFileInfoList corpusOf(const Target& target) {
    const QDir folder(QDir(QStringLiteral(CARD_FUZZ_CORPUS_DIR)).filePath(target.name));
    return folder.entryInfoList(QDir::Files, QDir::Name);
}

QByteArray contentOf(const QFileInfo& info) {
    QFile file(info.filePath());
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << info.filePath().toStdString();
    return file.readAll();
}

class FuzzReplay : public ::testing::TestWithParam<Target> {};

TEST_P(FuzzReplay, EveryCorpusFilePassesThroughTheEntryPoint) {
    const QFileInfoList files = corpusOf(GetParam());
    ASSERT_GE(files.size(), 3) << "the seed corpus of " << GetParam().name << " is missing";
    for (const QFileInfo& info : files) {
        SCOPED_TRACE(info.fileName().toStdString());
        const QByteArray bytes = contentOf(info);
        EXPECT_EQ(GetParam().entry(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                   size_t(bytes.size())),
                  0);
    }
}

TEST_P(FuzzReplay, EverySeedReadsInItsReader) {
    int seeds = 0;
    for (const QFileInfo& info : corpusOf(GetParam())) {
        if (!info.fileName().startsWith(QLatin1String("seed-"))) {
            continue;
        }
        ++seeds;
        EXPECT_TRUE(GetParam().seedReads(info.fileName(), contentOf(info)))
            << info.fileName().toStdString();
    }
    EXPECT_GE(seeds, 2);
}

TEST_P(FuzzReplay, EmptyInputPassesThroughTheEntryPoint) {
    const uint8_t nothing = 0;
    EXPECT_EQ(GetParam().entry(&nothing, 0), 0);
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, ::testing::ValuesIn(targets),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
