// Shared strings of every form, and many of them, read into the cells that
// name them: from workbooks written by xlsxwriter and from parts built here.

#include "DataseriesTestSupport.h"
#include "common/TestSupport.h"

#include "dataseries/SpreadsheetWriter.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace dstest;
using Rows = QList<QStringList>;

namespace {

// Index of the first row that differs, or -1.
qsizetype firstDifference(const Rows& got, const Rows& expected) {
    for (qsizetype r = 0; r < std::max(got.size(), expected.size()); ++r) {
        if (r >= got.size() || r >= expected.size() || got.at(r) != expected.at(r)) {
            return r;
        }
    }
    return -1;
}

} // namespace

TEST(SharedStrings, XlsxwriterStringsOfEveryFormReadTheSame) {
    CARD_REQUIRE_TOOL(python, "/usr/bin/python3");
    if (testsupport::runProcess(python, {"-c", "import xlsxwriter"}).exitCode != 0) {
        GTEST_SKIP() << "python3-xlsxwriter not installed";
    }
    const char* script = R"PY(
import sys, xlsxwriter
wb = xlsxwriter.Workbook(sys.argv[1])
ws = wb.add_worksheet()
ws.write_rich_string(0, 0, wb.add_format({'bold': True}), 'ab', 'cd')
ws.write_string(0, 1, '&<>"\'')
ws.write_string(0, 2, ' Caf\u00e9 \u4e2d\u6587 \U0001F600 ')
ws.write_string(1, 0, 'line\nbreak')
ws.write_string(1, 1, 'x' * 32767)
ws.write_string(1, 2, 'tab\there')
for r in range(2, 70002):
    ws.write_string(r, 0, 'guest %d' % r)
    ws.write_string(r, 1, 'table %d' % (r % 97))
wb.close()
)PY";
    Workspace ws;
    const QString path = ws.path("strings.xlsx");
    const auto made = testsupport::runProcess(python, {"-c", script, path});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
    // The forms at hand: a rich string, and more strings than one chunk of
    // references holds.
    const QByteArray part = readZip(path)["xl/sharedStrings.xml"];
    ASSERT_TRUE(part.contains("<r>"));
    ASSERT_GT(part.count("<si>"), 70000);

    Rows expected = {{"abcd", "&<>\"'", QStringLiteral(" Caf\u00e9 \u4e2d\u6587 \U0001F600 ")},
                     {"line\nbreak", QString(32767, 'x'), "tab\there"}};
    for (int r = 2; r < 70002; ++r) {
        expected.append(
            {QStringLiteral("guest %1").arg(r), QStringLiteral("table %1").arg(r % 97), QString()});
    }
    const Rows rows = readSheet(path).rows;
    EXPECT_EQ(rows.size(), expected.size());
    EXPECT_EQ(firstDifference(rows, expected), -1);
}

TEST(SharedStrings, EmptyLongAndDamagedPartsKeepEveryIndexInItsPlace) {
    const QByteArray longAscii(5 * 1024 * 1024, 'a'); // longer than a block of the table
    QByteArray longAccented;
    for (int i = 0; i < 70000; ++i) {
        longAccented += "\xc3\xa9";
    }
    QList<QByteArray> items = {
        "",
        "<t/>",
        "<t>&amp;&lt;&#233;&#x1F600;</t><rPh><t>P</t></rPh>",
        "<t>" + longAscii + "</t>",
        "<t>" + longAccented + "</t>",
    };
    for (int i = items.size(); i < 70010; ++i) {
        items.append("<t>n" + QByteArray::number(i) + "</t>");
    }
    const QByteArray strings = sstXml(items);
    // Cells naming the strings at these indexes, one row each, and an
    // inline string after them.
    const QList<int> named = {0, 1, 2, 3, 4, 5, 65535, 65536, 70009, 70010};
    QByteArray body;
    for (int i = 0; i < named.size(); ++i) {
        const QByteArray n = QByteArray::number(i + 1);
        body += "<row><c r=\"A" + n + "\" t=\"s\"><v>" + QByteArray::number(named[i]) +
                "</v></c><c r=\"B" + n + "\" t=\"inlineStr\"><is><t>in</t></is></c></row>";
    }
    const QStringList whole = {"",
                               "",
                               QStringLiteral("&<\u00e9\U0001F600"),
                               QString::fromLatin1(longAscii),
                               QString(70000, QChar(0xe9)),
                               "n5",
                               "n65535",
                               "n65536",
                               "n70009",
                               ""};
    // A part that does not read whole refuses the workbook: no sheet, no
    // rows, nothing left unpacked.
    const QStringList refused;
    struct Case {
        const char* name;
        QByteArray part;
        QStringList values; // of the named strings
    };
    const Case cases[] = {
        {"whole", strings, whole},
        {"cut short", strings.left(strings.size() - 3), refused},
        {"not well-formed", strings.left(200) + "<si><t>x</si>" + strings.mid(200), refused},
        {"another root", "<sheet><si><t>x</t></si></sheet>", QStringList(named.size(), "")},
        // One text longer than the reader keeps fails the part as a whole.
        {"a text too long",
         sstXml({"<t>kept</t>", "<t>" + QByteArray(17 * 1024 * 1024, 'a') + "</t>"}), refused},
    };
    for (const Case& c : cases) {
        Workspace ws;
        Rows expected;
        for (const QString& value : c.values) {
            expected.append({value, "in"});
        }
        const Rows rows = readSheet(makeWorkbook(ws, {{1, sheetXml(body)}}, c.part)).rows;
        EXPECT_EQ(firstDifference(rows, expected), -1) << c.name;
        EXPECT_EQ(SpreadsheetWriter::Worksheet_Names().isEmpty(), c.values.isEmpty()) << c.name;
        EXPECT_EQ(QDir(SpreadsheetWriter::shared().tmpDir())
                      .isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  c.values.isEmpty())
            << c.name;
    }
}
