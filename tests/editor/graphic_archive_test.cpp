// The object archive and the pasteboard data: every field of every class
// survives, archives read leniently, and outside readers see the structure
// other programs expect.

#include "editor/model/SKTBarcode.h"
#include "editor/model/SKTError.h"
#include "editor/model/SKTGraphic.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTLine.h"
#include "editor/model/SKTSignature.h"
#include "editor/model/SKTText.h"
#include "editor/model/Shape_Control.h"
#include "editor_archive_support.h"
#include "platform/Plist.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <plist/plist.h>
#include <typeinfo>

namespace {

std::vector<std::shared_ptr<SKTGraphic>> oneOfEachClass() {
    return {std::make_shared<SKTGraphic>(),    std::make_shared<SKTText>(),
            std::make_shared<SKTImage>(),      std::make_shared<SKTLine>(),
            std::make_shared<Shape_Control>(), std::make_shared<SKTSignature>(),
            std::make_shared<SKTBarcode>()};
}

// The root object's dictionary of an archive held in `plist`.
plist_t rootObject(const Plist& plist) {
    const PlistView top = plist.view().value("$top");
    const auto uid = top.value("root").toUid();
    if (!uid) {
        return nullptr;
    }
    return plist.view().value("$objects").at(static_cast<int>(*uid)).node();
}

} // namespace

TEST(GraphicArchive, EveryClassRoundTripsAllFields) {
    for (const auto& original : oneOfEachClass()) {
        SCOPED_TRACE(original->className().toStdString());
        fillEveryField(*original);
        QString reason;
        auto back = SKTGraphic::graphicWithArchivedData(original->archivedData(), &reason);
        ASSERT_TRUE(back) << reason.toStdString();
        const SKTGraphic& originalRef = *original;
        const SKTGraphic& backRef = *back;
        EXPECT_EQ(typeid(backRef), typeid(originalRef));
        expectSameArchivedFields(*original, *back);
    }
}

TEST(GraphicArchive, DoublesAreStoredAsSingleFloats) {
    Shape_Control shape;
    shape._strokeWidth = 1.1;
    shape._fill_grad_angle = 33.3;
    auto back = SKTGraphic::graphicWithArchivedData(shape.archivedData());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->_strokeWidth, static_cast<double>(1.1f));
    EXPECT_NE(back->_strokeWidth, 1.1);
    EXPECT_EQ(back->_fill_grad_angle, static_cast<double>(33.3f));
}

TEST(GraphicArchive, LinesKeepTheirDirection) {
    struct Case {
        QPointF begin, end;
    };
    const Case cases[] = {{{10, 60}, {110, 10}}, // rising to the right
                          {{10, 10}, {110, 60}},
                          {{110, 60}, {10, 10}},
                          {{110, 10}, {10, 60}}};
    for (const Case& c : cases) {
        SKTLine line;
        line.setBeginPoint(c.begin);
        line.setEndPoint(c.end);
        auto back = std::dynamic_pointer_cast<SKTLine>(
            SKTGraphic::graphicWithArchivedData(line.archivedData()));
        ASSERT_TRUE(back);
        EXPECT_EQ(back->beginPoint(), c.begin);
        EXPECT_EQ(back->endPoint(), c.end);
    }
}

TEST(GraphicArchive, MissingOrWrongKeysTakeTheNewObjectDefaults) {
    SKTText text;
    text.ctrl_is_visible = false;
    text.alpha_val = 0.3f;
    text._strokeWidth = 7.0;
    text.Text_Value = QStringLiteral("Kept");
    Plist plist = Plist::fromBytes(text.archivedData());
    plist_t root = rootObject(plist);
    ASSERT_TRUE(root);
    plist_dict_remove_item(root, "ctrl_is_visible");
    plist_dict_remove_item(root, "alpha_val");
    plist_dict_set_item(root, "_strokeWidth", plist_new_string("wide")); // wrong kind
    plist_dict_set_item(root, "qr_size_val", plist_new_bool(1));         // wrong kind

    auto back = SKTGraphic::graphicWithArchivedData(plist.toBytes(PlistFormat::Binary));
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->ctrl_is_visible);
    EXPECT_EQ(back->alpha_val, 1.0f);
    EXPECT_EQ(back->_strokeWidth, 1.0);
    EXPECT_EQ(back->qr_size_val, 60);
    EXPECT_EQ(back->Text_Value, QStringLiteral("Kept"));
}

TEST(GraphicArchive, UnreadableArchivesGiveNoObject) {
    QString reason;
    EXPECT_FALSE(SKTGraphic::graphicWithArchivedData(QByteArray("not an archive"), &reason));
    EXPECT_FALSE(reason.isEmpty());

    Plist plist = Plist::fromBytes(Shape_Control().archivedData());
    plist_t root = rootObject(plist);
    const auto classUid = PlistView(root).value("$class").toUid();
    ASSERT_TRUE(classUid);
    plist_t classEntry = plist.view().value("$objects").at(static_cast<int>(*classUid)).node();
    plist_dict_set_item(classEntry, "$classname", plist_new_string("SomethingElse"));
    EXPECT_FALSE(SKTGraphic::graphicWithArchivedData(plist.toBytes(PlistFormat::Binary)));
}

