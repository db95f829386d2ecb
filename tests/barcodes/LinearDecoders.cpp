#include "LinearDecoders.h"

#include "../common/TestSupport.h"

#include <QImage>
#include <QPainter>

namespace lineardecode {

namespace {

constexpr int kPixelsPerModule = 3;
constexpr int kQuietModules = 25;
constexpr int kHeightPixels = 120;

} // namespace

bool writeSymbolPng(const QString& modules, const QString& path) {
    const int width = static_cast<int>((modules.size() + 2 * kQuietModules) * kPixelsPerModule);
    QImage image(width, kHeightPixels + 40, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (qsizetype i = 0; i < modules.size(); ++i) {
        if (modules.at(i) == QLatin1Char('1')) {
            painter.fillRect(static_cast<int>((kQuietModules + i) * kPixelsPerModule), 20,
                             kPixelsPerModule, kHeightPixels, Qt::black);
        }
    }
    painter.end();
    return image.save(path, "PNG");
}

std::optional<QByteArray> zbarRead(const QString& zbarimg, const QString& png) {
    const auto result = testsupport::runProcess(
        zbarimg, {QStringLiteral("--raw"), QStringLiteral("-q"), QStringLiteral("-Supca.enable"),
                  QStringLiteral("-Supce.enable"), QStringLiteral("-Si25.min-length=2"),
                  QStringLiteral("-Scodabar.min-length=1"), png});
    if (!result.started || result.exitCode != 0 || result.out.isEmpty()) {
        return std::nullopt;
    }
    QByteArray data = result.out;
    // zbarimg ends every symbol's data with a newline.
    if (data.endsWith('\n')) {
        data.chop(1);
    }
    return data;
}

std::optional<QByteArray> zxingRead(const QString& zxing, const QString& png,
                                    const QString& format) {
    const auto result = testsupport::runProcess(
        zxing, {QStringLiteral("-bytes"), QStringLiteral("-format"), format, png});
    if (!result.started || result.exitCode != 0 || result.out.isEmpty()) {
        return std::nullopt;
    }
    return result.out;
}

} // namespace lineardecode
