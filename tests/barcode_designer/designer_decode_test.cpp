// Every symbology of the designer, built through the batch entry from a
// barcode object's settings, rastered and read back: by outside decoders
// where one reads the symbology, else bar by bar against the module strings
// of the symbology classes.

#include "../barcodes/LinearDecoders.h"
#include "../common/TestSupport.h"
#include "DesignerTestSupport.h"
#include "barcodes/LinearSymbologies.h"
#include "barcodes/designer/core/BarcodeDesigner.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

namespace {

using designertest::barcodeObject;
using designertest::rasterOnWhite;

struct DecodeCase {
    const char* name;
    const char* title;
    const char* value;
    QByteArray zbarText;  // empty: zbarimg is not asked
    QByteArray zxingText; // empty: ZXingReader is not asked
    const char* zxingFormat;
    QByteArray dmtxText; // empty: dmtxread is not asked
};

std::vector<DecodeCase> decodeCases() {
    return {
        {"Code39", "Code 39", "CARD-2026", "CARD-2026", "CARD-2026", "Code39", {}},
        {"ExtendedCode39", "Extended Code 39", "Hello", "H+E+L+L+O", "H+E+L+L+O", "Code39", {}},
        {"Interleaved2of5", "Interleaved 2 of 5", "12345678", "12345678", "12345678", "ITF", {}},
        {"UPCA", "UPCA", "036000291452", "036000291452", "036000291452", "UPC-A", {}},
        {"EAN13", "EAN-13", "4006381333931", "4006381333931", "4006381333931", "EAN-13", {}},
        {"Code128", "Code 128", "9876543210", "9876543210", "9876543210", "Code128", {}},
        {"Code128SetA", "Code 128 SET A", "CARD-2026", "CARD-2026", "CARD-2026", "Code128", {}},
        {"Code128SetB", "Code 128 SET B", "card 2026", "card 2026", "card 2026", "Code128", {}},
        {"Code128SetC", "Code 128 SET C", "20261209", "20261209", "20261209", "Code128", {}},
        {"Codabar", "Codabar", "A1234B", "A1234B", "1234", "Codabar", {}},
        {"UPCE", "UPCE", "04252614", "04252614", "04252614", "UPC-E", {}},
        {"EAN8", "EAN-8", "96385074", "96385074", "96385074", "EAN-8", {}},
        {"QRCode",
         "QR Code",
         "Card Editor 2026",
         "Card Editor 2026",
         "Card Editor 2026",
         "QRCode",
         {}},
        {"PDF417", "PDF417", "Card Editor PDF417", {}, "Card Editor PDF417", "PDF417", {}},
        {"DataMatrix", "DataMatrix", "Card 2026", {}, "Card 2026", "DataMatrix", "Card 2026"},
    };
}

void PrintTo(const DecodeCase& c, std::ostream* os) {
    *os << c.title;
}

class DesignerDecodeTest : public testing::TestWithParam<DecodeCase> {
protected:
    // The picture of the case's object with header, footer and value text,
    // rastered (linear 300 dpi, 2D 600) into a PNG.
    QString writePicture() {
        const DecodeCase& c = GetParam();
        const QString title = QString::fromLatin1(c.title);
        const bool twoD = DesignerLists::isTwoDimensional(title);
        auto object = barcodeObject(title, QString::fromLatin1(c.value));
        object->dpi_val_index = twoD ? 5 : 4; // "600" for 2D, "300" otherwise
        if (title == QLatin1String("PDF417")) {
            object->pdf_wdt_val = 300;
            object->pdf_hgt_val = 90;
        }
        BarcodeDesigner designer;
        designer.Set_Barcode_Prop_To_Control(object);
        const CardPicture picture = designer.Get_Image_From_Val(
            QString::fromLatin1(c.value), object->header_val, object->footer_val);
        EXPECT_FALSE(picture.isNull());
        if (picture.isNull()) {
            return {};
        }
        EXPECT_TRUE(m_dir.isValid());
        const QString path = m_dir.filePath(QStringLiteral("symbol.png"));
        EXPECT_TRUE(rasterOnWhite(picture, twoD ? 600 : 300).save(path, "PNG"));
        return path;
    }

private:
    QTemporaryDir m_dir;
};

// One suite per decoder, over the symbologies that decoder reads.
class ZbarDecodeTest : public DesignerDecodeTest {};
class ZxingDecodeTest : public DesignerDecodeTest {};
class DmtxDecodeTest : public DesignerDecodeTest {};

template <class Member> std::vector<DecodeCase> casesWith(Member member) {
    std::vector<DecodeCase> list;
    for (const DecodeCase& c : decodeCases()) {
        if (!(c.*member).isEmpty()) {
            list.push_back(c);
        }
    }
    return list;
}

TEST_P(ZbarDecodeTest, ReadsTheValue) {
    const DecodeCase& c = GetParam();
    CARD_REQUIRE_TOOL(zbarimg, "zbarimg");
    const QString png = writePicture();
    ASSERT_FALSE(png.isEmpty());
    const auto text = lineardecode::zbarRead(zbarimg, png);
    ASSERT_TRUE(text.has_value()) << "zbarimg read nothing";
    EXPECT_EQ(*text, c.zbarText);
}

TEST_P(ZxingDecodeTest, ReadsTheValue) {
    const DecodeCase& c = GetParam();
    CARD_REQUIRE_TOOL(zxing, "ZXingReader");
    const QString png = writePicture();
    ASSERT_FALSE(png.isEmpty());
    const auto text = lineardecode::zxingRead(zxing, png, QString::fromLatin1(c.zxingFormat));
    ASSERT_TRUE(text.has_value()) << "ZXingReader read nothing";
    EXPECT_EQ(*text, c.zxingText);
}

TEST_P(DmtxDecodeTest, ReadsTheValue) {
    const DecodeCase& c = GetParam();
    CARD_REQUIRE_TOOL(dmtxread, "dmtxread");
    const QString png = writePicture();
    ASSERT_FALSE(png.isEmpty());
    const auto result = testsupport::runProcess(dmtxread, {QStringLiteral("-N1"), png});
    ASSERT_TRUE(result.started);
    EXPECT_EQ(result.out, c.dmtxText);
}

std::string caseName(const testing::TestParamInfo<DecodeCase>& info) {
    return std::string(info.param.name);
}

INSTANTIATE_TEST_SUITE_P(Symbologies, ZbarDecodeTest,
                         testing::ValuesIn(casesWith(&DecodeCase::zbarText)), caseName);
INSTANTIATE_TEST_SUITE_P(Symbologies, ZxingDecodeTest,
                         testing::ValuesIn(casesWith(&DecodeCase::zxingText)), caseName);
INSTANTIATE_TEST_SUITE_P(Symbologies, DmtxDecodeTest,
                         testing::ValuesIn(casesWith(&DecodeCase::dmtxText)), caseName);

// ---- The seven symbologies no installed decoder reads ----

struct Bar {
    int left = 0;   // pixels
    int right = 0;  // one past the last dark column
    int top = 0;    // first dark row
    int bottom = 0; // one past the last dark row
};

// The dark runs of one row: [left, right) pairs.
std::vector<std::pair<int, int>> darkRuns(const QImage& image, int y) {
    std::vector<std::pair<int, int>> runs;
    for (int x = 0; x < image.width();) {
        if (qGray(image.pixel(x, y)) >= 128) {
            ++x;
            continue;
        }
        int end = x;
        while (end < image.width() && qGray(image.pixel(end, y)) < 128) {
            ++end;
        }
        runs.emplace_back(x, end);
        x = end;
    }
    return runs;
}

// The bars of a raster, left to right, read along the row that crosses the
// most of them (every bar crosses the tracker band), each followed up and
// down its middle column: texts above or below never join two bars.
std::vector<Bar> barsOf(const QImage& image) {
    int bestRow = 0;
    std::size_t most = 0;
    for (int y = 0; y < image.height(); ++y) {
        const std::size_t count = darkRuns(image, y).size();
        if (count > most) {
            most = count;
            bestRow = y;
        }
    }
    std::vector<Bar> bars;
    for (const auto& [left, right] : darkRuns(image, bestRow)) {
        const int x = (left + right) / 2;
        int top = bestRow;
        while (top > 0 && qGray(image.pixel(x, top - 1)) < 128) {
            --top;
        }
        int bottom = bestRow + 1;
        while (bottom < image.height() && qGray(image.pixel(x, bottom)) < 128) {
            ++bottom;
        }
        bars.push_back({left, right, top, bottom});
    }
    return bars;
}

// The runs of "1" in a module string: first module and count.
std::vector<std::pair<int, int>> barRuns(const QString& modules) {
    std::vector<std::pair<int, int>> runs;
    for (int i = 0; i < modules.size();) {
        if (modules.at(i) != QLatin1Char('1')) {
            ++i;
            continue;
        }
        int j = i;
        while (j < modules.size() && modules.at(j) == QLatin1Char('1')) {
            ++j;
        }
        runs.emplace_back(i, j - i);
        i = j;
    }
    return runs;
}

struct BarsCase {
    const char* name;
    const char* title;
    const char* value;
    // Hand-computed: "F" a full bar, "H" a short one, in order; empty when
    // the case checks the module string only.
    const char* heights;
};

class DesignerBarsTest : public testing::TestWithParam<BarsCase> {};

TEST_P(DesignerBarsTest, BarsReadBackEqualTheSymbologyModules) {
    const BarsCase& c = GetParam();
    const QString title = QString::fromLatin1(c.title);
    const QString value = QString::fromLatin1(c.value);
    auto object = barcodeObject(title, value);
    object->show_hide_hdr = 1;
    object->show_hide_ftr = 1;
    // Japan Post prints its value text whatever the box says: keep it 1 cm
    // away from the bars so no glyph touches one.
    object->val_margin_val = 1.0f;
    BarcodeDesigner designer;
    designer.Set_Barcode_Prop_To_Control(object);
    const CardPicture picture = designer.Get_Image_From_Val(value, QString(), QString());
    ASSERT_FALSE(picture.isNull());
    ASSERT_TRUE(designer.testBarcode_EXP);
    const NKDBarcode& model = *designer.testBarcode_EXP;

    // The symbology class's own modules, made without the designer.
    const auto reference = LinearSymbologies::create(title, value, false);
    ASSERT_TRUE(reference);
    const QString modules = reference->completeBarcode();
    EXPECT_EQ(model.completeBarcode(), modules);

    constexpr int dpi = 300;
    const double k = dpi / 72.0;
    const QImage raster = rasterOnWhite(picture, dpi, 0);
    const std::vector<Bar> bars = barsOf(raster);
    const auto runs = barRuns(modules);
    ASSERT_EQ(bars.size(), runs.size());
    // 20 mils: 1.44 points a module.
    const double module = 1.44 * k;
    // The common baseline of the bars in pixels, estimated from every bar
    // edge (each carries its own rounding).
    double baseline = 0.0;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const int last = runs[i].first + runs[i].second - 1;
        baseline +=
            bars[i].bottom + model.barBottom(last) * k + bars[i].top + model.barTop(last) * k;
    }
    baseline /= 2.0 * double(runs.size());
    for (std::size_t i = 0; i < runs.size(); ++i) {
        SCOPED_TRACE(i);
        const auto [first, count] = runs[i];
        EXPECT_NEAR(bars[i].left - bars[0].left, (first - runs[0].first) * module, 1.5);
        EXPECT_NEAR(bars[i].right - bars[i].left, count * module, 1.5);
        // Tops and bottoms follow the model's bar extents about one baseline.
        const int last = first + count - 1;
        EXPECT_NEAR(bars[i].top, baseline - model.barTop(last) * k, 1.5);
        EXPECT_NEAR(bars[i].bottom, baseline - model.barBottom(last) * k, 1.5);
    }
    if (c.heights[0] != 0) {
        int tallest = 0;
        for (const Bar& bar : bars) {
            tallest = std::max(tallest, bar.bottom - bar.top);
        }
        QString read;
        for (const Bar& bar : bars) {
            read += bar.bottom - bar.top > tallest * 3 / 4 ? QLatin1Char('F') : QLatin1Char('H');
        }
        EXPECT_EQ(read, QString::fromLatin1(c.heights));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Symbologies, DesignerBarsTest,
    testing::Values(
        // POSTNET 12345 with check digit 5; digits by the weights 7 4 2 1 0.
        BarsCase{"Postnet", "PostNet", "12345",
                 "F"
                 "HHHFF"
                 "HHFHF"
                 "HHFFH"
                 "HFHHF"
                 "HFHFH"
                 "HFHFH"
                 "F"},
        // PLANET is POSTNET with full and short bars swapped (frame bars full).
        BarsCase{"Planet", "Planet", "12345",
                 "F"
                 "FFFHH"
                 "FFHFH"
                 "FFHHF"
                 "FHFFH"
                 "FHFHF"
                 "FHFHF"
                 "F"},
        BarsCase{"RoyalMail", "Royal Mail Barcode (RM4SCC / CBC)", "SN34RD1A", ""},
        BarsCase{"JapanPost", "Japan Post Barcode", "15400233-16-4-205", ""},
        BarsCase{"ModifiedPlessey", "Modified Plessey", "12345", ""},
        BarsCase{"ModifiedPlesseyHex", "Modified Plessey (Hex)", "12AB", ""},
        BarsCase{"Industrial2of5", "Industrial 2 of 5", "123456", ""}),
    [](const testing::TestParamInfo<BarsCase>& info) { return std::string(info.param.name); });

} // namespace