TEST(PasteboardData, EmptyListGivesAnEmptyArray) {
    const QByteArray data = SKTGraphic::pasteboardDataWithGraphics({});
    EXPECT_TRUE(data.startsWith("bplist00"));
    const Plist plist = Plist::fromBytes(data);
    ASSERT_EQ(plist.type(), PlistType::Array);
    EXPECT_EQ(plist.view().count(), 0);
    SKTError error;
    auto graphics = SKTGraphic::graphicsWithPasteboardData(data, &error);
    ASSERT_TRUE(graphics.has_value());
    EXPECT_TRUE(graphics->isEmpty());
    EXPECT_EQ(error.code, 0);
}

TEST(PasteboardData, ObjectsComeBackInOrder) {
    auto text = std::make_shared<SKTText>();
    text->Text_Value = QStringLiteral("first");
    auto line = std::make_shared<SKTLine>();
    line->setEndPoint(QPointF(5, 9));
    auto barcode = std::make_shared<SKTBarcode>();
    barcode->linear_font_val = QStringLiteral("5901234123457");
    const QByteArray data = SKTGraphic::pasteboardDataWithGraphics({text, line, barcode});
    auto graphics = SKTGraphic::graphicsWithPasteboardData(data, nullptr);
    ASSERT_TRUE(graphics.has_value());
    ASSERT_EQ(graphics->size(), 3);
    EXPECT_EQ(graphics->at(0)->className(), QStringLiteral("SKTText"));
    EXPECT_EQ(graphics->at(0)->Text_Value, QStringLiteral("first"));
    EXPECT_EQ(graphics->at(1)->className(), QStringLiteral("SKTLine"));
    EXPECT_EQ(graphics->at(2)->linear_font_val, QStringLiteral("5901234123457"));
}

TEST(PasteboardData, RootsThatAreNotArraysGiveErrorTwo) {
    Plist dictionary = Plist::dictionary();
    dictionary.insert("graphics", Plist::array());
    const QByteArray inputs[] = {dictionary.toBytes(PlistFormat::Binary),
                                 dictionary.toBytes(PlistFormat::Xml), QByteArray("garbage"),
                                 QByteArray()};
    for (const QByteArray& input : inputs) {
        SKTError error;
        EXPECT_FALSE(SKTGraphic::graphicsWithPasteboardData(input, &error).has_value());
        EXPECT_EQ(error.code, 2);
        EXPECT_EQ(error.domain, QStringLiteral("CardEditorErrorDomain"));
        EXPECT_EQ(error.localizedDescription,
                  QStringLiteral("The card editor could not complete the operation because an "
                                 "unknown error occurred."));
        EXPECT_EQ(error.localizedFailureReason, QStringLiteral("An unknown error occurred."));
    }
    EXPECT_FALSE(SKTGraphic::graphicsWithPasteboardData(QByteArray("x"), nullptr).has_value());
}

TEST(PasteboardData, BrokenElementsAreSkipped) {
    Plist array = Plist::array();
    array.append(Plist::data(Shape_Control().archivedData()));
    array.append(Plist::string("not data"));
    array.append(Plist::data(QByteArray("not an archive")));
    array.append(Plist::data(SKTText().archivedData()));
    auto graphics =
        SKTGraphic::graphicsWithPasteboardData(array.toBytes(PlistFormat::Binary), nullptr);
    ASSERT_TRUE(graphics.has_value());
    ASSERT_EQ(graphics->size(), 2);
    EXPECT_EQ(graphics->at(1)->className(), QStringLiteral("SKTText"));
}

TEST(PasteboardData, PicturesAreReloadedWhenTheirFileExists) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage pixels(16, 9, QImage::Format_RGB32);
    pixels.fill(Qt::cyan);
    ASSERT_TRUE(pixels.save(dir.filePath("p.png")));

    auto present = std::make_shared<SKTImage>();
    present->_file_path = dir.filePath("p.png");
    auto missing = std::make_shared<SKTImage>();
    missing->_file_path = dir.filePath("gone.png");
    missing->_bounds = QRectF(1, 1, 50, 50);
    auto graphics =
        SKTGraphic::graphicsWithProperties(SKTGraphic::propertiesWithGraphics({present, missing}));
    ASSERT_EQ(graphics.size(), 2);
    auto presentBack = std::static_pointer_cast<SKTImage>(graphics[0]);
    auto missingBack = std::static_pointer_cast<SKTImage>(graphics[1]);
    EXPECT_EQ(presentBack->_contents.image().size(), QSize(16, 9));
    EXPECT_TRUE(missingBack->_contents.isNull());
    EXPECT_EQ(missingBack->bounds(), QRectF(1, 1, 50, 50));
}

TEST(GraphicArchive, OutsideReaderSeesTheKeysAndKinds) {
    const QString python = testsupport::debianPython();
    if (python.isEmpty()) {
        GTEST_SKIP() << "outside tool not installed: /usr/bin/python3";
    }
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QStringList files;
    int n = 0;
    for (const auto& graphic : oneOfEachClass()) {
        fillEveryField(*graphic);
        const QString file = dir.filePath(QStringLiteral("g%1.bin").arg(n++));
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(graphic->archivedData());
        files << file;
    }
    const auto result = checkArchivesWithPython(python, files);
    ASSERT_TRUE(result.started);
    EXPECT_EQ(result.exitCode, 0) << result.out.toStdString() << result.err.toStdString();
    EXPECT_EQ(result.out.trimmed(), QByteArray("checked 7"));
}
