// The card document's data, window controller and plain answers.

#include "common/TestSupport.h"
#include "drawing_test_support.h"
#include "editor/model/SKTDocument.h"
#include "editor/model/SKTLine.h"
#include "editor/model/SKTScriptingColor.h"
#include "editor/model/SKTText.h"
#include "editor/model/SKTUndoRegistrationPause.h"
#include "editor/model/Shape_Control.h"
#include "editor_test_support.h"
#include "platform/Plist.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>

TEST(DocumentData, WritesTheFrontListOnly) {
    SKTDocument doc;
    auto front1 = std::make_shared<SKTText>();
    front1->Text_Value = QStringLiteral("front one");
    auto front2 = std::make_shared<SKTLine>();
    doc.insertGraphics({front1, front2}, {0, 1});
    doc.insertGraphicsInList("graphics_back", {std::make_shared<Shape_Control>()}, {0});
    doc.insertGraphicsInList("graphics_temp", {std::make_shared<Shape_Control>()}, {0});

    for (const QString& type : {SKTDocumentNewTypeName, SKTDocumentOldTypeName}) {
        SKTError error;
        const auto data = doc.dataOfType(type, &error);
        ASSERT_TRUE(data.has_value());
        EXPECT_TRUE(data->startsWith("bplist00"));
        const Plist plist = Plist::fromBytes(*data);
        ASSERT_EQ(plist.type(), PlistType::Dictionary);
        EXPECT_EQ(plist.view().value("version").toInt64(), 2);
        const PlistView graphics = plist.view().value("graphics");
        ASSERT_EQ(graphics.count(), 2);
        auto first = SKTGraphic::graphicWithArchivedData(*graphics.at(0).toData());
        ASSERT_TRUE(first);
        EXPECT_EQ(first->Text_Value, QStringLiteral("front one"));
        EXPECT_EQ(plist.view().value("printInfo").type(), PlistType::Data);
    }
}

TEST(DocumentData, OutsideReaderSeesTheDocumentData) {
    const QString python = testsupport::debianPython();
    if (python.isEmpty()) {
        GTEST_SKIP() << "outside tool not installed: /usr/bin/python3";
    }
    SKTDocument doc;
    doc.addInGraphics(std::make_shared<Shape_Control>());
    doc.insertGraphicsInList("graphics_back", {std::make_shared<Shape_Control>()}, {0});
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath("doc.bin"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(*doc.dataOfType(SKTDocumentNewTypeName));
    file.close();
    const char* script = R"PY(
import plistlib, sys
d = plistlib.load(open(sys.argv[1], "rb"))
assert sorted(d) == ["graphics", "printInfo", "version"], sorted(d)
assert d["version"] == 2 and len(d["graphics"]) == 1
inner = plistlib.loads(d["graphics"][0])
assert inner["$archiver"] == "NSKeyedArchiver"
info = plistlib.loads(d["printInfo"])
assert info["paperWidth"] > 0
print("ok")
)PY";
    const auto result =
        testsupport::runProcess(python, {"-c", QString::fromUtf8(script), file.fileName()});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out.trimmed(), QByteArray("ok"));
}

TEST(DocumentData, PdfAndTiffAreTheRenderingsOfTheFrontList) {
    drawingtest::RenderInputsGuard inputs(QSizeF(300, 200)); // the PDF page
    SKTDocument doc;
    auto front = makeGraphic<Shape_Control>({20, 30, 100, 50});
    doc.addInGraphics(front);
    doc.insertGraphicsInList("graphics_back", {makeGraphic<Shape_Control>({300, 300, 300, 100})},
                             {0});
    SKTError error;
    const auto pdf = doc.dataOfType(QStringLiteral("com.adobe.pdf"), &error);
    ASSERT_TRUE(pdf.has_value());
    EXPECT_TRUE(pdf->startsWith("%PDF"));
    const auto tiff = doc.dataOfType(QStringLiteral("public.tiff"), &error);
    ASSERT_TRUE(tiff.has_value());
    const QImage image = QImage::fromData(*tiff, "TIFF");
    ASSERT_FALSE(image.isNull());
    // The objects alone over their drawing bounds: the back object would
    // make the picture far larger.
    const QRectF area = front->drawingBounds();
    EXPECT_NEAR(image.width(), area.width(), 1.0);
    EXPECT_NEAR(image.height(), area.height(), 1.0);
}

TEST(DocumentData, OtherTypesAnswerAnError) {
    SKTDocument doc;
    struct Case {
        const char* type;
        int code;
    };
    // No front canvas size: nothing to render for an empty front list.
    drawingtest::RenderInputsGuard inputs{QSizeF()};
    const Case cases[] = {{"public.tiff", 3}, {"com.adobe.pdf", 1}, {"public.plain-text", 1}};
    for (const Case& c : cases) {
        SKTError error;
        EXPECT_FALSE(doc.dataOfType(QString::fromLatin1(c.type), &error).has_value()) << c.type;
        EXPECT_EQ(error.code, c.code) << c.type;
        EXPECT_EQ(error.domain, SKTErrorDomain);
    }
    EXPECT_FALSE(doc.readFromData(*doc.dataOfType(SKTDocumentNewTypeName), SKTDocumentNewTypeName));
}

