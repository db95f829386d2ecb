#include "editor/render/SKTRenderingView.h"

#include "core/MessageFunctions.h"
#include "editor/model/SKTDocument.h"
#include "editor/model/SKTError.h"
#include "editor/render/CardRenderInputs.h"
#include "editor/render/CardSideDrawing.h"
#include "editor/render/GraphicSnapshot.h"
#include "platform/CardUnits.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>
#include <exception>
#include <mutex>

namespace {

constexpr double kMaxTiffPixels = 100.0 * 1000.0 * 1000.0;

QString reasonOf(const std::exception& e) {
    return QString::fromUtf8(e.what());
}

// What a vector card picture draws: copies of everything it shows. Objects
// draw through non-const calls, so one drawing at a time.
struct CardSideSnapshot {
    QRectF bounds;
    CardBackgroundInputs background;
    SKTGraphicList graphics;
    std::mutex drawing;
};

QRectF unionOfDrawingBounds(const SKTGraphicList& graphics) {
    QRectF area;
    for (const auto& graphic : graphics) {
        if (graphic) {
            area = area.united(graphic->drawingBounds());
        }
    }
    return area;
}

void setError(SKTError* error) {
    if (error) {
        *error = SKTErrorWithCode(3);
    }
}

// The card document answers its PDF and TIFF data with this renderer: set
// whenever the renderer is part of the program.
[[maybe_unused]] const bool documentRenderingsInstalled = [] {
    SKTDocument::setCardRenderings({[](const SKTGraphicList& graphics) {
                                        return SKTRenderingView::pdfDataWithGraphics_data(graphics);
                                    },
                                    [](const SKTGraphicList& graphics, SKTError* error) {
                                        return SKTRenderingView::tiffDataWithGraphics(graphics,
                                                                                      error);
                                    }});
    return true;
}();

} // namespace

SKTRenderingView::SKTRenderingView(const QRectF& frame, const SKTGraphicList& graphics,
                                   std::optional<QString> printJobTitle)
    : m_frame(frame), _graphics(graphics), _printJobTitle(std::move(printJobTitle)) {}

void SKTRenderingView::drawRect(QPainter& painter, const QRectF& rect) {
    try {
        setCardRenderHints(painter);
        drawCardSide(painter, bounds(), rect, CardBackgroundInputs::current(), _graphics);
    } catch (const std::exception& e) {
        Show_MessageBox(reasonOf(e));
    } catch (...) {
        Show_MessageBox(QStringLiteral("The card could not be drawn."));
    }
}

QByteArray SKTRenderingView::dataWithPDFInsideRect(const QRectF& rect) {
    if (rect.isEmpty()) {
        return {};
    }
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(static_cast<int>(CardUnits::kPointsPerInch));
        writer.setPageLayout(
            QPageLayout(QPageSize(rect.size(), QPageSize::Point, QString(), QPageSize::ExactMatch),
                        QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Point));
        if (_printJobTitle) {
            writer.setTitle(*_printJobTitle);
        }
        QPainter painter(&writer);
        if (!painter.isActive()) {
            return {};
        }
        painter.translate(-rect.topLeft());
        drawRect(painter, rect);
    }
    return data;
}

CardPicture SKTRenderingView::image_From_Card_Graphics(const SKTGraphicList& graphics, bool) {
    try {
        auto snapshot = std::make_shared<CardSideSnapshot>();
        snapshot->bounds = CardRenderInputs::frontCanvasBounds();
        if (snapshot->bounds.isEmpty()) {
            return {};
        }
        snapshot->background = CardBackgroundInputs::current();
        snapshot->graphics = snapshotOfGraphics(graphics);
        const QSizeF size = snapshot->bounds.size();
        return CardPicture::fromDrawer(size, [snapshot](QPainter& painter) {
            const std::lock_guard lock(snapshot->drawing);
            try {
                setCardRenderHints(painter);
                drawCardSide(painter, snapshot->bounds, snapshot->bounds, snapshot->background,
                             snapshot->graphics);
            } catch (const std::exception& e) {
                Show_NSLog_Message(reasonOf(e));
            } catch (...) {
                Show_NSLog_Message(QStringLiteral("The card picture could not be drawn."));
            }
        });
    } catch (const std::exception& e) {
        Show_NSLog_Message(reasonOf(e));
    } catch (...) {
        Show_NSLog_Message(QStringLiteral("The card picture could not be made."));
    }
    return {};
}

QByteArray SKTRenderingView::pdfDataWithGraphics_data(const SKTGraphicList& graphics) {
    const QRectF frame = CardRenderInputs::frontCanvasBounds();
    SKTRenderingView view(frame, graphics);
    return view.dataWithPDFInsideRect(frame);
}

QByteArray SKTRenderingView::tiffDataWithGraphics(const SKTGraphicList& graphics, SKTError* error) {
    const QRectF area =
        graphics.isEmpty() ? CardRenderInputs::frontCanvasBounds() : unionOfDrawingBounds(graphics);
    if (area.isEmpty() || !std::isfinite(area.width()) || !std::isfinite(area.height()) ||
        std::ceil(area.width()) * std::ceil(area.height()) > kMaxTiffPixels) {
        setError(error);
        return {};
    }
    QImage image = CardUnits::makeRaster(area.size(), 1.0, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        setError(error);
        return {};
    }
    image.fill(Qt::transparent);
    // An object whose drawing throws fails the rendering like any other
    // failure here: the copy or document data it serves must not crash.
    try {
        QPainter painter(&image);
        setCardRenderHints(painter);
        painter.translate(-area.topLeft());
        for (qsizetype i = graphics.size() - 1; i >= 0; --i) {
            const std::shared_ptr<SKTGraphic>& graphic = graphics.at(i);
            if (!graphic) {
                continue;
            }
            const PainterStateGuard object(painter);
            painter.setClipRect(graphic->drawingBounds());
            graphic->drawContentsInView(painter, false);
        }
    } catch (const std::exception& e) {
        Show_NSLog_Message(reasonOf(e));
        setError(error);
        return {};
    } catch (...) {
        Show_NSLog_Message(QStringLiteral("The objects could not be drawn."));
        setError(error);
        return {};
    }
    CardUnits::markResolution(image, CardUnits::kPointsPerInch);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "tiff");
    if (!writer.write(image)) {
        setError(error);
        return {};
    }
    return data;
}
