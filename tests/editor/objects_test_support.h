#pragma once
// Helpers of the card object drawing tests: renders onto 72-dpi rasters, a
// resource folder of their own with placeholder and hatch pictures, and a
// capture of the system log.

#include "core/globals.h"
#include "editor/model/SKTGraphic.h"
#include "platform/CardUnits.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <mutex>

namespace objtest {

// The object drawn on white at `scale` pixels per point, without
// antialiasing so pixel runs can be counted.
inline QImage render(SKTGraphic& graphic, const QSize& points, double scale = 1.0,
                     bool editing = false, bool antialias = false) {
    QImage image = CardUnits::makeRaster(QSizeF(points), scale, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, antialias);
    painter.scale(scale, scale);
    graphic.drawContentsInView(painter, editing);
    return image;
}

inline bool isWhite(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                return false;
            }
        }
    }
    return true;
}

// Bounding box of the pixels that are not white (empty when none).
inline QRect inkBounds(const QImage& image) {
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}

inline bool near(QRgb a, QRgb b, int tolerance = 3) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

inline QImage solid(int w, int h, const QColor& color, double dpi = 72.0) {
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(color);
    CardUnits::markResolution(image, dpi);
    return image;
}

// A resource folder of the test's own: "no.png" red 10 x 10,
// "sign_sample.png" green 20 x 10, "fingerprints.png" blue 10 x 20,
// "barcode_sample.png" black 30 x 15, and the hatch pattern "Hatch1"
// (magenta and white stripes). Resource_Path points at it while it lives.
class ResourceFolder {
public:
    ResourceFolder() : m_saved(Resource_Path) {
        EXPECT_TRUE(m_dir.isValid());
        solid(10, 10, Qt::red).save(m_dir.filePath("no.png"));
        solid(20, 10, Qt::green).save(m_dir.filePath("sign_sample.png"));
        solid(10, 20, Qt::blue).save(m_dir.filePath("fingerprints.png"));
        solid(30, 15, Qt::black).save(m_dir.filePath("barcode_sample.png"));
        QDir(m_dir.path()).mkdir("Fill_Style_Image");
        QImage stripes = solid(4, 4, Qt::white);
        for (int x = 0; x < 4; ++x) {
            stripes.setPixel(x, 0, qRgb(255, 0, 255));
            stripes.setPixel(x, 1, qRgb(255, 0, 255));
        }
        stripes.save(m_dir.filePath("Fill_Style_Image/Hatch1.png"));
        Resource_Path = m_dir.path();
    }
    ~ResourceFolder() { Resource_Path = m_saved; }
    ResourceFolder(const ResourceFolder&) = delete;
    ResourceFolder& operator=(const ResourceFolder&) = delete;

    QString file(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_saved;
};

// Collects what goes to the system log while it lives.
class LogCapture {
public:
    LogCapture() { m_previous = qInstallMessageHandler(&LogCapture::handler); }
    ~LogCapture() {
        qInstallMessageHandler(m_previous);
        std::lock_guard lock(mutex());
        lines().clear();
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    QStringList messages() const {
        std::lock_guard lock(mutex());
        return lines();
    }

private:
    static void handler(QtMsgType, const QMessageLogContext&, const QString& text) {
        std::lock_guard lock(mutex());
        lines().append(text);
    }
    static std::mutex& mutex() {
        static std::mutex m;
        return m;
    }
    static QStringList& lines() {
        static QStringList l;
        return l;
    }
    QtMessageHandler m_previous = nullptr;
};

} // namespace objtest
