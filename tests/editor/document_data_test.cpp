// The card document's data, window controller and plain answers.

#include "common/TestSupport.h"
#include "editor/model/SKTDocument.h"
#include "editor/model/SKTLine.h"
#include "editor/model/SKTText.h"
#include "editor/model/SKTUndoRegistrationPause.h"
#include "editor/model/Shape_Control.h"
#include "editor_test_support.h"
#include "platform/Plist.h"

#include <QFile>
#include <QTemporaryDir>
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

TEST(DocumentData, OtherTypesAnswerAnError) {
    SKTDocument doc;
    struct Case {
        const char* type;
        int code;
    };
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
