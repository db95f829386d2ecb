#pragma once
// One value type for every picture of a card: a rendered card side, a linear
// barcode, a placed picture. A picture is either vector (a snapshot that
// re-draws itself, so printing and PDF stay sharp) or raster (a QImage), and
// always knows its size in points. Copies are cheap and thread-safe to read.

#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <functional>
#include <memory>

class QPainter;

class CardPicture {
    struct Data;

public:
    // Draws the picture's content in points with its top-left at (0, 0).
    // Must only read data it captured by value: it may run on any thread.
    using Drawer = std::function<void(QPainter&)>;

    CardPicture() = default; // none

    // A raster whose size in points comes from its resolution (pixels x 72 /
    // dpi; an image without a resolution of its own counts as 72 dpi).
    static CardPicture fromImage(const QImage& image);
    // A raster shown at an explicit size in points.
    static CardPicture fromImage(const QImage& image, const QSizeF& points);
    // A vector picture of the given size in points.
    static CardPicture fromDrawer(const QSizeF& points, Drawer drawer);

    bool isNull() const { return !d; }
    explicit operator bool() const { return !isNull(); }
    bool isVector() const { return d && d->drawer; }
    bool isRaster() const { return d && !d->drawer; }

    QSizeF size() const { return d ? d->size : QSizeF(); }
    // The raster (null for vector pictures).
    QImage image() const { return d ? d->image : QImage(); }

    // Draws the picture stretched into target (in the painter's coordinates).
    // Vector pictures stay vector on PDF and print devices.
    void draw(QPainter& painter, const QRectF& target) const;
    // Draws the picture at its own size with its top-left at `origin`.
    void draw(QPainter& painter, const QPointF& origin) const;

    // A raster of ceil(size x scale) pixels (ARGB32 premultiplied, transparent
    // where nothing is drawn) whose resolution says 72 x scale dpi, so its
    // size in points is the picture's. Null for a null picture, a zero size or
    // a raster Qt cannot allocate.
    QImage toImage(double scale = 1.0) const;

    // Same content (the same raster, or the same drawer object).
    bool sharesDataWith(const CardPicture& other) const { return d == other.d; }

    // A handle on a picture that does not keep it alive: a cache holds these
    // and gets the picture back while someone else still holds it.
    class Weak {
    public:
        Weak() = default;
        CardPicture lock() const {
            CardPicture picture;
            picture.d = d.lock();
            return picture;
        }
        bool expired() const { return d.expired(); }

    private:
        friend class CardPicture;
        std::weak_ptr<const Data> d;
    };
    Weak weak() const {
        Weak handle;
        handle.d = d;
        return handle;
    }

private:
    struct Data {
        QSizeF size;
        QImage image;
        Drawer drawer;
    };
    std::shared_ptr<const Data> d;
};
