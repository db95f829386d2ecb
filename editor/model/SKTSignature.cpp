#include "editor/model/SKTSignature.h"

#include "editor/model/ObjectDrawing.h"
#include "editor/model/PicturePlaceholders.h"
#include "editor/model/PictureRefitQueue.h"
#include "editor/model/SKTPictureLoading.h"
#include "editor/model/SKTWindowControllerInterface.h"

#include <QPainter>

namespace {

QString sampleFileOfKind(const QString& kind) {
    return PicturePlaceholders::resourceFile(kind == QLatin1String("S")
                                                 ? QStringLiteral("sign_sample.png")
                                                 : QStringLiteral("fingerprints.png"));
}

QRectF centredOn(const QPointF& point, const QSizeF& size) {
    return QRectF(point.x() - size.width() / 2.0, point.y() - size.height() / 2.0, size.width(),
                  size.height());
}

} // namespace

std::shared_ptr<SKTGraphic> SKTSignature::newOfSameClass() const {
    return std::make_shared<SKTSignature>();
}

SKTSignature::SKTSignature(const SKTSignature& other)
    : SKTGraphic(other), _contents_img(other._contents_img), file_path(other.file_path),
      m_read(other.m_read) {
    const std::lock_guard lock(other.m_reloadMutex);
    m_reloadedPath = other.m_reloadedPath;
    m_reloadedRead = other.m_reloadedRead;
    m_reloaded = other.m_reloaded;
    m_hasReloaded = other.m_hasReloaded;
}

std::shared_ptr<SKTGraphic> SKTSignature::copyOfObject() const {
    return std::shared_ptr<SKTGraphic>(new SKTSignature(*this));
}

void SKTSignature::initWithPosition(const QPointF& point, const CardPicture& contents,
                                    const QString& kind) {
    _contents_img = contents;
    file_path = sampleFileOfKind(kind);
    Set_Control_File_path(file_path);
    Set_Sign_Or_FP(kind);
    _bounds = centredOn(point, _contents_img.size());
    SKTMainWindow::Reset_Image_Editing_Controls();
}

void SKTSignature::initWithPath(const QPointF& point, const QString& path, const QString& kind) {
    Set_Sign_Or_FP(kind);
    setFilePath(path);
    _bounds = centredOn(point, _contents_img.size());
    SKTMainWindow::Reset_Image_Editing_Controls();
}

QString SKTSignature::effectivePath(const QString& path) const {
    if (path == QLatin1String("Default")) {
        return sampleFileOfKind(Sign_Or_FP_Val());
    }
    return path;
}

void SKTSignature::setFilePath(const QString& path) {
    const QString effective = effectivePath(path);
    file_path = effective;
    Set_Control_File_path(effective);
    m_read = SKTReadPictureFile(
        effective, SKTPicturePixelsOnCard(_bounds, SKTMainWindow::frontCanvasBounds(), 0));
    _contents_img = m_read.picture;
}

void SKTSignature::setBounds(const QRectF& bounds) {
    SKTGraphic::setBounds(bounds);
    if (m_read.picture.isRaster() &&
        !m_read.serves(SKTPicturePixelsOnCard(_bounds, SKTMainWindow::frontCanvasBounds(), 0))) {
        PictureRefitQueue::schedule(*this, [](SKTGraphic& graphic) {
            // Read now, and redrawn through the document without an undo step.
            ChangeScope scope(graphic);
            static_cast<SKTSignature&>(graphic).pictureForDrawing();
        });
    }
}

CardPicture SKTSignature::pictureForDrawing() const {
    const QSize want = SKTPicturePixelsOnCard(_bounds, SKTMainWindow::frontCanvasBounds(), 0);
    const bool resting = !PictureRefitQueue::isWaiting(*this);
    QString path;
    if (!file_path.isNull() && file_path == _file_path) {
        // The loaded picture, unless it was read from its file for a smaller
        // frame.
        if (!m_read.picture.sharesDataWith(_contents_img) || m_read.serves(want)) {
            return _contents_img;
        }
        path = file_path;
    } else {
        path = effectivePath(_file_path);
    }
    std::lock_guard lock(m_reloadMutex);
    if (!resting && path == file_path) {
        // Pixels already read, until the frame rests.
        return m_hasReloaded && m_reloadedPath == path ? m_reloaded : _contents_img;
    }
    if (!m_hasReloaded || m_reloadedPath != path || !m_reloadedRead.serves(want)) {
        m_reloadedRead = SKTReadPictureFile(path, want);
        m_reloaded = m_reloadedRead.picture;
        m_reloadedPath = path;
        m_hasReloaded = true;
    }
    return m_reloaded;
}

void SKTSignature::drawContentsInView(QPainter& painter, bool) {
    if (!ctrl_is_visible) {
        return;
    }
    const QRectF b = bounds();
    if (isDrawingStroke()) {
        ObjectDrawing::strokeRect(painter, *this, b);
    }
    const CardPicture picture = pictureForDrawing();
    if (picture.isNull() || !(b.width() > 0) || !(b.height() > 0)) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    picture.draw(painter, b);
    painter.restore();
}
