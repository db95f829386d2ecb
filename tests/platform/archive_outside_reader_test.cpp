// Our archives as other programs see them: Python's plistlib reads them, and
// nothing changes under a comma-decimal locale.
#include "archive_test_support.h"
#include "common/TestSupport.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QProcess>
#include <clocale>
#include <gtest/gtest.h>

namespace {

// Describes an archive read from standard input: its top-level entries, the
// class names, and the Python type of every value of the root object.
const char* kDescribe = R"(
import json, plistlib, sys
a = plistlib.loads(sys.stdin.buffer.read())
objs = a["$objects"]
root = objs[a["$top"]["root"].data]
def kind(v):
    return "UID" if isinstance(v, plistlib.UID) else type(v).__name__
def at(v):
    return objs[v.data]
out = {
  "archiver": a["$archiver"], "version": a["$version"], "first": objs[0],
  "rootIsUid": isinstance(a["$top"]["root"], plistlib.UID),
  "classes": [o["$classname"] for o in objs if isinstance(o, dict) and "$classname" in o],
  "chains": [o["$classes"] for o in objs if isinstance(o, dict) and "$classes" in o],
  "rootClass": at(root["$class"])["$classname"],
  "kinds": {k: kind(v) for k, v in root.items()},
  "text": at(root["text"]),
  "rgb": at(root["color"])["NSRGB"].hex(),
  "fontName": at(at(root["font"])["NSName"]),
  "fontSize": at(root["font"])["NSSize"],
  "styledString": at(at(root["styled"])["NSString"]),
  "runInfo": at(at(root["styled"])["NSAttributeInfo"]).hex(),
}
print(json.dumps(out))
)";

TEST(ArchiveOutsideReader, PythonPlistlibReadsOurArchive) {
    const QString python = testsupport::debianPython();
    if (python.isEmpty()) {
        GTEST_SKIP() << "outside tool not installed: /usr/bin/python3";
    }
    TestRecord record;
    record.flag = true;
    record.int32 = -5;
    record.single = 1.1f;
    record.rect = QRectF(0, 0, 243, 154);
    record.text = QStringLiteral("Grüße 😀");
    record.color = QColor::fromRgbF(1, 0.5f, 0, 0.5f);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(14);
    record.font = font;
    SKTStyledText styled(QStringLiteral("ab😀"), font, Qt::black);
    styled.setColor(2, 2, Qt::red);
    record.styled = styled;

    const testsupport::ProcessResult run =
        testsupport::runProcess(python, {QStringLiteral("-c"), QString::fromLatin1(kDescribe)},
                                KeyedArchiver::archivedData(record));
    ASSERT_TRUE(run.started);
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    const QJsonObject d = QJsonDocument::fromJson(run.out).object();
    EXPECT_EQ(d["archiver"].toString(), QStringLiteral("NSKeyedArchiver"));
    EXPECT_EQ(d["version"].toInt(), 100000);
    EXPECT_EQ(d["first"].toString(), QStringLiteral("$null"));
    EXPECT_TRUE(d["rootIsUid"].toBool());
    EXPECT_EQ(d["rootClass"].toString(), QStringLiteral("TestRecord"));
    const QStringList classes = d["classes"].toVariant().toStringList();
    for (const char* name :
         {"TestRecord", "NSColor", "NSFont", "NSTextStorage", "NSArray", "NSDictionary"}) {
        EXPECT_EQ(classes.count(QString::fromLatin1(name)), 1) << name;
    }
    for (const QJsonValue& chain : d["chains"].toArray()) {
        EXPECT_EQ(chain.toArray().last().toString(), QStringLiteral("NSObject"));
    }
    const QJsonObject kinds = d["kinds"].toObject();
    EXPECT_EQ(kinds["$class"].toString(), QStringLiteral("UID"));
    EXPECT_EQ(kinds["flag"].toString(), QStringLiteral("bool"));
    EXPECT_EQ(kinds["int32"].toString(), QStringLiteral("int"));
    EXPECT_EQ(kinds["single"].toString(), QStringLiteral("float"));
    EXPECT_EQ(kinds["rect"].toString(), QStringLiteral("str"));
    for (const char* key : {"text", "color", "font", "styled"}) {
        EXPECT_EQ(kinds[key].toString(), QStringLiteral("UID")) << key;
    }
    EXPECT_EQ(d["text"].toString(), QStringLiteral("Grüße 😀"));
    EXPECT_EQ(d["rgb"].toString(), QByteArray("1 0.5 0 0.5\0", 12).toHex());
    EXPECT_EQ(d["fontName"].toString(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(d["fontSize"].toDouble(), 14.0);
    EXPECT_EQ(d["styledString"].toString(), QStringLiteral("ab😀"));
    EXPECT_EQ(d["runInfo"].toString(), QStringLiteral("02000201")); // (2, 0), (2, 1)
}

bool commaLocaleInstalled() {
    const std::string old = std::setlocale(LC_NUMERIC, nullptr);
    const bool ok = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    std::setlocale(LC_NUMERIC, old.c_str());
    return ok;
}

TEST(ArchiveLocale, SameBytesAndValuesUnderACommaDecimalLocale) {
    if (!commaLocaleInstalled()) {
        GTEST_SKIP() << "locale de_DE.UTF-8 not installed";
    }
    TestRecord record;
    record.single = 1.1f;
    record.real = 0.1;
    record.rect = QRectF(0.5, -1.25, 243, 154.75);
    record.color = QColor::fromRgbF(0.25f, 0.5f, 1, 0.5f);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(10.5);
    record.font = font;
    const QByteArray binary = KeyedArchiver::archivedData(record);
    const QByteArray xml = KeyedArchiver::archivedData(record, PlistFormat::Xml);

    const std::string old = std::setlocale(LC_ALL, nullptr);
    const QLocale oldDefault;
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QByteArray binaryDe = KeyedArchiver::archivedData(record);
    const QByteArray xmlDe = KeyedArchiver::archivedData(record, PlistFormat::Xml);
    const auto back = roundTrip(record, PlistFormat::Xml);
    std::setlocale(LC_ALL, old.c_str());
    QLocale::setDefault(oldDefault);

    EXPECT_EQ(binaryDe, binary);
    EXPECT_EQ(xmlDe, xml);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->single, 1.1f);
    EXPECT_EQ(back->real, 0.1);
    EXPECT_EQ(back->rect, record.rect);
    EXPECT_EQ(back->color, record.color);
    ASSERT_TRUE(back->font);
    EXPECT_EQ(back->font->pointSizeF(), 10.5);
}

// The archive and property-list tests once more in a child process whose
// whole environment is German.
TEST(ArchiveLocale, TestsPassWithLcAllGerman) {
    if (qEnvironmentVariableIsSet("CARD_LOCALE_CHILD")) {
        GTEST_SKIP() << "already the child run";
    }
    if (!commaLocaleInstalled()) {
        GTEST_SKIP() << "locale de_DE.UTF-8 not installed";
    }
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("de_DE.UTF-8"));
    env.insert(QStringLiteral("CARD_LOCALE_CHILD"), QStringLiteral("1"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=Formats/ArchiveRoundTrip.*:ArchiveBytes.*:"
                                "ArchiveForeign.*:Files/ArchiveFixture.*:Plist.*:RectStrings.*")});
    ASSERT_TRUE(child.waitForFinished(240000));
    const QByteArray out = child.readAllStandardOutput();
    EXPECT_EQ(child.exitCode(), 0) << out.right(3000).constData();
    EXPECT_TRUE(out.contains("[  PASSED  ]")) << out.right(3000).constData();
}

} // namespace
