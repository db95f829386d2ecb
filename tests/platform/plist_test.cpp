// Property lists: typed access, both formats, files, and input that must be
// refused without harm.
#include "common/TestSupport.h"
#include "platform/Plist.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <clocale>
#include <gtest/gtest.h>
#include <limits>

namespace {

Plist sample() {
    Plist dict = Plist::dictionary();
    dict.insert(QStringLiteral("b"), Plist::boolean(true));
    dict.insert(QStringLiteral("i"), Plist::integer(-42));
    dict.insert(QStringLiteral("big"), Plist::integer(-5000000000LL));
    dict.insert(QStringLiteral("r"), Plist::real(1.5));
    dict.insert(QStringLiteral("s"), Plist::string(QStringLiteral("Grüße 😀")));
    dict.insert(QStringLiteral("d"), Plist::data(QByteArray("\0\1\2", 3)));
    dict.insert(QStringLiteral("u"), Plist::uid(7));
    Plist list = Plist::array();
    list.append(Plist::integer(1));
    list.append(Plist::string(QStringLiteral("two")));
    dict.insert(QStringLiteral("a"), std::move(list));
    return dict;
}

void expectSample(PlistView v) {
    ASSERT_EQ(v.type(), PlistType::Dictionary);
    EXPECT_EQ(v.keys(), (QStringList{"b", "i", "big", "r", "s", "d", "u", "a"})); // insertion order
    EXPECT_EQ(v.value("b").toBool(), true);
    EXPECT_EQ(v.value("i").toInt64(), -42);
    EXPECT_EQ(v.value("big").toInt64(), -5000000000LL);
    EXPECT_EQ(v.value("r").toReal(), 1.5);
    EXPECT_EQ(v.value("s").toString(), QStringLiteral("Grüße 😀"));
    EXPECT_EQ(v.value("d").toData(), QByteArray("\0\1\2", 3));
    EXPECT_EQ(v.value("a").count(), 2);
    EXPECT_EQ(v.value("a").at(1).toString(), QStringLiteral("two"));
    EXPECT_TRUE(v.value("a").at(2).isNull());
    const std::vector<PlistView> items = v.value("a").items();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].toInt64(), 1);
    const auto entries = v.entries();
    ASSERT_EQ(entries.size(), 8u);
    EXPECT_EQ(entries[3].first, QStringLiteral("r"));
    EXPECT_EQ(entries[3].second.toReal(), 1.5);
    EXPECT_TRUE(v.value("missing").isNull());
}

// A binary property list of `n` arrays each holding the next; with `loop` the
// last one holds the first; with `fanOut` every array holds the next one
// twice (a few hundred bytes that expand to 2^n values).
QByteArray nestedBinary(int n, bool loop = false, bool fanOut = false) {
    QByteArray body("bplist00");
    std::vector<quint32> offsets;
    for (int i = 0; i < n; ++i) {
        offsets.push_back(static_cast<quint32>(body.size()));
        const bool last = i + 1 == n;
        if (last && !loop) {
            body.append(char(0xA0));
            continue;
        }
        const quint32 next = last ? 0 : static_cast<quint32>(i + 1);
        const int copies = fanOut ? 2 : 1;
        body.append(char(0xA0 | copies));
        for (int c = 0; c < copies; ++c) {
            const quint32 be = qToBigEndian(next);
            body.append(reinterpret_cast<const char*>(&be), 4);
        }
    }
    const quint64 table = static_cast<quint64>(body.size());
    for (quint32 o : offsets) {
        const quint32 be = qToBigEndian(o);
        body.append(reinterpret_cast<const char*>(&be), 4);
    }
    body.append(QByteArray(6, '\0'));
    body.append(char(4));
    body.append(char(4));
    for (quint64 value : {quint64(n), quint64(0), table}) {
        const quint64 be = qToBigEndian(value);
        body.append(reinterpret_cast<const char*>(&be), 8);
    }
    return body;
}

