// The barcode renderer: geometry of bars and texts checked on rasters of the
// vector picture, the PDF checked with outside tools (skipped visibly when
// they are missing).

#include "barcodes/BarcodeLayout.h"
#include "barcodes/BarcodeRenderer.h"
#include "barcodes/BarcodeText.h"
#include "barcodes/NKDBarcode.h"
#include "tests/common/TestSupport.h"

#include <QFile>
#include <QHash>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <thread>

namespace {

// A model whose module string, bar extents and caption are given directly.
class ModuleBarcode : public NKDBarcode {
public:
    ModuleBarcode(const QString& modules, float barWidth, float height) : m_modules(modules) {
        initWithContent(QStringLiteral("X"), false);
        setBarWidth(barWidth);
        setHeight(height);
        calculateWidth();
    }
    QString barcode() const override { return m_modules; }
    float barTop(int index) const override {
        return m_top ? m_top(index) : NKDBarcode::barTop(index);
    }
    float barBottom(int index) const override {
        return m_bottom ? m_bottom(index) : NKDBarcode::barBottom(index);
    }
    QString caption() const override { return m_caption ? *m_caption : NKDBarcode::caption(); }
    int digitsToLeft() const override { return m_left; }

    std::function<float(int)> m_top;
    std::function<float(int)> m_bottom;
    std::optional<QString> m_caption;
    int m_left = 0;

private:
    QString m_modules;
};

// Code 39 with a few characters of the published table (narrow 1 module,
// wide 2), start and stop "*", one narrow space between characters.
class SmallCode39 : public NKDBarcode {
public:
    QString initiator() const override { return QStringLiteral("1001011011010"); }
    QString terminator() const override { return QStringLiteral("100101101101"); }
    QString _encodeChar(char c) const override {
        static const std::map<char, const char*> table = {
            {'0', "101001101101"}, {'1', "110100101011"}, {'2', "101100101011"},
            {'3', "110110010101"}, {'A', "110101001011"}, {'B', "101101001011"},
            {'C', "110110100101"},
        };
        const auto it = table.find(c);
        return it == table.end() ? QString() : QString::fromLatin1(it->second) + QLatin1Char('0');
    }
};

BarcodeStyle noMargins() {
    BarcodeStyle style;
    style.value_margin = 0.0f;
    style.header_margin = 0.0f;
    style.footer_margin = 0.0f;
    style.LR_margin = 0.0f;
    style.TB_margin = 0.0f;
    return style;
}

QImage raster(const CardPicture& picture, int scale) {
    EXPECT_FALSE(picture.isNull());
    return picture.toImage(scale).convertToFormat(QImage::Format_RGB32);
}

bool isDark(QRgb pixel) {
    return qGray(pixel) < 128;
}

// Runs of dark pixels along a row: (start, length).
std::vector<std::pair<int, int>> darkRuns(const QImage& image, int row) {
    std::vector<std::pair<int, int>> runs;
    int start = -1;
    for (int x = 0; x <= image.width(); ++x) {
        const bool dark = x < image.width() && isDark(image.pixel(x, row));
        if (dark && start < 0) {
            start = x;
        } else if (!dark && start >= 0) {
            runs.emplace_back(start, x - start);
            start = -1;
        }
    }
    return runs;
}

// Bounding box of the dark pixels inside `area` (pixels); empty when none.
QRect inkBox(const QImage& image, const QRect& area) {
    QRect box;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            if (isDark(image.pixel(x, y))) {
                box = box.united(QRect(x, y, 1, 1));
            }
        }
    }
    return box;
}

