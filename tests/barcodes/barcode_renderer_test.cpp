// The barcode renderer: geometry of bars and texts checked on rasters of the
// vector picture; the PDF checked with outside tools (skipped visibly when
// they are missing).

#include "barcodes/BarcodeLayout.h"
#include "barcodes/BarcodeRenderer.h"
#include "barcodes/BarcodeText.h"
#include "barcodes/NKDAbstractUPCEANBarcode.h"
#include "tests/common/TestSupport.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>
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
        setStyle(noMargins());
        setBarWidth(barWidth);
        setHeight(height);
        calculateWidth();
    }
    static BarcodeStyle noMargins() {
        BarcodeStyle style;
        style.value_margin = style.header_margin = style.footer_margin = 0.0f;
        style.LR_margin = style.TB_margin = 0.0f;
        return style;
    }
    QString barcode() const override { return m_modules; }
    float barTop(int i) const override { return m_top ? m_top(i) : NKDBarcode::barTop(i); }
    float barBottom(int i) const override { return m_bottom ? m_bottom(i) : 0.0f; }
    QString caption() const override { return m_caption.value_or(NKDBarcode::caption()); }
    int digitsToLeft() const override { return m_left; }

    std::function<float(int)> m_top, m_bottom;
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
            {'A', "110101001011"}, {'B', "101101001011"}, {'C', "110110100101"}};
        const auto it = table.find(c);
        return it == table.end() ? QString() : QString::fromLatin1(it->second) + QLatin1Char('0');
    }
};

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
    for (int x = 0, start = -1; x <= image.width(); ++x) {
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

// Bounding box of the dark pixels inside `area`; empty when none.
QRect inkBox(const QImage& image, const QRect& area) {
    QRect box;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            box = isDark(image.pixel(x, y)) ? box.united(QRect(x, y, 1, 1)) : box;
        }
    }
    return box;
}

