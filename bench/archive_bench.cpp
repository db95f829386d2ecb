// Keyed archives: writing and reading 1,000 styled texts with fonts and
// colours, and one 2,000 x 2,000 picture. Counter "bytes" is the archive size.
#include "platform/KeyedArchiver.h"
#include "platform/KeyedUnarchiver.h"

#include <QLinearGradient>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

struct TextList : KeyedArchivable {
    std::vector<SKTStyledText> texts;
    QStringList archiveClassChain() const override { return {QStringLiteral("BenchTextList")}; }
    void encodeWithCoder(KeyedArchiver& coder) const override {
        coder.encodeInt32(QStringLiteral("count"), static_cast<qint32>(texts.size()));
        for (size_t i = 0; i < texts.size(); ++i) {
            coder.encodeStyledText(QStringLiteral("text%1").arg(i), texts[i]);
        }
    }
    static std::shared_ptr<KeyedArchivable> decode(const KeyedUnarchiver& coder) {
        auto list = std::make_shared<TextList>();
        const int count = coder.decodeInt32(QStringLiteral("count")).value_or(0);
        for (int i = 0; i < count; ++i) {
            list->texts.push_back(
                coder.decodeStyledText(QStringLiteral("text%1").arg(i)).value_or(SKTStyledText()));
        }
        return list;
    }
};

struct PictureHolder : KeyedArchivable {
    CardPicture picture;
    QStringList archiveClassChain() const override { return {QStringLiteral("BenchPicture")}; }
    void encodeWithCoder(KeyedArchiver& coder) const override {
        coder.encodePicture(QStringLiteral("picture"), picture);
    }
    static std::shared_ptr<KeyedArchivable> decode(const KeyedUnarchiver& coder) {
        auto holder = std::make_shared<PictureHolder>();
        holder->picture = coder.decodePicture(QStringLiteral("picture")).value_or(CardPicture());
        return holder;
    }
};

TextList makeTexts() {
    TextList list;
    const QString families[] = {QStringLiteral("Times New Roman"), QStringLiteral("Helvetica"),
                                QStringLiteral("Courier")};
    for (int i = 0; i < 1000; ++i) {
        QFont base(families[i % 3]);
        base.setPointSizeF(10 + i % 7);
        SKTStyledText text(
            QStringLiteral("Dear guest %1, you are invited – ünd willkommen 🎉").arg(i), base,
            QColor::fromRgb(i % 256, 0, 0));
        QFont bold = base;
        bold.setBold(true);
        bold.setItalic(i % 2 == 0);
        text.setAttributes(0, 4, bold, Qt::blue);
        text.setColor(15, 5, QColor::fromRgbF(0.2f, 0.6f, 0.4f, 0.5f));
        list.texts.push_back(text);
    }
    return list;
}

PictureHolder makePicture() {
    QImage image(2000, 2000, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QLinearGradient gradient(0, 0, 2000, 2000);
        gradient.setColorAt(0, QColor(250, 200, 120));
        gradient.setColorAt(1, QColor(40, 80, 160));
        painter.fillRect(QRect(0, 0, 2000, 1400), gradient);
        painter.setRenderHint(QPainter::Antialiasing);
        for (int i = 0; i < 60; ++i) {
            painter.setPen(QPen(QColor::fromHsv(i * 6, 200, 200), 6));
            painter.drawEllipse(QPointF(1000, 1000), 20.0 + i * 15, 10.0 + i * 12);
        }
    }
    image.setDotsPerMeterX(11811); // 300 dpi
    image.setDotsPerMeterY(11811);
    PictureHolder holder;
    holder.picture = CardPicture::fromImage(image);
    return holder;
}

void BM_ArchiveStyledTexts(benchmark::State& state) {
    const TextList list = makeTexts();
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray data = KeyedArchiver::archivedData(list);
        bytes = data.size();
        benchmark::DoNotOptimize(data.constData());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_UnarchiveStyledTexts(benchmark::State& state) {
    KeyedClassRegistry::registerClass(QStringLiteral("BenchTextList"), &TextList::decode);
    const QByteArray data = KeyedArchiver::archivedData(makeTexts());
    for (auto _ : state) {
        auto coder = KeyedUnarchiver::fromData(data);
        auto root = std::dynamic_pointer_cast<TextList>(coder->decodeRootObject());
        if (!root || root->texts.size() != 1000) {
            state.SkipWithError("styled texts did not read back");
            break;
        }
        benchmark::DoNotOptimize(root.get());
    }
    state.counters["bytes"] = static_cast<double>(data.size());
}

void BM_ArchivePicture(benchmark::State& state) {
    const PictureHolder holder = makePicture();
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray data = KeyedArchiver::archivedData(holder);
        bytes = data.size();
        benchmark::DoNotOptimize(data.constData());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_UnarchivePicture(benchmark::State& state) {
    KeyedClassRegistry::registerClass(QStringLiteral("BenchPicture"), &PictureHolder::decode);
    const QByteArray data = KeyedArchiver::archivedData(makePicture());
    for (auto _ : state) {
        auto coder = KeyedUnarchiver::fromData(data);
        auto root = std::dynamic_pointer_cast<PictureHolder>(coder->decodeRootObject());
        if (!root || root->picture.image().width() != 2000) {
            state.SkipWithError("picture did not read back");
            break;
        }
        benchmark::DoNotOptimize(root.get());
    }
    state.counters["bytes"] = static_cast<double>(data.size());
}

BENCHMARK(BM_ArchiveStyledTexts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnarchiveStyledTexts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ArchivePicture)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnarchivePicture)->Unit(benchmark::kMillisecond);

} // namespace