QString pdfFile(const QTemporaryDir& dir, const QByteArray& pdf) {
    const QString path = dir.filePath(QStringLiteral("barcode.pdf"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(pdf);
    return path;
}

} // namespace

TEST(BarcodeRenderer, OneRectanglePerRunOfBarModules) {
    struct Case {
        const char* modules;
        float barWidth;
        float frameWidth;
        std::vector<std::pair<int, int>> bars; // x and width in points
    };
    const std::vector<Case> cases = {
        {"1101", 1.0f, 10.0f, {{3, 2}, {6, 1}}},
        {"101", 1.0f, 3.0f, {{0, 1}, {2, 1}}}, // a trailing run is drawn
        {"1010", 1.0f, 4.0f, {{0, 1}, {2, 1}}},
        {"0110", 1.0f, 6.0f, {{2, 2}}},
        {"111", 2.0f, 10.0f, {{2, 6}}},
        {"0000", 1.0f, 6.0f, {}},
    };
    const int scale = 4;
    for (const Case& c : cases) {
        ModuleBarcode model(QString::fromLatin1(c.modules), c.barWidth, 10.0f);
        model.setStyle(noMargins());
        model.setWidth(c.frameWidth);
        const auto drawing = BarcodeLayout::layoutBarcode(model, noMargins());
        ASSERT_TRUE(drawing);
        EXPECT_EQ(drawing->rectCount(), c.bars.size() + 1) << c.modules; // + background
        const QImage image = raster(imageFromBarcode(model, noMargins()), scale);
        ASSERT_EQ(image.width(), static_cast<int>(c.frameWidth) * scale);
        std::vector<std::pair<int, int>> expected;
        for (const auto& [x, w] : c.bars) {
            expected.emplace_back(x * scale, w * scale);
        }
        EXPECT_EQ(darkRuns(image, image.height() / 2), expected) << c.modules;
    }
}

TEST(BarcodeRenderer, HeaderWiderThanBarsWidensFrameAndBarsStayCentred) {
    BarcodeStyle style = noMargins();
    style.header_font.setPointSizeF(12.0);
    ModuleBarcode model(QStringLiteral("10101"), 2.0f, 60.0f);
    model.setStyle(style);
    model.setHeader(QStringLiteral("A header wider than the bars"));
    model.setPrintsHeader(true);
    model.setHeaderFontSize(12.0f);
    ASSERT_GT(model.headerWidth(), model.width());
    const CardPicture picture = imageFromBarcode(model, style);
    ASSERT_FALSE(picture.isNull());
    EXPECT_FLOAT_EQ(picture.size().width(), model.headerWidth());
    EXPECT_FLOAT_EQ(picture.size().height(), 60.0f);
    const QImage image = raster(picture, 2);
    const auto runs = darkRuns(image, image.height() - 4);
    ASSERT_EQ(runs.size(), 3u);
    const double left = (model.headerWidth() - 10.0) / 2.0;
    EXPECT_NEAR(runs.front().first / 2.0, left, 0.5);
    EXPECT_NEAR((runs.back().first + runs.back().second) / 2.0, left + 10.0, 0.5);
    // The footer alone widens it too, but only while it is printed.
    model.setPrintsHeader(false);
    EXPECT_FLOAT_EQ(imageFromBarcode(model, style).size().width(), model.width());
}

TEST(BarcodeRenderer, BarsStandOnTheirOwnBottoms) {
    // Four bar kinds as in the 4-state postal codes: full, ascender,
    // descender, tracker. Each must keep its own extent.
    const std::vector<std::pair<float, float>> extents = {{0, 12}, {4, 12}, {0, 8}, {4, 8}};
    ModuleBarcode model(QStringLiteral("10101010"), 2.0f, 16.0f);
    model.m_bottom = [&](int i) { return extents[static_cast<std::size_t>(i / 2)].first; };
    model.m_top = [&](int i) { return extents[static_cast<std::size_t>(i / 2)].second; };
    BarcodeStyle style = noMargins();
    style.TB_margin = 1.0f;
    model.setStyle(style);
    const int scale = 4;
    const QImage image = raster(imageFromBarcode(model, style), scale);
    const double H = 16.0;
    const double y0 = 1.0; // baseline: TB_margin
    for (std::size_t bar = 0; bar < extents.size(); ++bar) {
        const int column = static_cast<int>((bar * 4 + 1) * scale);
        const QRect ink = inkBox(image, QRect(column, 0, 1, image.height()));
        ASSERT_FALSE(ink.isEmpty()) << bar;
        EXPECT_EQ(ink.top(), static_cast<int>((H - y0 - extents[bar].second) * scale)) << bar;
        EXPECT_EQ(ink.bottom() + 1, static_cast<int>((H - y0 - extents[bar].first) * scale)) << bar;
    }
}

TEST(BarcodeRenderer, ValueTextBelowOrAboveTheBars) {
    for (const bool onTop : {false, true}) {
        BarcodeStyle style = noMargins();
        style.value_font.setPointSizeF(12.0);
        style.value_margin = 3.0f;
        style.showInTop = onTop;
        ModuleBarcode model(QStringLiteral("1111111111"), 4.0f, 60.0f);
        model.setStyle(style);
        model.setPrintsCaption(true);
        model.m_caption = QStringLiteral("HE");
        model.setCaptionFontSize(12.0f);
        const double cap = model.captionHeight() * 72.0;
        const double barTop = model.barTop(0);
        ASSERT_NEAR(barTop, 60.0 - cap - 3.0, 1e-4);
        const int scale = 4;
        const QImage image = raster(imageFromBarcode(model, style), scale);
        const double H = 60.0;
        // The bars' vertical extent, and the text's ink away from them.
        const QRect bars = inkBox(image, QRect(1, 0, 1, image.height()));
        const double y0 = onTop ? 0.0 : cap + 3.0;
        EXPECT_NEAR(bars.top() / double(scale), H - y0 - barTop, 0.3) << onTop;
        EXPECT_NEAR((bars.bottom() + 1) / double(scale), H - y0, 0.3) << onTop;
        // Text line box bottom yv; capitals stand on the baseline, one
        // descent higher.
        const double yv = onTop ? barTop + 3.0 : 0.0;
        const double descent = BarcodeText::metrics(style.value_font).descent();
        const QRect textArea = onTop ? QRect(0, 0, image.width(), bars.top() - 1)
                                     : QRect(0, bars.bottom() + 2, image.width(), image.height());
        const QRect text = inkBox(image, textArea);
        ASSERT_FALSE(text.isEmpty()) << onTop;
        EXPECT_NEAR((text.bottom() + 1) / double(scale), H - yv - descent, 0.5) << onTop;
        // A single value text without left text is centred on the picture.
        EXPECT_NEAR((text.left() + text.right() + 1) / 2.0 / scale, 20.0, 1.0) << onTop;
    }
}

TEST(BarcodeRenderer, HeaderAndFooterAlignmentByTitle) {
    struct Case {
        const char* title;
        Qt::Alignment alignment;
    };
    const Case cases[] = {{"Center", Qt::AlignHCenter}, {"Left", Qt::AlignLeft},
                          {"Right", Qt::AlignRight},    {"Middle", Qt::AlignLeft},
                          {"center", Qt::AlignLeft},    {"", Qt::AlignLeft}};
    const int scale = 2;
    const double W = 200.0;
    for (const Case& c : cases) {
        EXPECT_EQ(BarcodeLayout::alignmentForTitle(QString::fromLatin1(c.title)), c.alignment);
        BarcodeStyle style = noMargins();
        style.align_hdr = QString::fromLatin1(c.title);
        style.align_ftr = QString::fromLatin1(c.title);
        ModuleBarcode model(QStringLiteral("0"), 1.0f, 80.0f);
        model.setStyle(style);
        model.setWidth(static_cast<float>(W));
        model.setHeader(QStringLiteral("HEAD"));
        model.setFooter(QStringLiteral("FOOT"));
        model.setPrintsHeader(true);
        model.setPrintsFooter(true);
        model.setHeaderFontSize(10.0f);
        model.setFooterFontSize(10.0f);
        const QImage image = raster(imageFromBarcode(model, style), scale);
        const int half = image.height() / 2;
        for (const QRect& area : {QRect(0, 0, image.width(), half),
                                  QRect(0, half, image.width(), image.height() - half)}) {
            const QRect ink = inkBox(image, area);
            ASSERT_FALSE(ink.isEmpty()) << c.title;
            const double left = ink.left() / double(scale);
            const double right = (ink.right() + 1) / double(scale);
            if (c.alignment == Qt::AlignLeft) {
                EXPECT_LT(left, 3.0) << c.title;
            } else if (c.alignment == Qt::AlignRight) {
                EXPECT_GT(right, W - 5.0) << c.title;
            } else {
                EXPECT_NEAR((left + right) / 2.0, W / 2.0, 3.0) << c.title;
            }
        }
    }
}

TEST(BarcodeRenderer, CaptionGroupsEachInTheirOwnField) {
    struct Case {
        const char* caption;
        int left;
        std::size_t texts;
    };
    const Case cases[] = {
        {"AB\tCD", 0, 2}, {"\tAB", 0, 1}, {"AB\t", 0, 1}, {"A\t\tB", 0, 2},
        {"\t", 0, 0},     {"\t\t", 0, 0}, {"AB", 1, 2},   {"", 0, 0},
    };
    for (const Case& c : cases) {
        BarcodeStyle style = noMargins();
        ModuleBarcode model(QStringLiteral("1010101010101010101010101"), 4.0f, 60.0f);
        model.setStyle(style);
        model.setPrintsCaption(true);
        model.setCaptionFontSize(10.0f);
        model.m_caption = QString::fromLatin1(c.caption);
        model.m_left = c.left;
        const auto drawing = BarcodeLayout::layoutBarcode(model, style);
        ASSERT_TRUE(drawing) << c.caption;
        EXPECT_EQ(drawing->textCount(), c.texts) << c.caption;
        const QImage image = raster(imageFromBarcode(model, style), 2);
        EXPECT_FALSE(image.isNull()) << c.caption;
    }
    // Two groups: the first in the left half, the second in the right half.
    BarcodeStyle style = noMargins();
    ModuleBarcode model(QStringLiteral("1010101010101010101010101"), 4.0f, 60.0f);
    model.setStyle(style);
    model.setPrintsCaption(true);
    model.setCaptionFontSize(10.0f);
    model.m_caption = QStringLiteral("AB\tCD");
    const QImage image = raster(imageFromBarcode(model, style), 2);
    const QRect textBand(0, image.height() - 24, image.width(), 24);
    const QRect leftInk = inkBox(image, textBand.adjusted(0, 0, -image.width() / 2, 0));
    const QRect rightInk = inkBox(image, textBand.adjusted(image.width() / 2, 0, 0, 0));
    EXPECT_FALSE(leftInk.isEmpty());
    EXPECT_FALSE(rightInk.isEmpty());
}

TEST(BarcodeRenderer, EmptyOrZeroFrameGivesNone) {
    const std::vector<std::pair<float, float>> sizes = {
        {0.0f, 20.0f}, {20.0f, 0.0f}, {-5.0f, 20.0f}, {20.0f, std::nanf("")}};
    for (const auto& [w, h] : sizes) {
        ModuleBarcode model(QStringLiteral("1"), 1.0f, h);
        model.setWidth(w);
        EXPECT_TRUE(imageFromBarcode(model, BarcodeStyle()).isNull()) << w << " " << h;
        EXPECT_TRUE(pdfFromBarcode(model, BarcodeStyle()).isEmpty()) << w << " " << h;
    }
    QImage square(10, 10, QImage::Format_ARGB32);
    square.fill(Qt::black);
    const CardPicture picture = CardPicture::fromImage(square);
    BarcodeFrame frame;
    frame.width = 0.0f;
    frame.height = 30.0f;
    EXPECT_TRUE(imageFromBarcodeImage(picture, frame, BarcodeStyle()).isNull());
    frame.width = 30.0f;
    EXPECT_TRUE(imageFromBarcodeImage(CardPicture(), frame, BarcodeStyle()).isNull());
    EXPECT_FALSE(imageFromBarcodeImage(picture, frame, BarcodeStyle()).isNull());
}

TEST(BarcodeRenderer, TwoDPictureFramedWithHeaderAndFooter) {
    // A 20-point black square with a 5-point transparent margin, as a QR
    // Code raster has.
    QImage symbol(30, 30, QImage::Format_ARGB32);
    symbol.fill(Qt::transparent);
    {
        QPainter painter(&symbol);
        painter.fillRect(5, 5, 20, 20, Qt::black);
    }
    const CardPicture picture = CardPicture::fromImage(symbol);
    ASSERT_EQ(picture.size(), QSizeF(30, 30));
    BarcodeStyle style;
    style.TB_margin = 2.0f;
    style.header_margin = 3.0f;
    style.bar_back_clr = Qt::red; // a 2D frame is always white
    for (const bool header : {false, true}) {
        BarcodeFrame frame;
        frame.width = 60.0f;
        frame.height = 80.0f;
        frame.printsHeader = header;
        frame.printsFooter = true;
        frame.headerHeight = BarcodeText::bandHeightInches(style.header_font);
        frame.header = QStringLiteral("TOP");
        frame.footer = QStringLiteral("END");
        const CardPicture framed = imageFromBarcodeImage(picture, frame, style);
        ASSERT_FALSE(framed.isNull());
        EXPECT_TRUE(framed.isVector());
        EXPECT_EQ(framed.size(), QSizeF(60, 80));
        const QImage image = raster(framed, 1);
        const double top = (header ? frame.headerHeight * 72.0 : 0.0) + 2.0 + 3.0;
        const int x0 = 15;
        const int y0 = static_cast<int>(std::lround(top));
        // The transparent margin shows the white background, not holes.
        EXPECT_EQ(image.pixel(x0 + 2, y0 + 2), qRgb(255, 255, 255)) << header;
        EXPECT_EQ(image.pixel(2, 40), qRgb(255, 255, 255)) << header;
        const QRect ink = inkBox(image, QRect(x0, y0 - 1, 30, 32));
        EXPECT_EQ(ink.left(), x0 + 5) << header;
        EXPECT_NEAR(ink.top(), top + 5.0, 1.0) << header;
        EXPECT_EQ(ink.width(), 20) << header;
        // Header text above the symbol only when printed; footer below.
        EXPECT_EQ(inkBox(image, QRect(0, 0, 60, y0 - 1)).isEmpty(), !header) << header;
        EXPECT_FALSE(inkBox(image, QRect(0, y0 + 31, 60, 80)).isEmpty()) << header;
    }
}

TEST(BarcodeRenderer, SameResultOnAWorkerThread) {
    BarcodeStyle style;
    SmallCode39 model;
    model.initWithContent(QStringLiteral("AB12C"), true);
    model.setStyle(style);
    model.setBarWidth(1.44f);
    model.setHeader(QStringLiteral("Header"));
    model.setPrintsHeader(true);
    model.setCaptionFontSize(10.0f);
    model.setHeaderFontSize(10.0f);
    model.setHeight(50.0f);
    model.calculateWidth();
    const CardPicture here = imageFromBarcode(model, style);
    const QByteArray pdfHere = pdfFromBarcode(model, style);
    CardPicture there;
    QByteArray pdfThere;
    QImage drawnThere;
    std::thread worker([&] {
        there = imageFromBarcode(model, style);
        pdfThere = pdfFromBarcode(model, style);
        drawnThere = here.toImage(3);
    });
    worker.join();
    ASSERT_FALSE(here.isNull());
    ASSERT_FALSE(there.isNull());
    EXPECT_EQ(here.size(), there.size());
    EXPECT_EQ(here.toImage(3), there.toImage(3));
    EXPECT_EQ(here.toImage(3), drawnThere);
    // The PDFs differ only in their creation date.
    const QRegularExpression date(QStringLiteral("/CreationDate \\([^)]*\\)"));
    EXPECT_EQ(QString::fromLatin1(pdfHere).remove(date),
              QString::fromLatin1(pdfThere).remove(date));
}

TEST(BarcodePdf, OnePageOfTheFrameSizeAndNoImage) {
    CARD_REQUIRE_TOOL(pdfinfo, "pdfinfo");
    CARD_REQUIRE_TOOL(pdfimages, "pdfimages");
    ModuleBarcode model(QStringLiteral("1101001"), 1.44f, 40.5f);
    model.setWidth(151.2f);
    model.setPrintsCaption(true);
    model.setCaptionFontSize(10.0f);
    const QByteArray pdf = pdfFromBarcode(model, BarcodeStyle());
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    QTemporaryDir dir;
    const QString path = pdfFile(dir, pdf);
    const auto info = testsupport::runProcess(pdfinfo, {path});
    ASSERT_EQ(info.exitCode, 0) << info.err.toStdString();
    const QString text = QString::fromUtf8(info.out);
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))))
        << text.toStdString();
    const auto size =
        QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts")).match(text);
    ASSERT_TRUE(size.hasMatch()) << text.toStdString();
    EXPECT_NEAR(size.captured(1).toDouble(), 151.2, 0.01);
    EXPECT_NEAR(size.captured(2).toDouble(), 40.5, 0.01);
    const auto images = testsupport::runProcess(pdfimages, {QStringLiteral("-list"), path});
    ASSERT_EQ(images.exitCode, 0);
    // Only the two heading lines of the listing: no image in the PDF.
    EXPECT_EQ(images.out.trimmed().split('\n').size(), 2) << images.out.toStdString();
}