// The PDF rasterised by pdftoppm at `dpi`.
QImage popplerRaster(const QString& pdftoppm, const QByteArray& pdf, int dpi) {
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("in.pdf")));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(pdf);
    file.close();
    const QString out = dir.filePath(QStringLiteral("out"));
    const auto run = testsupport::runProcess(
        pdftoppm, {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                   QStringLiteral("-singlefile"), file.fileName(), out});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    return QImage(out + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(BarcodeRenderer, OneRectanglePerRunOfBarModules) {
    struct Case {
        const char* modules;
        float barWidth, frameWidth;
        std::vector<std::pair<int, int>> bars; // x and width in points
    };
    const std::vector<Case> cases = {
        {"1101", 1, 10, {{3, 2}, {6, 1}}}, {"101", 1, 3, {{0, 1}, {2, 1}}}, // trailing run
        {"1010", 1, 4, {{0, 1}, {2, 1}}},  {"0110", 1, 6, {{2, 2}}},
        {"111", 2, 10, {{2, 6}}},          {"0000", 1, 6, {}},
    };
    const int scale = 4;
    for (const Case& c : cases) {
        ModuleBarcode model(QString::fromLatin1(c.modules), c.barWidth, 10.0f);
        model.setWidth(c.frameWidth);
        EXPECT_EQ(BarcodeLayout::layoutBarcode(model)->rectCount(), c.bars.size() + 1);
        const QImage image = raster(imageFromBarcode(model), scale);
        std::vector<std::pair<int, int>> expected;
        for (const auto& [x, w] : c.bars) {
            expected.emplace_back(x * scale, w * scale);
        }
        EXPECT_EQ(darkRuns(image, image.height() / 2), expected) << c.modules;
    }
}

TEST(BarcodeRenderer, FrameWidensForHeaderWithBarsCentred) {
    ModuleBarcode model(QStringLiteral("10101"), 2.0f, 60.0f);
    model.setHeader(QStringLiteral("A header wider than the bars"));
    model.setHeaderFontSize(10.0f);
    ASSERT_GT(model.headerWidth(), model.width());
    EXPECT_FLOAT_EQ(imageFromBarcode(model).size().width(), model.width());
    model.setPrintsHeader(true); // the header counts only when printed
    const CardPicture picture = imageFromBarcode(model);
    EXPECT_TRUE(picture.isVector());
    EXPECT_EQ(picture.size(), QSizeF(model.headerWidth(), 60.0));
    const QImage image = raster(picture, 2);
    const auto runs = darkRuns(image, image.height() - 4);
    ASSERT_EQ(runs.size(), 3u);
    const double left = (model.headerWidth() - 10.0) / 2.0;
    EXPECT_NEAR(runs.front().first / 2.0, left, 0.5);
    EXPECT_NEAR((runs.back().first + runs.back().second) / 2.0, left + 10.0, 0.5);
}

TEST(BarcodeRenderer, BarsStandOnTheirOwnBottoms) {
    // The four bar kinds of the 4-state postal codes: full, ascender,
    // descender, tracker (bottom and top above the baseline).
    const std::vector<std::pair<float, float>> extents = {{0, 12}, {4, 12}, {0, 8}, {4, 8}};
    ModuleBarcode model(QStringLiteral("10101010"), 2.0f, 16.0f);
    model.m_bottom = [&](int i) { return extents[static_cast<std::size_t>(i / 2)].first; };
    model.m_top = [&](int i) { return extents[static_cast<std::size_t>(i / 2)].second; };
    BarcodeStyle style = ModuleBarcode::noMargins();
    style.TB_margin = 1.0f; // the baseline
    model.setStyle(style);
    const QImage image = raster(imageFromBarcode(model), 4);
    for (std::size_t bar = 0; bar < extents.size(); ++bar) {
        const QRect ink = inkBox(image, QRect(static_cast<int>(bar * 16 + 4), 0, 1, 64));
        EXPECT_EQ(ink.top(), static_cast<int>((15.0f - extents[bar].second) * 4)) << bar;
        EXPECT_EQ(ink.bottom() + 1, static_cast<int>((15.0f - extents[bar].first) * 4)) << bar;
    }
}

TEST(BarcodeRenderer, ValueTextBelowOrAboveTheBars) {
    for (const bool onTop : {false, true}) {
        BarcodeStyle style = ModuleBarcode::noMargins();
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
        const QImage image = raster(imageFromBarcode(model), 4);
        const QRect bars = inkBox(image, QRect(1, 0, 1, image.height()));
        const double y0 = onTop ? 0.0 : cap + 3.0;
        EXPECT_NEAR(bars.top() / 4.0, 60.0 - y0 - barTop, 0.3) << onTop;
        EXPECT_NEAR((bars.bottom() + 1) / 4.0, 60.0 - y0, 0.3) << onTop;
        // Capitals stand on the baseline, one descent above the line box.
        const double yv = onTop ? barTop + 3.0 : 0.0;
        const double descent = BarcodeText::metrics(style.value_font).descent();
        const QRect text = inkBox(image, onTop ? QRect(0, 0, 160, bars.top() - 1)
                                               : QRect(0, bars.bottom() + 2, 160, 240));
        ASSERT_FALSE(text.isEmpty()) << onTop;
        EXPECT_NEAR((text.bottom() + 1) / 4.0, 60.0 - yv - descent, 0.5) << onTop;
        EXPECT_NEAR((text.left() + text.right() + 1) / 8.0, 20.0, 1.0) << onTop; // centred
    }
}

TEST(BarcodeRenderer, BarsAndTextBandsFollowTheModelsOneStyle) {
    struct Case {
        float value, header, footer, tb; // margins in points
        double valueFontSize;
        bool onTop;
    };
    const Case cases[] = {{0, 0, 0, 0, 10, false},
                          {4, 2, 3, 5, 10, false},
                          {6, 4, 2, 3, 24, false},
                          {5, 1, 3, 2, 18, true}};
    const double barHeight = 30.0;
    const int scale = 4;
    for (const Case& c : cases) {
        BarcodeStyle style;
        style.value_margin = c.value;
        style.header_margin = c.header;
        style.footer_margin = c.footer;
        style.TB_margin = c.tb;
        style.LR_margin = 0.0f;
        style.value_font.setPointSizeF(c.valueFontSize);
        style.showInTop = c.onTop;
        style.barcode_clr = Qt::blue;
        style.bar_back_clr = Qt::yellow;

        ModuleBarcode model(QStringLiteral("11111111111111111111"), 2.0f, 0.0f);
        model.m_caption = QStringLiteral("HE");
        model.setHeader(QStringLiteral("HEAD"));
        model.setFooter(QStringLiteral("FOOT"));
        model.setPrintsCaption(true);
        model.setPrintsHeader(true);
        model.setPrintsFooter(true);
        // Measured with the style the model had first, then restyled: the
        // bands follow the new fonts.
        model.setCaptionFontSize(10.0f);
        model.setHeaderFontSize(10.0f);
        model.setFooterFontSize(10.0f);
        model.setStyle(style);
        ModuleBarcode styledFirst(QStringLiteral("1"), 2.0f, 0.0f);
        styledFirst.setStyle(style);
        styledFirst.setCaptionFontSize(10.0f);
        EXPECT_FLOAT_EQ(model.captionHeight(), styledFirst.captionHeight()) << c.valueFontSize;

        // The designer's sizing: bar height plus every printed band and its
        // margin, plus the top and bottom margins.
        const double cap = model.captionHeight() * 72.0;
        const double hdr = model.headerHeight() * 72.0;
        const double ftr = model.footerHeight() * 72.0;
        const double H = barHeight + cap + c.value + hdr + c.header + ftr + c.footer + 2.0 * c.tb;
        model.setHeight(static_cast<float>(H));
        EXPECT_NEAR(model.barTop(0), barHeight, 1e-3);

        const QImage image = raster(imageFromBarcode(model), scale);
        ASSERT_EQ(image.height(), static_cast<int>(std::ceil(H * scale)));
        // Drawn with the model's colours.
        EXPECT_EQ(image.pixel(0, 0), QColor(Qt::yellow).rgb());
        // The bars: the rows of column 1 in the bar colour (the spaced
        // header and footer reach that column too).
        QRect bars;
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixel(1, y) == QColor(Qt::blue).rgb()) {
                bars = bars.united(QRect(1, y, 1, 1));
            }
        }
        ASSERT_FALSE(bars.isEmpty());
        EXPECT_EQ(image.pixel(1, bars.center().y()), QColor(Qt::blue).rgb());

        // The bars fill exactly the room left between the bands.
        const double top = c.tb + hdr + c.header + (c.onTop ? cap + c.value : 0.0);
        EXPECT_NEAR(bars.top() / double(scale), top, 0.5) << c.valueFontSize;
        EXPECT_NEAR((bars.bottom() + 1) / double(scale), top + barHeight, 0.5) << c.valueFontSize;

        // Header above, footer below, each inside the top and bottom margins.
        const QRect header = inkBox(
            image, QRect(0, 0, image.width(), static_cast<int>((c.tb + hdr + c.header) * scale)));
        const QRect footer = inkBox(image, QRect(0, static_cast<int>((H - c.tb - ftr) * scale),
                                                 image.width(), image.height()));
        ASSERT_FALSE(header.isEmpty());
        ASSERT_FALSE(footer.isEmpty());
        EXPECT_GE(header.top(), c.tb * scale - 1) << c.valueFontSize;
        EXPECT_LE(footer.bottom() + 1, (H - c.tb) * scale + 1) << c.valueFontSize;

        // The value text sits in its own band, clear of the bars by its margin
        // and clear of the header or footer band.
        const QRect text =
            c.onTop ? inkBox(image, QRect(0, static_cast<int>((c.tb + hdr + c.header) * scale),
                                          image.width(), static_cast<int>(cap * scale)))
                    : inkBox(image, QRect(0, bars.bottom() + 1, image.width(),
                                          static_cast<int>((cap + c.value) * scale)));
        ASSERT_FALSE(text.isEmpty()) << c.valueFontSize;
        if (c.onTop) {
            EXPECT_LE(text.bottom() + 1, bars.top() - (c.value - 1.0) * scale) << c.valueFontSize;
            EXPECT_GT(text.top(), header.bottom()) << c.valueFontSize;
        } else {
            EXPECT_GE(text.top(), bars.bottom() + 1 + (c.value - 1.0) * scale) << c.valueFontSize;
            EXPECT_LT(text.bottom(), footer.top()) << c.valueFontSize;
        }
    }
}