TEST(Plist, TypedAccessAnswersAbsentOnOtherTypes) {
    const Plist p = sample();
    const PlistView v = p.view();
    EXPECT_FALSE(v.value("s").toInt64());
    EXPECT_FALSE(v.value("i").toString());
    EXPECT_FALSE(v.value("i").toReal());
    EXPECT_FALSE(v.value("r").toInt64());
    EXPECT_FALSE(v.value("b").toInt64());
    EXPECT_FALSE(v.value("d").toString());
    EXPECT_FALSE(v.value("u").toInt64());
    EXPECT_EQ(v.value("u").toUid(), 7u);
    EXPECT_EQ(v.value("s").count(), 0);
    EXPECT_TRUE(v.value("s").at(0).isNull());
    EXPECT_TRUE(v.value("a").value("x").isNull());
    EXPECT_TRUE(v.value("a").keys().isEmpty());
    EXPECT_TRUE(v.value("a").entries().empty());
    EXPECT_TRUE(v.value("s").items().empty());
    EXPECT_FALSE(PlistView().toBool());
    EXPECT_EQ(PlistView().type(), PlistType::None);
}

TEST(Plist, BothFormatsRoundTrip) {
    const Plist p = sample();
    const QByteArray binary = p.toBytes(PlistFormat::Binary);
    const QByteArray xml = p.toBytes(PlistFormat::Xml);
    EXPECT_TRUE(binary.startsWith("bplist00"));
    EXPECT_TRUE(xml.contains("<plist"));
    for (const QByteArray& bytes : {binary, xml}) {
        QString reason;
        const Plist back = Plist::fromBytes(bytes, &reason);
        ASSERT_FALSE(back.isNull()) << qPrintable(reason);
        expectSample(back.view());
    }
    const Plist copy = p.view().value("a").clone();
    EXPECT_EQ(copy.view().at(0).toInt64(), 1);
}

TEST(Plist, XmlRealsIgnoreTheNumericLocale) {
    const QByteArray xml = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>"
                           "<key>r</key><real>1.5</real></dict></plist>";
    const std::string old = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
        GTEST_SKIP() << "locale de_DE.UTF-8 not installed";
    }
    const Plist p = Plist::fromBytes(xml);
    const QByteArray written = Plist::real(2.25).toBytes(PlistFormat::Xml);
    std::setlocale(LC_NUMERIC, old.c_str());
    EXPECT_EQ(p.view().value("r").toReal(), 1.5);
    EXPECT_TRUE(written.contains("2.25")) << written.constData();
}