TEST(BarcodePdf, TextHeightEqualInPdfAndRaster) {
    CARD_REQUIRE_TOOL(pdftoppm, "pdftoppm");
    BarcodeStyle style = noMargins();
    style.header_font.setPointSizeF(28.0);
    // Fractional sizes: the page box must still match the picture exactly.
    ModuleBarcode model(QStringLiteral("0"), 1.0f, 60.5f);
    model.setStyle(style);
    model.setWidth(200.25f);
    model.setHeader(QStringLiteral("Hdgly"));
    model.setPrintsHeader(true);
    model.setHeaderFontSize(28.0f);
    const CardPicture picture = imageFromBarcode(model, style);
    const QImage mine = raster(picture, 1);
    QTemporaryDir dir;
    const QString path = pdfFile(dir, pdfFromPicture(picture));
    const QString prefix = dir.filePath(QStringLiteral("page"));
    const auto run = testsupport::runProcess(
        pdftoppm, {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"),
                   QStringLiteral("-singlefile"), path, prefix});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QImage theirs =
        QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(theirs.size(), mine.size());
    const QRect a = inkBox(mine, mine.rect());
    const QRect b = inkBox(theirs, theirs.rect());
    ASSERT_FALSE(a.isEmpty());
    ASSERT_FALSE(b.isEmpty());
    EXPECT_NEAR(a.height(), b.height(), 1);
    EXPECT_NEAR(a.width(), b.width(), 2);
    EXPECT_NEAR(a.top(), b.top(), 1);
    EXPECT_NEAR(a.left(), b.left(), 1);
}