TEST(BarcodeRenderer, SideCaptionsHangFromFirstAndLastBar) {
    BarcodeStyle style = ModuleBarcode::noMargins();
    style.LR_margin = 2.0f;
    auto model = NKDBarcode::create<NKDAbstractUPCEANBarcode>(QStringLiteral("03600029145"), true);
    model->generateChecksum();
    model->setStyle(style);
    model->setBarWidth(1.0f);
    model->setCaptionFontSize(10.0f);
    model->setHeight(50.0f);
    model->calculateWidth();
    const QImage image = raster(imageFromBarcode(*model), 4);
    const double below = 50.0 - model->captionHeight() * 72.0; // top of the value band
    const QRect band(0, static_cast<int>(below * 4) + 1, image.width(), image.height());
    const QRect left = inkBox(image, band.adjusted(0, 0, -image.width() + 40, 0));
    const QRect right =
        inkBox(image, band.adjusted(static_cast<int>(model->lastBar() * 4), 0, 0, 0));
    EXPECT_NEAR(left.left() / 4.0, model->firstBar() * 0.25 + 2.0, 1.0);
    EXPECT_NEAR(right.left() / 4.0, model->lastBar() + model->width() * 0.07 + 2.0, 1.0);
    // Three points above the middle text's line box.
    const double descent = BarcodeText::metrics(style.value_font).descent();
    EXPECT_NEAR((left.bottom() + 1) / 4.0, 50.0 - 3.0 - descent, 0.5);
}