TEST(DocumentData, OnlyTheFirstDocumentGetsAWindow) {
    int made = 0;
    SKTDocument::setWindowControllerFactory([&made](SKTDocument&) {
        ++made;
        return std::make_unique<FakeMainWindow>();
    });
    SKTDocument first;
    first.makeWindowControllers();
    ASSERT_NE(first.windowController(), nullptr);
    EXPECT_EQ(first.displayName(), QStringLiteral("Card Studio"));
    SKTDocument second;
    second.makeWindowControllers();
    EXPECT_EQ(second.windowController(), nullptr);
    first.makeWindowControllers();
    EXPECT_EQ(made, 1);
    SKTDocument::setWindowControllerFactory(nullptr);
}

TEST(DocumentData, PlainAnswers) {
    EXPECT_EQ(SKTDocument::canvasSize(1, QSizeF(10, 20)), QSizeF(243, 154));
    EXPECT_EQ(SKTDocument::canvasSize(3, QSizeF(10, 20)), QSizeF(243, 154));
    EXPECT_EQ(SKTDocument::canvasSize(2, QSizeF(10, 20)), QSizeF(10, 20));
    SKTDocument doc;
    EXPECT_FALSE(doc.isDocumentEdited());
    EXPECT_TRUE(doc.graphicsForKey("nothing").isEmpty());
    auto shape = std::make_shared<Shape_Control>();
    doc.addInGraphics(shape);
    EXPECT_FALSE(doc.isDocumentEdited());
    EXPECT_EQ(shape->objectSpecifier(), 0);
    EXPECT_EQ(doc.graphicsForKey("graphics"), SKTGraphicList({shape}));
}

TEST(DocumentScripting, ClassListsInsertAndRemoveThroughTheFrontList) {
    SKTDocument doc;
    auto text = std::make_shared<SKTText>();
    auto shape1 = std::make_shared<Shape_Control>();
    auto line = std::make_shared<SKTLine>();
    auto shape2 = std::make_shared<Shape_Control>();
    doc.insertGraphics({text, shape1, line, shape2}, {0, 1, 2, 3});
    EXPECT_EQ(doc.rectangles(), SKTGraphicList({shape1, shape2}));
    EXPECT_EQ(doc.graphicsWithClassKey("circles"), doc.rectangles());
    EXPECT_EQ(doc.lines(), SKTGraphicList({line}));
    EXPECT_EQ(doc.graphicsWithClass<SKTGraphic>().size(), 4);

    auto shape3 = std::make_shared<Shape_Control>();
    EXPECT_TRUE(doc.insertObject(shape3, "rectangles", 1)); // before shape2
    EXPECT_EQ(doc.graphics().indexOf(shape3), 3);
    auto line2 = std::make_shared<SKTLine>();
    EXPECT_TRUE(doc.insertObject(line2, "lines", 1)); // the end of the class list
    EXPECT_EQ(doc.graphics().last(), line2);
    EXPECT_TRUE(doc.removeObjectFrom("textAreas", 0));
    EXPECT_FALSE(doc.graphics().contains(text));

    struct Refusal {
        const char* key;
        int index;
        const char* text;
    };
    const Refusal refusals[] = {
        {"rectangles", 7, "Could not find the given rectangle in the graphics."},
        {"circles", -1, "Could not find the given circle in the graphics."},
        {"textAreas", 0, "Could not find the given text area in the graphics."},
        {"images", 0, "Could not find the given image in the graphics."},
        {"lines", 2, "Could not find the given line in the graphics."},
    };
    for (const Refusal& r : refusals) {
        SKTScriptError error;
        EXPECT_FALSE(doc.removeObjectFrom(r.key, r.index, &error)) << r.key;
        EXPECT_EQ(error.text, QString::fromLatin1(r.text));
    }
    SKTScriptError error;
    EXPECT_FALSE(doc.insertObject(std::make_shared<Shape_Control>(), "rectangles", 9, &error));
    EXPECT_EQ(error.number, -10000);
    EXPECT_EQ(doc.graphics().size(), 5);
}

TEST(DocumentScripting, ColourDescriptors) {
    const QByteArray descriptor = SKTScriptingRGBColorDescriptor(QColor::fromRgbF(1.0f, 0.5f, 0));
    ASSERT_EQ(descriptor.size(), 6);
    quint16 rgb[3];
    std::memcpy(rgb, descriptor.constData(), 6);
    EXPECT_EQ(rgb[0], 65535);
    EXPECT_EQ(rgb[1], 32767);
    EXPECT_EQ(rgb[2], 0);
    const QColor back = SKTScriptingRGBColorWithDescriptor(descriptor);
    EXPECT_EQ(back.red(), 255);
    EXPECT_EQ(back.blue(), 0);
    EXPECT_EQ(back.alphaF(), 1.0f);
    EXPECT_FALSE(SKTScriptingRGBColorWithDescriptor(QByteArray(5, '\0')).isValid());
    EXPECT_FALSE(SKTScriptingRGBColorWithDescriptor(QByteArray(8, '\0')).isValid());
}
