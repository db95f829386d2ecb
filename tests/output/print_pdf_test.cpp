// Sheets printed into PDF files, read back with the poppler tools: page
// count and size, slot edges in a raster of the page, and the texts of the
// records in slot order.
#include "FakeCards.h"
#include "common/TestSupport.h"
#include "core/globals.h"
#include "output/core/SheetDrawing.h"

#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A4 without margins, 85.6 x 54 mm cards, auto-centre 2 x 4.
SheetLayout a4Grid() {
    SheetLayout layout;
    layout.paperWidth = 595;
    layout.paperHeight = 842;
    layout.auto_center_flag = true;
    sheet::Check_Max_Cell_Value(layout, {85.6f, 54.0f, 0, 0, 2, 4, false});
    return layout;
}

bool printPdf(const QString& path, const SheetLayout& layout, CardSource& source, long long pages) {
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    return sheet::printSheets(writer, layout, source, pages) == pages;
}

QString pdfInfo(const QString& pdfinfo, const QString& path) {
    const auto result = testsupport::runProcess(pdfinfo, {path});
    return QString::fromUtf8(result.out);
}

std::vector<CardPicture> boundCards(int n, const QSizeF& size) {
    std::vector<CardPicture> cards;
    for (int i = 0; i < n; ++i) {
        cards.push_back(fakecards::vectorCard(
            size, QColor(60, 160, 60), QStringLiteral("R%1").arg(i + 1, 2, 10, QLatin1Char('0'))));
    }
    return cards;
}

TEST(PrintPdf, PagesSizeAndSlotEdges) {
    CARD_REQUIRE_TOOL(pdfinfo, "pdfinfo");
    CARD_REQUIRE_TOOL(pdftoppm, "pdftoppm");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
    SheetLayout layout = a4Grid();
    const QSizeF card(layout.label_width, layout.label_hight);
    DesignCardSource source(fakecards::vectorCard(card, QColor(60, 160, 60)),
                            fakecards::vectorCard(card, Qt::blue));
    ASSERT_TRUE(printPdf(pdf, layout, source, 1));
    const QString info = pdfInfo(pdfinfo, pdf);
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("595 x 842"))) << info.toStdString();

    // 288 dpi: 4 pixels per point.
    const auto run = testsupport::runProcess(
        pdftoppm, {QStringLiteral("-r"), QStringLiteral("288"), QStringLiteral("-png"),
                   QStringLiteral("-singlefile"), pdf, dir.filePath(QStringLiteral("page"))});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QImage page(dir.filePath(QStringLiteral("page.png")));
    ASSERT_FALSE(page.isNull());
    const auto isCard = [&page](int x, int y) {
        const QColor c = page.pixelColor(x, y);
        return c.green() > 120 && c.red() < 120;
    };
    // Edges where the card colour starts and ends, along a line through the
    // first row and through the first column.
    const auto firstOn = [&](bool horizontal, int fixed, int from) {
        for (int v = from; v < (horizontal ? page.width() : page.height()); ++v) {
            if (horizontal ? isCard(v, fixed) : isCard(fixed, v)) {
                return v;
            }
        }
        return -1;
    };
    const auto firstOff = [&](bool horizontal, int fixed, int from) {
        for (int v = from; v < (horizontal ? page.width() : page.height()); ++v) {
            if (!(horizontal ? isCard(v, fixed) : isCard(fixed, v))) {
                return v;
            }
        }
        return -1;
    };
    const int midRow1 = static_cast<int>((45.943 + 76.5) * 4);
    const int midCol1 = static_cast<int>((36.570 + 121.3) * 4);
    const double left1 = firstOn(true, midRow1, 0) / 4.0;
    const double right1 = firstOff(true, midRow1, static_cast<int>(left1 * 4)) / 4.0;
    const double left2 = firstOn(true, midRow1, static_cast<int>(right1 * 4)) / 4.0;
    const double top1 = firstOn(false, midCol1, 0) / 4.0;
    const double bottom1 = firstOff(false, midCol1, static_cast<int>(top1 * 4)) / 4.0;
    const double top2 = firstOn(false, midCol1, static_cast<int>(bottom1 * 4)) / 4.0;
    EXPECT_NEAR(left1, 36.570, 0.5);
    EXPECT_NEAR(right1, 36.570 + 242.646, 0.5);
    EXPECT_NEAR(left2, 315.785, 0.5);
    EXPECT_NEAR(top1, 45.943, 0.5);
    EXPECT_NEAR(bottom1, 45.943 + 153.071, 0.5);
    EXPECT_NEAR(top2, 244.957, 0.5);
}

TEST(PrintPdf, BoundTextsInSlotOrder) {
    CARD_REQUIRE_TOOL(pdftotext, "pdftotext");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("batch.pdf"));
    SheetLayout layout = a4Grid();
    layout.Total_Label = 8;
    const QSizeF card(layout.label_width, layout.label_hight);
    fakecards::BatchSource source(boundCards(8, card), fakecards::vectorCard(card, Qt::gray));
    const int sideBefore = 1;
    Card_Front_Or_Back = sideBefore;
    ASSERT_TRUE(printPdf(pdf, layout, source, 1));
    EXPECT_EQ(Card_Front_Or_Back, sideBefore);
    Card_Front_Or_Back = 0;

    const auto run =
        testsupport::runProcess(pdftotext, {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    ASSERT_EQ(run.exitCode, 0);
    const QString html = QString::fromUtf8(run.out);
    const QRegularExpression word(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" "
                       "yMax=\"[0-9.]+\">(R\\d\\d)</word>"));
    // Slot k (row by row) holds record k: its text lies inside that slot.
    const double xs[] = {36.570, 315.785};
    const double tops[] = {45.943, 244.957, 443.972, 642.986};
    int found = 0;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        const int record = m.captured(3).mid(1).toInt();
        const int slot = record - 1;
        const double x = m.captured(1).toDouble();
        const double y = m.captured(2).toDouble();
        SCOPED_TRACE(m.captured(3).toStdString());
        EXPECT_GT(x, xs[slot % 2]);
        EXPECT_LT(x, xs[slot % 2] + 242.646);
        EXPECT_GT(y, tops[slot / 2]);
        EXPECT_LT(y, tops[slot / 2] + 153.071);
        ++found;
    }
    EXPECT_EQ(found, 8) << html.left(3000).toStdString();
}

TEST(PrintPdf, PrintingHasNoSheetLimit) {
    CARD_REQUIRE_TOOL(pdfinfo, "pdfinfo");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("many.pdf"));
    SheetLayout layout = a4Grid();
    sheet::Check_Max_Cell_Value(layout, {85.6f, 54.0f, 0, 0, 1, 1, false});
    layout.Total_Label = 51;
    const QSizeF card(layout.label_width, layout.label_hight);
    DesignCardSource source(fakecards::vectorCard(card, Qt::green), {});
    const sheet::PageCount count = sheet::pagesToDraw(layout, false);
    ASSERT_TRUE(printPdf(pdf, layout, source, count.pages));
    EXPECT_TRUE(
        pdfInfo(pdfinfo, pdf).contains(QRegularExpression(QStringLiteral("Pages:\\s+51\\n"))));
}

} // namespace