TEST(BarcodeRenderer, HeaderAndFooterAlignmentByTitle) {
    const std::pair<const char*, Qt::Alignment> cases[] = {
        {"Center", Qt::AlignHCenter}, {"Left", Qt::AlignLeft},   {"Right", Qt::AlignRight},
        {"Middle", Qt::AlignLeft},    {"center", Qt::AlignLeft}, {"", Qt::AlignLeft}};
    for (const auto& [title, alignment] : cases) {
        EXPECT_EQ(BarcodeLayout::alignmentForTitle(QString::fromLatin1(title)), alignment);
        BarcodeStyle style = ModuleBarcode::noMargins();
        style.align_hdr = style.align_ftr = QString::fromLatin1(title);
        ModuleBarcode model(QStringLiteral("0"), 1.0f, 80.0f);
        model.setWidth(200.0f);
        model.setStyle(style);
        model.setHeader(QStringLiteral("HEAD"));
        model.setFooter(QStringLiteral("FOOT"));
        model.setPrintsHeader(true);
        model.setPrintsFooter(true);
        model.setHeaderFontSize(10.0f);
        model.setFooterFontSize(10.0f);
        const QImage image = raster(imageFromBarcode(model), 1);
        for (const QRect& area : {QRect(0, 0, 200, 40), QRect(0, 40, 200, 40)}) {
            const QRect ink = inkBox(image, area);
            ASSERT_FALSE(ink.isEmpty()) << title;
            if (alignment == Qt::AlignLeft) {
                EXPECT_LT(ink.left(), 3) << title;
            } else if (alignment == Qt::AlignRight) {
                EXPECT_GT(ink.right(), 195) << title;
            } else {
                EXPECT_NEAR((ink.left() + ink.right() + 1) / 2.0, 100.0, 3.0) << title;
            }
        }
    }
}

TEST(BarcodeRenderer, CaptionGroupsEachInTheirOwnField) {
    const std::tuple<const char*, int, std::size_t> cases[] = {
        {"AB\tCD", 0, 2}, {"\tAB", 0, 1}, {"AB\t", 0, 1}, {"A\t\tB", 0, 2},
        {"\t", 0, 0},     {"\t\t", 0, 0}, {"AB", 1, 2},   {"", 0, 0}};
    for (const auto& [caption, left, texts] : cases) {
        ModuleBarcode model(QStringLiteral("1010101010101010101010101"), 4.0f, 60.0f);
        model.setPrintsCaption(true);
        model.setCaptionFontSize(10.0f);
        model.m_caption = QString::fromLatin1(caption);
        model.m_left = left;
        EXPECT_EQ(BarcodeLayout::layoutBarcode(model)->textCount(), texts) << caption;
        const QImage image = raster(imageFromBarcode(model), 1);
        // Two groups share the width: one in each half.
        if (QByteArray(caption) == "AB\tCD") {
            EXPECT_FALSE(inkBox(image, QRect(0, 48, 50, 12)).isEmpty());
            EXPECT_FALSE(inkBox(image, QRect(50, 48, 50, 12)).isEmpty());
        }
    }
}