TEST(Plist, FilesAreWrittenWholeOrNotAtAll) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("a.plist"));
    QString reason;
    ASSERT_TRUE(sample().writeToFile(path, PlistFormat::Binary, &reason)) << qPrintable(reason);
    expectSample(Plist::fromFile(path).view());
    ASSERT_TRUE(sample().writeToFile(path, PlistFormat::Xml));
    expectSample(Plist::fromFile(path).view());

    // A target in a folder that does not exist fails with a reason.
    reason.clear();
    EXPECT_FALSE(
        sample().writeToFile(dir.filePath("no/such/folder/a.plist"), PlistFormat::Xml, &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_FALSE(Plist().writeToFile(path, PlistFormat::Xml));
    expectSample(Plist::fromFile(path).view()); // the old file is whole

    EXPECT_TRUE(Plist::fromFile(dir.filePath("missing.plist"), &reason).isNull());
    EXPECT_FALSE(reason.isEmpty());
}

TEST(Plist, HostileBytesAreRefused) {
    const QByteArray deepXml = "<?xml version=\"1.0\"?><plist version=\"1.0\">" +
                               QByteArray("<array>").repeated(100000) +
                               QByteArray("</array>").repeated(100000) + "</plist>";
    const struct {
        const char* name;
        QByteArray bytes;
    } rows[] = {
        {"empty", QByteArray()},
        {"text", "hello, world"},
        {"truncated binary", sample().toBytes(PlistFormat::Binary).left(40)},
        {"truncated xml", sample().toBytes(PlistFormat::Xml).left(200)},
        {"binary nested 100000 deep", nestedBinary(100000)},
        {"binary referring to itself", nestedBinary(5, true)},
        {"binary expanding to 2^40 values", nestedBinary(40, false, true)},
        {"xml nested 100000 deep", deepXml},
        {"over 64 MiB", QByteArray(64 * 1024 * 1024 + 1, ' ')},
    };
    for (const auto& row : rows) {
        QString reason;
        EXPECT_TRUE(Plist::fromBytes(row.bytes, &reason).isNull()) << row.name;
        EXPECT_FALSE(reason.isEmpty()) << row.name;
    }
    // Moderate nesting and sharing still read.
    EXPECT_FALSE(Plist::fromBytes(nestedBinary(200)).isNull());
    EXPECT_FALSE(Plist::fromBytes(nestedBinary(12, false, true)).isNull());
}

// A binary property list of one dictionary whose only key is the object
// `key` (its marker and bytes as they stand) and whose value is the string
// `value`.
QByteArray oneEntryDictionary(const QByteArray& key, const QByteArray& value = "\x51x") {
    QByteArray body("bplist00");
    const QByteArray objects[] = {QByteArray("\xD1\x01\x02", 3), key, value};
    QByteArray table;
    for (const QByteArray& object : objects) {
        table.append(char(body.size()));
        body.append(object);
    }
    const char tableOffset = char(body.size());
    body.append(table);
    body.append(QByteArray(6, '\0'));
    body.append(char(1)).append(char(1));
    body.append(QByteArray(7, '\0')).append(char(3));
    body.append(QByteArray(8, '\0'));
    body.append(QByteArray(7, '\0')).append(tableOffset);
    return body;
}

// libplist stops the whole process when it hands out a dictionary key with
// a NUL in it, so such files are refused before it parses them.
TEST(Plist, DictionaryKeysWithNulAreRefused) {
    const struct {
        const char* name;
        QByteArray bytes;
        bool reads;
    } rows[] = {
        {"plain key",
         oneEntryDictionary(QByteArray("\x53"
                                       "abc",
                                       4)),
         true},
        {"NUL inside an ASCII key",
         oneEntryDictionary(QByteArray("\x53"
                                       "a\0b",
                                       4)),
         false},
        {"NUL ending an ASCII key",
         oneEntryDictionary(QByteArray("\x52"
                                       "a\0",
                                       3)),
         false},
        {"NUL in a UTF-16 key", oneEntryDictionary(QByteArray("\x62\0a\0\0", 5)), false},
        {"UTF-16 key", oneEntryDictionary(QByteArray("\x62\0a\x01\0", 5)), true},
        {"NUL in a value only",
         oneEntryDictionary(QByteArray("\x51k", 2), QByteArray("\x52x\0", 3)), true},
    };
    for (const auto& row : rows) {
        QString reason;
        const Plist read = Plist::fromBytes(row.bytes, &reason);
        EXPECT_EQ(!read.isNull(), row.reads) << row.name << ": " << reason.toStdString();
        if (row.reads) {
            EXPECT_EQ(read.view().entries().size(), 1u) << row.name;
        } else {
            EXPECT_EQ(reason, QStringLiteral("property list dictionary key holds a NUL character"))
                << row.name;
        }
    }
}

TEST(Plist, OwnershipMoves) {
    Plist a = Plist::string(QStringLiteral("x"));
    Plist b = std::move(a);
    EXPECT_TRUE(a.isNull());
    EXPECT_EQ(b.view().toString(), QStringLiteral("x"));
    Plist list = Plist::array();
    list.append(std::move(b));
    EXPECT_TRUE(b.isNull());
    EXPECT_EQ(list.view().count(), 1);
    list.append(Plist()); // nothing to add
    EXPECT_EQ(list.view().count(), 1);
}

// Every kind of value, at sizes that need the longer encodings: counts of
// 15 and more, references over 255 objects, wide integers and UIDs (up to 32
// bits: libplist 2.2 reads no wider UID).
Plist everyKind() {
    Plist root = Plist::dictionary();
    root.insert(QStringLiteral("ascii"),
                Plist::string(QStringLiteral("a string of more than fifteen")));
    root.insert(QStringLiteral("unicode"), Plist::string(QStringLiteral("Grüße 日本 😀")));
    root.insert(QStringLiteral("ключ"), Plist::string(QString()));
    Plist ints = Plist::array();
    for (qint64 v :
         {qint64(0), qint64(255), qint64(256), qint64(65536), qint64(1) << 40, qint64(-1),
          std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max()}) {
        ints.append(Plist::integer(v));
    }
    root.insert(QStringLiteral("ints"), std::move(ints));
    Plist reals = Plist::array();
    for (double v : {0.5, double(1.1f), 1.1, -1e300, 0.0}) {
        reals.append(Plist::real(v));
    }
    root.insert(QStringLiteral("reals"), std::move(reals));
    Plist uids = Plist::array();
    for (quint64 v : {quint64(0), quint64(300), quint64(70000), quint64(4000000000)}) {
        uids.append(Plist::uid(v));
    }
    root.insert(QStringLiteral("uids"), std::move(uids));
    root.insert(QStringLiteral("yes"), Plist::boolean(true));
    root.insert(QStringLiteral("no"), Plist::boolean(false));
    root.insert(QStringLiteral("blob"), Plist::data(QByteArray(70000, '\x5a')));
    root.insert(QStringLiteral("empty"), Plist::data(QByteArray()));
    Plist many = Plist::array();
    for (int i = 0; i < 400; ++i) {
        Plist item = Plist::dictionary();
        item.insert(QStringLiteral("n"), Plist::integer(i));
        item.insert(QStringLiteral("same"), Plist::data("equal bytes"));
        many.append(std::move(item));
    }
    root.insert(QStringLiteral("many"), std::move(many));
    return root;
}

TEST(PlistBinary, SameTreeSameBytes) {
    const QByteArray first = everyKind().toBytes(PlistFormat::Binary);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(everyKind().toBytes(PlistFormat::Binary), first);
    }
    // Read back, the tree is the same tree (compared through its XML).
    QString reason;
    const Plist back = Plist::fromBytes(first, &reason);
    ASSERT_FALSE(back.isNull()) << qPrintable(reason);
    EXPECT_EQ(back.toBytes(PlistFormat::Xml), everyKind().toBytes(PlistFormat::Xml));
    // Equal values are stored once, containers never merged: 405 lists and
    // dictionaries, 400 different numbers "n", and a few dozen other values
    // (the 400 equal "same" data among them once).
    const auto count = qFromBigEndian<quint64>(first.constData() + first.size() - 24);
    EXPECT_GT(count, 805u);
    EXPECT_LT(count, 860u);
}

TEST(PlistBinary, PythonReadsTheSameValues) {
    const QString python = testsupport::debianPython();
    if (python.isEmpty()) {
        GTEST_SKIP() << "outside tool not installed: /usr/bin/python3";
    }
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(everyKind().writeToFile(dir.filePath("a.bin"), PlistFormat::Binary));
    ASSERT_TRUE(everyKind().writeToFile(dir.filePath("a.xml"), PlistFormat::Xml));
    const char* script = R"(
import plistlib, sys
def norm(v):
    if isinstance(v, plistlib.UID): return {"CF$UID": v.data}
    if isinstance(v, list): return [norm(x) for x in v]
    if isinstance(v, dict): return {k: norm(x) for k, x in v.items()}
    return v
b = norm(plistlib.load(open(sys.argv[1], "rb")))
x = norm(plistlib.load(open(sys.argv[2], "rb")))
print("same" if b == x else "differ")
print(b["ints"], b["uids"], b["unicode"])
)";
    const auto run =
        testsupport::runProcess(python, {QStringLiteral("-c"), QString::fromLatin1(script),
                                         dir.filePath("a.bin"), dir.filePath("a.xml")});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_TRUE(run.out.startsWith("same")) << run.out.constData();
}

} // namespace
