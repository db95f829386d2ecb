// Writes the seed corpus of the fuzz targets with the program's own
// writers: design files, keyed archives of every object class and of the
// page record, pasteboard data, workbooks (and their sheet and shared-string
// parts, also for the XML readers on their own) and text, CSV and RTF series
// files.
//   fuzz_seeds <corpus folder>

#include "core/globals.h"
#include "dataseries/SSZipArchive.h"
#include "dataseries/SpreadsheetWriter.h"
#include "editor/model/Card_Property.h"
#include "editor/model/SKTBarcode.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTLine.h"
#include "editor/model/SKTSignature.h"
#include "editor/model/SKTText.h"
#include "editor/model/Shape_Control.h"
#include "fuzz/FuzzSupport.h"
#include "mainwindow/controller/DesignFile.h"
#include "platform/KeyedArchiver.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>

namespace {

bool failed = false;

void save(const QDir& folder, const QString& name, const QByteArray& bytes) {
    QFile file(folder.filePath(name));
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        failed = true;
    }
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Card_Property pageRecord(const QString& side, bool filled) {
    Card_Property record;
    record.setCard_border_chk(true);
    record.setCard_bordr_clr(Qt::darkBlue);
    record.setCard_fill_chk(filled);
    record.setCard_fill_style(QStringLiteral("G"));
    record.setCard_fill_clr(Qt::white);
    record.setCard_fill_Grd_1_clr(QColor(250, 240, 200));
    record.setCard_fill_Grd_2_clr(QColor(200, 160, 90));
    record.setCard_Side(QStringLiteral("2"));
    record.setCard_Side_Name(side);
    record.setCard_Shape(QStringLiteral("RR"));
    record.setCard_Name(QStringLiteral("Garden party"));
    record.setCard_Size(QSizeF(419.53, 297.64));
    record.setCard_Preset(QStringLiteral("Horizontal"));
    record.setCard_Category(QStringLiteral("Invitation"));
    record.setCard_Create_Mode(QStringLiteral("W"));
    record.setCard_Content_clr(Qt::black);
    return record;
}

CardPicture smallPicture() {
    QImage image(12, 8, QImage::Format_ARGB32);
    image.fill(QColor(30, 90, 160));
    return CardPicture::fromImage(image);
}

// One object of every class, with a few fields off their defaults.
SKTGraphicList everyObject() {
    auto text = std::make_shared<SKTText>();
    text->_bounds = QRectF(20, 30, 240, 40);
    text->setScriptingContents(QStringLiteral("You are invited, {Name}!"));
    text->txt_clr = Qt::darkRed;
    text->batch_list_name = QStringLiteral("Guests");
    text->batch_list_index = 2;

    auto shape = std::make_shared<Shape_Control>();
    shape->_bounds = QRectF(10, 10, 100, 60);
    shape->_fillColor = QColor(255, 220, 0);
    shape->_shape_type = QStringLiteral("Ellipse");
    shape->alpha_val = 0.5f;

    auto line = std::make_shared<SKTLine>();
    line->_bounds = QRectF(5, 100, 200, 0);
    line->_strokeColor = Qt::black;

    auto image = std::make_shared<SKTImage>();
    image->_bounds = QRectF(300, 20, 12, 8);
    image->setContents(smallPicture());

    auto barcode = std::make_shared<SKTBarcode>();
    barcode->_bounds = QRectF(300, 200, 12, 8);
    barcode->Set_Barcode_image(smallPicture());
    barcode->linear_or_2d = 1;

    auto signature = std::make_shared<SKTSignature>();
    signature->_bounds = QRectF(40, 220, 120, 30);
    signature->sign_or_fingureprint = QStringLiteral("S");

    auto plain = std::make_shared<SKTGraphic>();
    plain->_bounds = QRectF(1, 2, 3, 4);
    return {text, shape, line, image, barcode, signature, plain};
}

void designSeeds(const QDir& folder) {
    design_file::DesignContent empty;
    empty.front = pageRecord(QStringLiteral("F"), false);
    empty.back = pageRecord(QStringLiteral("B"), false);
    empty.titles = {QStringLiteral("No.")};
    save(folder, QStringLiteral("seed-empty.dcard"),
         design_file::Design_Array(empty).toBytes(PlistFormat::Xml));

    design_file::DesignContent full = empty;
    full.front = pageRecord(QStringLiteral("F"), true);
    full.excelBindingUse = true;
    full.excelSourcePath = QStringLiteral("/home/user/guests.xlsx");
    full.titles = {QStringLiteral("No."), QStringLiteral("Name"), QStringLiteral("Table")};
    full.rows = {{{QStringLiteral("No."), QStringLiteral("1")},
                  {QStringLiteral("Name"), QStringLiteral("Ada")},
                  {QStringLiteral("Table"), QStringLiteral("4")}},
                 {{QStringLiteral("No."), QStringLiteral("2")},
                  {QStringLiteral("Name"), QStringLiteral("Grace")},
                  {QStringLiteral("Table"), QStringLiteral("7")}}};
    const SKTGraphicList objects = everyObject();
    full.frontObjects = objects.mid(0, 4);
    full.backObjects = objects.mid(4);
    save(folder, QStringLiteral("seed-objects.dcard"),
         design_file::Design_Array(full).toBytes(PlistFormat::Xml));
    save(folder, QStringLiteral("seed-objects-binary.dcard"),
         design_file::Design_Array(full).toBytes(PlistFormat::Binary));
}

void archiveSeeds(const QDir& folder) {
    for (const auto& object : everyObject()) {
        save(folder, QStringLiteral("seed-%1.archive").arg(object->className()),
             object->archivedData());
    }
    const Card_Property record = pageRecord(QStringLiteral("F"), true);
    save(folder, QStringLiteral("seed-Card_Property.archive"), record.archivedData());
    save(folder, QStringLiteral("seed-Card_Property-xml.archive"),
         KeyedArchiver::archivedData(record, PlistFormat::Xml));
    save(folder, QStringLiteral("seed-colour.archive"),
         KeyedArchiver::archivedRootValue(QColor(10, 20, 30, 40)));
    save(folder, QStringLiteral("seed-font.archive"),
         KeyedArchiver::archivedRootValue(QFont(QStringLiteral("Liberation Serif"), 14)));
    save(folder, QStringLiteral("seed-list.archive"),
         KeyedArchiver::archivedRootValue(
             QVariantList{QStringLiteral("one"), 2, 3.5, true,
                          QVariantMap{{QStringLiteral("key"), QByteArray("bytes")}}}));
}

void pasteboardSeeds(const QDir& folder) {
    const SKTGraphicList objects = everyObject();
    save(folder, QStringLiteral("seed-all.pasteboard"),
         SKTGraphic::pasteboardDataWithGraphics(objects));
    save(folder, QStringLiteral("seed-text.pasteboard"),
         SKTGraphic::pasteboardDataWithGraphics(objects.mid(0, 1)));
    save(folder, QStringLiteral("seed-image-barcode.pasteboard"),
         SKTGraphic::pasteboardDataWithGraphics(objects.mid(3, 2)));
}

void workbookSeeds(const QDir& folder, const QDir& xmlFolder, const QString& scratch) {
    const SpreadsheetWriter::Rows guests = {
        {QStringLiteral("Name"), QStringLiteral("Table"), QStringLiteral("Meal")},
        {QStringLiteral("Ada"), QStringLiteral("4"), QStringLiteral("Fish")},
        {QStringLiteral("Grace"), QString(), QStringLiteral("Vegetarian & \"mild\"")},
        {QStringLiteral("  Jean <x>"), QStringLiteral("12.5"), QString()}};
    const SpreadsheetWriter::Rows wide = {
        {QStringLiteral("A"), QString(), QString(), QString(), QStringLiteral("E")},
        {QString(), QStringLiteral("b2")}};
    int n = 0;
    for (const auto& rows : {guests, wide}) {
        const QString path = QDir(scratch).filePath(QStringLiteral("book%1.xlsx").arg(++n));
        if (!SpreadsheetWriter::WriteWorkbook(path, rows, true)) {
            std::fprintf(stderr, "cannot write a workbook\n");
            failed = true;
            continue;
        }
        save(folder, QStringLiteral("seed-book%1.xlsx").arg(n), readFile(path));
        // The parts on their own: the target reads input that is no zip as
        // the sheet and shared-string parts.
        const QString unpacked = QDir(scratch).filePath(QStringLiteral("unpacked%1").arg(n));
        if (SSZipArchive::unzipFileAtPath(path, unpacked)) {
            const QDir parts(unpacked);
            save(folder, QStringLiteral("part-book%1-sheet1.xml").arg(n),
                 readFile(parts.filePath(QStringLiteral("xl/worksheets/sheet1.xml"))));
            save(folder, QStringLiteral("part-book%1-sharedStrings.xml").arg(n),
                 readFile(parts.filePath(QStringLiteral("xl/sharedStrings.xml"))));
            // The XML readers' own target: each part, and the two together
            // (shared strings, a NUL, the sheet).
            const QByteArray strings =
                readFile(parts.filePath(QStringLiteral("xl/sharedStrings.xml")));
            const QByteArray sheet =
                readFile(parts.filePath(QStringLiteral("xl/worksheets/sheet1.xml")));
            save(xmlFolder, QStringLiteral("seed-book%1-sharedStrings.xml").arg(n), strings);
            save(xmlFolder, QStringLiteral("seed-book%1-sheet1.xml").arg(n), sheet);
            save(xmlFolder, QStringLiteral("seed-book%1-both.xml").arg(n),
                 strings + QByteArray(1, '\0') + sheet);
        }
    }
}

void textSeeds(const QDir& folder) {
    const QString lines =
        QStringLiteral("Ada Lovelace\nGrace Hopper\r\nJean Bartik\n\n\u00c9mile\n");
    save(folder, QStringLiteral("seed-names.txt"), lines.toUtf8());
    QByteArray utf16("\xff\xfe", 2);
    for (const QChar c : lines) {
        const char16_t u = c.unicode();
        utf16.append(char(u & 0xff)).append(char(u >> 8));
    }
    save(folder, QStringLiteral("seed-names-utf16.txt"), utf16);
    save(folder, QStringLiteral("seed-names-cp1252.txt"),
         QByteArray("Caf\xe9\nNa\xefve\n\x80 5\n"));
    save(folder, QStringLiteral("seed-guests.csv"),
         QByteArray(
             "Ada,4,Fish\r\n\"Hopper, Grace\",\"7\",\"said \"\"hi\"\"\"\nJean,,\"two\nlines\"\r"));
    save(folder, QStringLiteral("seed-guests.rtf"),
         QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl\\f0\\fswiss Helvetica;}"
                    "{\\colortbl;\\red255\\green0\\blue0;}{\\*\\generator Card;}"
                    "\\f0\\fs24 Ada\\par Grace\\line Caf\\'e9\\tab \\uc1\\u8364?\\par "
                    "{\\info{\\title Guests}}{\\b Jean}\\par}"));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds <corpus folder>\n");
        return 2;
    }
    fuzz_support::startOnce();
    QTemporaryDir scratch;
    qputenv("TMPDIR", QFile::encodeName(scratch.path()));
    Resource_Path = QStringLiteral(CARD_SOURCE_DIR "/resources");

    const QDir corpus(QString::fromLocal8Bit(argv[1]));
    const auto folder = [&corpus](const QString& name) {
        corpus.mkpath(name);
        return QDir(corpus.filePath(name));
    };
    designSeeds(folder(QStringLiteral("design_file")));
    archiveSeeds(folder(QStringLiteral("keyed_unarchiver")));
    pasteboardSeeds(folder(QStringLiteral("pasteboard")));
    workbookSeeds(folder(QStringLiteral("xlsx")), folder(QStringLiteral("workbook_xml")),
                  scratch.path());
    textSeeds(folder(QStringLiteral("text_import")));
    return failed ? 1 : 0;
}