TEST(BarcodeRenderer, TwoDPictureFramedWithHeaderAndFooter) {
    // A 20-point black square in a 5-point transparent margin, as QR rasters have.
    QImage symbol(30, 30, QImage::Format_ARGB32);
    symbol.fill(Qt::transparent);
    QPainter(&symbol).fillRect(5, 5, 20, 20, Qt::black);
    const CardPicture picture = CardPicture::fromImage(symbol);
    BarcodeStyle style;
    style.TB_margin = 2.0f;
    style.header_margin = 3.0f;
    style.bar_back_clr = Qt::red; // a framed 2D picture is always on white
    BarcodeFrame frame{
        60.0f, 80.0f, false, true, 0.0f, QStringLiteral("TOP"), QStringLiteral("END")};
    frame.headerHeight = BarcodeText::bandHeightInches(style.header_font);
    for (const bool header : {false, true}) {
        frame.printsHeader = header;
        const CardPicture framed = imageFromBarcodeImage(picture, frame, style);
        ASSERT_TRUE(framed.isVector());
        EXPECT_EQ(framed.size(), QSizeF(60, 80));
        const QImage image = raster(framed, 1);
        const double top = (header ? frame.headerHeight * 72.0 : 0.0) + 2.0 + 3.0;
        const int y0 = static_cast<int>(std::lround(top));
        EXPECT_EQ(image.pixel(17, y0 + 2), qRgb(255, 255, 255)) << header; // no holes
        const QRect ink = inkBox(image, QRect(15, y0 - 1, 30, 32));
        EXPECT_EQ(ink.left(), 20) << header;
        EXPECT_NEAR(ink.top(), top + 5.0, 1.0) << header;
        EXPECT_EQ(ink.width(), 20) << header;
        EXPECT_EQ(inkBox(image, QRect(0, 0, 60, y0 - 1)).isEmpty(), !header) << header;
        EXPECT_FALSE(inkBox(image, QRect(0, y0 + 31, 60, 80)).isEmpty()) << header; // footer
    }
    // No picture, or no frame to put it in: none.
    EXPECT_TRUE(imageFromBarcodeImage(CardPicture(), frame, style).isNull());
    frame.width = 0.0f;
    EXPECT_TRUE(imageFromBarcodeImage(picture, frame, style).isNull());
}

TEST(BarcodeRenderer, EmptyOrZeroFrameGivesNone) {
    const std::pair<float, float> sizes[] = {{0, 20}, {20, 0}, {-5, 20}, {20, std::nanf("")}};
    for (const auto& [w, h] : sizes) {
        ModuleBarcode model(QStringLiteral("1"), 1.0f, h);
        model.setWidth(w);
        EXPECT_TRUE(imageFromBarcode(model).isNull()) << w << " " << h;
        EXPECT_TRUE(pdfFromBarcode(model).isEmpty()) << w << " " << h;
    }
}