TEST(BarcodePdf, Code39RenderingDecodes) {
    CARD_REQUIRE_TOOL(pdftoppm, "pdftoppm");
    CARD_REQUIRE_TOOL(zbarimg, "zbarimg");
    const QString content = QStringLiteral("CAB0123");
    BarcodeStyle style;
    SmallCode39 model;
    ASSERT_TRUE(model.initWithContent(content, true));
    ASSERT_TRUE(model.isContentValid());
    model.setStyle(style);
    model.setBarWidth(1.44f);
    model.setHeader(QStringLiteral("Guest pass"));
    model.setPrintsHeader(true);
    model.setCaptionFontSize(10.0f);
    model.setHeaderFontSize(10.0f);
    model.setHeight(70.0f);
    model.calculateWidth();
    model.setWidth(model.width() + 30.0f); // quiet zones
    QTemporaryDir dir;
    const QString path = pdfFile(dir, pdfFromBarcode(model, style));
    const QString prefix = dir.filePath(QStringLiteral("page"));
    const auto run = testsupport::runProcess(
        pdftoppm, {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-png"),
                   QStringLiteral("-singlefile"), path, prefix});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const auto decoded = testsupport::runProcess(
        zbarimg, {QStringLiteral("--raw"), QStringLiteral("-q"), prefix + QStringLiteral(".png")});
    EXPECT_EQ(decoded.exitCode, 0) << decoded.err.toStdString();
    EXPECT_EQ(QString::fromLatin1(decoded.out).trimmed(), content);
}
