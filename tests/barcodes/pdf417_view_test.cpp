#include "barcodes/BarcodeGlobals.h"
#include "barcodes/Pdf417Encoder.h"
#include "barcodes/pdf417View.h"
#include "common/TestSupport.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>

namespace {

// Sets the 2D resolution for one test and puts the old one back.
class DpiGuard {
public:
    explicit DpiGuard(int dpi) : m_old(USED_DPI_VALUE.load()) { USED_DPI_VALUE = dpi; }
    ~DpiGuard() { USED_DPI_VALUE = m_old; }
    DpiGuard(const DpiGuard&) = delete;
    DpiGuard& operator=(const DpiGuard&) = delete;

private:
    int m_old;
};

bool isBlack(QRgb c) {
    return qAlpha(c) == 255 && qGray(c) < 64;
}
bool isWhite(QRgb c) {
    return qAlpha(c) == 255 && qGray(c) > 192;
}

TEST(Pdf417View, StartsEmptyAtLevelTwo) {
    pdf417View view(QSizeF(100, 20));
    EXPECT_EQ(view.getErrorLevel(), 2);
    EXPECT_EQ(view.getImageState(), pdf417View::kImageEmpty);
    EXPECT_TRUE(view.getImage().isNull());
    view.setErrorLevel(5);
    EXPECT_EQ(view.getErrorLevel(), 5);
    EXPECT_EQ(view.drawWithText(QString()), pdf417View::kImageEmpty);
    EXPECT_TRUE(view.getImage().isNull());
}

TEST(Pdf417View, PictureHasTheFrameSizeAtTheResolution) {
    const DpiGuard dpi(300);
    pdf417View view(QSizeF(100.5, 20));
    ASSERT_EQ(view.drawWithText("PDF417 picture"), pdf417View::kImageReady);
    const CardPicture picture = view.getImage();
    // Vector modules, rastered here at the resolution.
    ASSERT_TRUE(picture.isVector());
    EXPECT_DOUBLE_EQ(picture.size().width(), 100.5);
    EXPECT_DOUBLE_EQ(picture.size().height(), 20.0);
    const QImage image = picture.toImage(300 / 72.0);
    EXPECT_EQ(image.width(), 419); // ceil(418.75)
    EXPECT_EQ(image.height(), 84); // ceil(83.33)
    // The start pattern begins and the stop pattern ends with a bar; the
    // module after the start pattern's 8-module bar is a space.
    // (The last row and column are partly outside the picture: crisp
    // modules leave them empty.)
    for (int y : {0, image.height() / 2, image.height() - 2}) {
        EXPECT_TRUE(isBlack(image.pixel(0, y)));
        EXPECT_TRUE(isBlack(image.pixel(image.width() - 2, y)));
    }
}

TEST(Pdf417View, EncodingErrorLeavesNoPicture) {
    pdf417View view(QSizeF(100, 20));
    ASSERT_EQ(view.drawWithText("first record"), pdf417View::kImageReady);
    ASSERT_FALSE(view.getImage().isNull());
    // Too long: the next record must not show the first record's symbol.
    EXPECT_EQ(view.drawWithText(QString(5421, QLatin1Char('x'))), pdf417View::kImageError);
    EXPECT_TRUE(view.getImage().isNull());
    EXPECT_EQ(view.getImageState(), pdf417View::kImageError);
    // Likewise an empty value.
    ASSERT_EQ(view.drawWithText("third record"), pdf417View::kImageReady);
    EXPECT_EQ(view.drawWithText(QString()), pdf417View::kImageEmpty);
    EXPECT_TRUE(view.getImage().isNull());
}

TEST(Pdf417View, NoFrameIsAnErrorWithoutAPicture) {
    const QSizeF frames[] = {QSizeF(),
                             QSizeF(0, 0),
                             QSizeF(100, 0),
                             QSizeF(0, 20),
                             QSizeF(-100, 20),
                             QSizeF(100, -20),
                             QSizeF(std::nan(""), 20),
                             QSizeF(100, std::numeric_limits<double>::infinity())};
    for (const QSizeF& frame : frames) {
        // Set at construction.
        pdf417View made(frame);
        EXPECT_EQ(made.drawWithText("RSVP"), pdf417View::kImageError) << frame.width();
        EXPECT_EQ(made.getImageState(), pdf417View::kImageError);
        EXPECT_TRUE(made.getImage().isNull());
        // Set after a good picture: that picture goes too.
        pdf417View view(QSizeF(100, 20));
        ASSERT_EQ(view.drawWithText("first record"), pdf417View::kImageReady);
        view.setFrameSize(frame);
        EXPECT_EQ(view.drawWithText("second record"), pdf417View::kImageError) << frame.width();
        EXPECT_TRUE(view.getImage().isNull());
        // An empty value stays the empty state, not an error.
        EXPECT_EQ(view.drawWithText(QString()), pdf417View::kImageEmpty);
    }
}

TEST(Pdf417View, NoResolutionIsAnErrorWithoutAPicture) {
    for (const int dpi : {0, -300}) {
        const DpiGuard guard(dpi);
        pdf417View view(QSizeF(100, 20));
        EXPECT_EQ(view.drawWithText("RSVP"), pdf417View::kImageError) << dpi;
        EXPECT_TRUE(view.getImage().isNull());
    }
}

TEST(Pdf417View, DrawRectShowsTheState) {
    pdf417View view(QSizeF(200, 60));
    QImage canvas(200, 60, QImage::Format_ARGB32);
    const auto render = [&] {
        canvas.fill(Qt::transparent);
        QPainter painter(&canvas);
        view.drawRect(painter);
    };
    render();
    EXPECT_EQ(canvas.pixel(10, 10), QColor(Qt::lightGray).rgb());

    view.drawWithText(QString(5421, QLatin1Char('x')));
    render();
    EXPECT_TRUE(isWhite(canvas.pixel(1, 1)));
    int dark = 0;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            dark += qGray(canvas.pixel(x, y)) < 128 ? 1 : 0;
    EXPECT_GT(dark, 50); // the message

    view.drawWithText("ready");
    render();
    EXPECT_TRUE(isBlack(canvas.pixel(0, 30)));
    EXPECT_TRUE(isBlack(canvas.pixel(199, 30)));
}

// Symbols read back by an outside decoder (ZXingReader of ZXing-C++).

constexpr int kModule = 2;    // pixels per module
constexpr int kRowHeight = 3; // modules per row
constexpr int kQuiet = 4;     // modules of quiet zone on every side

// The symbol on white with a quiet zone.
QImage withQuietZone(const QImage& symbol) {
    const int q = kQuiet * kModule;
    QImage out(symbol.width() + 2 * q, symbol.height() + 2 * q, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter painter(&out);
    painter.drawImage(q, q, symbol);
    return out;
}

// A picture of the painted matrix (set bit = bar), whole pixels per module.
QImage matrixPicture(const _pdf417param& p) {
    QImage image(p.bitColumns * kModule, p.codeRows * kRowHeight * kModule, QImage::Format_RGB32);
    image.fill(Qt::white);
    const int bytesPerRow = p.lenBits / p.codeRows;
    QPainter painter(&image);
    for (int row = 0; row < p.codeRows; ++row) {
        for (int col = 0; col < p.bitColumns; ++col) {
            const unsigned char byte =
                p.outBits[static_cast<std::size_t>(row * bytesPerRow + col / 8)];
            if ((byte >> (7 - col % 8)) & 1) {
                painter.fillRect(col * kModule, row * kRowHeight * kModule, kModule,
                                 kRowHeight * kModule, Qt::black);
            }
        }
    }
    return image;
}

class Pdf417Decoding : public testing::Test {
protected:
    void SetUp() override {
        m_reader = testsupport::findTool(QStringLiteral("ZXingReader"));
        if (m_reader.isEmpty())
            GTEST_SKIP() << "outside tool not installed: ZXingReader";
        ASSERT_TRUE(m_dir.isValid());
    }

    // The bytes the decoder reads from the picture.
    QByteArray decode(const QImage& picture) {
        const QString path = m_dir.filePath(QStringLiteral("pdf417_%1.png").arg(m_count++));
        EXPECT_TRUE(withQuietZone(picture).save(path));
        const auto result =
            testsupport::runProcess(m_reader, {QStringLiteral("-bytes"), QStringLiteral("-format"),
                                               QStringLiteral("PDF417"), path});
        EXPECT_TRUE(result.started);
        return result.out;
    }

    QString m_reader;
    QTemporaryDir m_dir;
    int m_count = 0;
};

TEST_F(Pdf417Decoding, ViewPicturesAtEveryLevel) {
    const DpiGuard dpi(72 * kModule);
    const QString text = QStringLiteral("PDF417 at level %1: Invitation #42, 7 p.m. - RSVP!");
    for (int level = 0; level <= 8; ++level) {
        const QString value = text.arg(level);
        const QByteArray bytes = value.toUtf8();
        // Same parameters as the view, to learn the symbol's size.
        _pdf417param p;
        pdf417init(&p);
        p.text = bytes.constData();
        p.lenText = static_cast<int>(bytes.size());
        p.options = PDF417_USE_ERROR_LEVEL | PDF417_INVERT_BITMAP;
        p.errorLevel = level;
        p.aspectRatio = 1.0f;
        paintCode(&p);
        ASSERT_EQ(p.error, 0);

        pdf417View view(QSizeF(p.bitColumns, p.codeRows * kRowHeight));
        view.setErrorLevel(level);
        ASSERT_EQ(view.drawWithText(value), pdf417View::kImageReady);
        const QImage image = view.getImage().toImage(kModule);
        ASSERT_EQ(image.width(), p.bitColumns * kModule);
        EXPECT_EQ(decode(image), bytes) << "level " << level;
    }
}

// Random values mixing every text sub-mode, digit runs and bytes.
std::string randomValue(std::mt19937& rng) {
    static const std::string charSets[] = {
        "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghijklmnopqrstuvwxyz", "0123456789", " ",
        "&\r\t,:#-.$/+%*=^",          ";<>@[\\]_`~!\n\"|()?{}'"};
    std::uniform_int_distribution<int> lengthDist(1, 400);
    std::uniform_int_distribution<int> kindDist(0, 99);
    const int length = lengthDist(rng);
    std::string out;
    while (static_cast<int>(out.size()) < length) {
        const int kind = kindDist(rng);
        if (kind < 8) { // a digit run, sometimes long enough for numeric mode
            const int run = std::uniform_int_distribution<int>(1, 40)(rng);
            for (int i = 0; i < run; ++i)
                out += static_cast<char>('0' + rng() % 10);
        } else if (kind < 14) { // bytes outside text, NUL included
            const int run = std::uniform_int_distribution<int>(1, 8)(rng);
            for (int i = 0; i < run; ++i) {
                const int b = static_cast<int>(rng() % 160);
                out += static_cast<char>(b < 32 ? b : b + 96);
            }
        } else {
            const std::string& set = charSets[(kind - 14) % 6];
            out += set[rng() % set.size()];
        }
    }
    return out;
}

TEST_F(Pdf417Decoding, RandomValuesAtRandomLevels) {
    std::mt19937 rng(20260417);
    for (int i = 0; i < 100; ++i) {
        const std::string value = randomValue(rng);
        const int level = static_cast<int>(rng() % 9);
        _pdf417param p;
        pdf417init(&p);
        p.text = value.data();
        p.lenText = static_cast<int>(value.size());
        p.options = PDF417_USE_ERROR_LEVEL;
        p.errorLevel = level;
        p.aspectRatio = 1.0f;
        paintCode(&p);
        ASSERT_EQ(p.error, 0) << i;
        EXPECT_EQ(decode(matrixPicture(p)),
                  QByteArray(value.data(), static_cast<qsizetype>(value.size())))
            << "value " << i << " level " << level;
    }
}

TEST_F(Pdf417Decoding, LargestSymbols) {
    // 928 codewords: 16 x 58 by the grid rule, text and bytes.
    std::string value(1108, '\0');
    for (std::size_t i = 0; i < value.size(); ++i)
        value[i] = static_cast<char>(0x80 + i % 128);
    _pdf417param p;
    pdf417init(&p);
    p.text = value.data();
    p.lenText = static_cast<int>(value.size());
    p.options = PDF417_USE_ERROR_LEVEL;
    p.errorLevel = 0;
    p.aspectRatio = 1.0f;
    paintCode(&p);
    ASSERT_EQ(p.error, 0);
    EXPECT_EQ(p.codeColumns * p.codeRows, 928);
    EXPECT_EQ(decode(matrixPicture(p)),
              QByteArray(value.data(), static_cast<qsizetype>(value.size())));
}

} // namespace