TEST(BarcodeRenderer, SameResultOnAWorkerThreadAndDuringAPrintJob) {
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
    const CardPicture here = imageFromBarcode(model);
    const QByteArray pdfHere = pdfFromBarcode(model);
    CardPicture there;
    QByteArray pdfThere, pdfWhilePrinting;
    QImage drawnThere;
    std::thread worker([&] {
        there = imageFromBarcode(model);
        pdfThere = pdfFromBarcode(model);
        drawnThere = here.toImage(3);
        // A print job painting on this thread meanwhile.
        QBuffer sink;
        sink.open(QIODevice::WriteOnly);
        QPdfWriter job(&sink);
        QPainter printing(&job);
        pdfWhilePrinting = pdfFromBarcode(model);
    });
    worker.join();
    ASSERT_FALSE(there.isNull());
    EXPECT_EQ(here.size(), there.size());
    EXPECT_EQ(here.toImage(3), there.toImage(3));
    EXPECT_EQ(here.toImage(3), drawnThere);
    const QRegularExpression date(QStringLiteral("/CreationDate \\([^)]*\\)"));
    const QString expected = QString::fromLatin1(pdfHere).remove(date);
    EXPECT_EQ(QString::fromLatin1(pdfThere).remove(date), expected);
    EXPECT_EQ(QString::fromLatin1(pdfWhilePrinting).remove(date), expected);
}

TEST(BarcodePdf, OnePageOfTheFrameSizeWithoutImages) {
    CARD_REQUIRE_TOOL(pdfinfo, "pdfinfo");
    CARD_REQUIRE_TOOL(pdfimages, "pdfimages");
    ModuleBarcode model(QStringLiteral("1101001"), 1.44f, 40.5f);
    model.setWidth(151.2f);
    model.setPrintsCaption(true);
    model.setCaptionFontSize(10.0f);
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("barcode.pdf")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(pdfFromBarcode(model));
    file.close();
    const auto info = testsupport::runProcess(pdfinfo, {file.fileName()});
    const QString text = QString::fromUtf8(info.out);
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
    const auto size =
        QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts")).match(text);
    ASSERT_TRUE(size.hasMatch()) << text.toStdString();
    EXPECT_NEAR(size.captured(1).toDouble(), 151.2, 0.01);
    EXPECT_NEAR(size.captured(2).toDouble(), 40.5, 0.01);
    const auto images =
        testsupport::runProcess(pdfimages, {QStringLiteral("-list"), file.fileName()});
    EXPECT_EQ(images.out.trimmed().split('\n').size(), 2) << images.out.toStdString(); // headings
}

TEST(BarcodePdf, TextMatchesTheRasterAtFractionalSizes) {
    CARD_REQUIRE_TOOL(pdftoppm, "pdftoppm");
    BarcodeStyle style = ModuleBarcode::noMargins();
    style.header_font.setPointSizeF(28.0);
    ModuleBarcode model(QStringLiteral("0110"), 1.0f, 60.5f);
    model.setStyle(style);
    model.setWidth(200.25f);
    model.setHeader(QStringLiteral("Hdgly"));
    model.setPrintsHeader(true);
    model.setHeaderFontSize(28.0f);
    const CardPicture picture = imageFromBarcode(model);
    const QImage mine = raster(picture, 1);
    const QImage theirs = popplerRaster(pdftoppm, pdfFromPicture(picture), 72);
    ASSERT_EQ(theirs.size(), mine.size());
    const QRect text(0, 0, 200, 40), bars(0, 40, 200, 21);
    for (const QRect& area : {text, bars}) {
        const QRect a = inkBox(mine, area), b = inkBox(theirs, area);
        ASSERT_FALSE(a.isEmpty());
        EXPECT_NEAR(a.height(), b.height(), 1);
        EXPECT_NEAR(a.width(), b.width(), 2);
        EXPECT_NEAR(a.top(), b.top(), 1);
        EXPECT_NEAR(a.left(), b.left(), 1);
    }
}

TEST(BarcodePdf, Code39RenderingDecodes) {
    CARD_REQUIRE_TOOL(pdftoppm, "pdftoppm");
    CARD_REQUIRE_TOOL(zbarimg, "zbarimg");
    const QString content = QStringLiteral("CAB0122");
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
    const QString png = dir.filePath(QStringLiteral("code39.png"));
    ASSERT_TRUE(popplerRaster(pdftoppm, pdfFromBarcode(model), 300).save(png));
    const auto decoded =
        testsupport::runProcess(zbarimg, {QStringLiteral("--raw"), QStringLiteral("-q"), png});
    EXPECT_EQ(decoded.exitCode, 0) << decoded.err.toStdString();
    EXPECT_EQ(QString::fromLatin1(decoded.out).trimmed(), content);
}
