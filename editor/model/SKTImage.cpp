#include "editor/model/SKTImage.h"

#include "core/MessageFunctions.h"
#include "core/globals.h"
#include "editor/model/ImageProcesser.h"
#include "editor/model/ObjectDrawing.h"
#include "editor/model/PictureProblemNotice.h"
#include "editor/model/PictureRefitQueue.h"
#include "editor/model/SKTPictureLoading.h"
#include "editor/model/SKTWindowControllerInterface.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

// A size centred on a point; an empty size for no picture.
QRectF centredOn(const QPointF& point, const QSizeF& size) {
    return QRectF(point.x() - size.width() / 2.0, point.y() - size.height() / 2.0, size.width(),
                  size.height());
}

// A stored value, a neutral one in its place when it is not a number.
float finiteOr(float value, float neutral) {
    return std::isfinite(value) ? value : neutral;
}

} // namespace

void SKTImage::initWithPath(const QPointF& point, const QString& path, const QSizeF& frame) {
    // The frame from the header, so the pixels are decoded once, for it.
    const SKTPictureProbe probe = SKTProbePictureFile(path);
    if (!frame.isEmpty()) {
        _bounds = QRectF(point, frame);
    } else if (!probe.filePoints.isEmpty()) {
        _bounds = centredOn(point, probe.filePoints);
    }
    if (SKTKeptPictureBytes() >= SKTPictureBudgetBytes()) {
        m_pixelsPerPoint = SKTScreenPixelsPerPoint;
    }
    const SKTPictureProblem problem = setFilePath(path);
    if (probe.problem == SKTPictureProblem::None && problem != SKTPictureProblem::None) {
        // The header read (the chooser let it through) but the pixels do
        // not: told now, as the chooser tells.
        Show_MessageBox(SKTPictureProblemLine(path, problem));
    }
    _bounds = centredOn(point, _contents.size());
    SKTMainWindow::Reset_Image_Editing_Controls();
}

void SKTImage::initWithPosition(const QPointF& point, const CardPicture& contents) {
    _contents = contents;
    _file_path = Library_Selected_Image;
    _bounds = centredOn(point, _contents.size());
    SKTMainWindow::Reset_Image_Editing_Controls();
}

std::shared_ptr<SKTGraphic> SKTImage::newOfSameClass() const {
    return std::make_shared<SKTImage>();
}

SKTImage::SKTImage(const SKTImage& other)
    : SKTGraphic(other), _contents(other._contents), m_read(other.m_read), m_forOutput(true),
      m_refitFailed(other.m_refitFailed), m_failedFile(other.m_failedFile) {
    // A copy made for an output reads the pixels it needs at 600 dpi, even
    // when the object keeps fewer (m_pixelsPerPoint stays at its default),
    // whatever the design's budget.
    const std::lock_guard lock(other.m_adjustedMutex);
    m_adjustedValid = other.m_adjustedValid;
    m_adjustedSource = other.m_adjustedSource;
    m_adjustedFor = other.m_adjustedFor;
    m_adjusted = other.m_adjusted;
}

std::shared_ptr<SKTGraphic> SKTImage::copyOfObject() const {
    return std::shared_ptr<SKTGraphic>(new SKTImage(*this));
}

std::shared_ptr<SKTGraphic> SKTImage::clone() const {
    auto copy = std::static_pointer_cast<SKTImage>(SKTGraphic::clone());
    copy->_contents = _contents;
    copy->m_read = m_read;
    copy->m_pixelsPerPoint = m_pixelsPerPoint;
    return copy;
}

SKTPictureProblem SKTImage::setFilePath(const QString& path) {
    return setFilePathOnCard(path, SKTMainWindow::frontCanvasBounds());
}

SKTPictureProblem SKTImage::setFilePathOnCard(const QString& path, const QRectF& card) {
    Set_Control_File_path(path);
    SKTPictureProblem problem = SKTPictureProblem::None;
    SKTPictureRead read = SKTReadPictureFile(path, wantedPixelsOnCard(card), &problem);
    const std::lock_guard lock(m_adjustedMutex);
    m_read = std::move(read);
    _contents = m_read.picture;
    m_refitFailed = false;
    return problem;
}

QSize SKTImage::wantedPixels() const {
    return wantedPixelsOnCard(SKTMainWindow::frontCanvasBounds());
}

QSize SKTImage::wantedPixelsOnCard(const QRectF& card) const {
    return SKTPicturePixelsOnCard(_bounds, card, ImageProcesser::wholeDegrees(rotate_image),
                                  m_pixelsPerPoint);
}

bool SKTImage::contentsFromFile() const {
    return !m_read.picture.isNull() && m_read.picture.sharesDataWith(_contents);
}

void SKTImage::refitPicture(bool shrink) {
    if (!contentsFromFile()) {
        return;
    }
    QSize want = wantedPixels();
    if (shrink ? m_read.fits(want) : m_read.serves(want)) {
        return;
    }
    if (passesBudget(want)) {
        // As when a design opens past the budget: what the canvas shows
        // at 100 %; outputs read their own from the file.
        m_pixelsPerPoint = SKTScreenPixelsPerPoint;
        want = wantedPixels();
        if (shrink ? m_read.fits(want) : m_read.serves(want)) {
            return;
        }
    }
    // A file that failed in this state is not tried again (drawing would
    // otherwise decode it on every paint).
    SKTPictureProblem problem = SKTPictureProblem::None;
    const auto state = PictureFileCache::keyOf(m_read.path, &problem);
    if (m_refitFailed && state == m_failedFile) {
        return;
    }
    SKTPictureRead read = SKTReadPictureFile(m_read.path, want, &problem);
    if (read.picture.isNull()) {
        // The file went away or changed into something unreadable: the
        // picture already kept stays, and the user is told once.
        m_refitFailed = true;
        m_failedFile = state;
        PictureProblemNotice::tellOnce(
            m_read.path, state,
            problem == SKTPictureProblem::None ? SKTPictureProblem::NotPicture : problem);
        return;
    }
    m_refitFailed = false;
    const std::lock_guard lock(m_adjustedMutex);
    m_read = std::move(read);
    _contents = m_read.picture;
}

bool SKTImage::passesBudget(const QSize& want) const {
    if (m_forOutput || m_pixelsPerPoint <= SKTScreenPixelsPerPoint) {
        return false;
    }
    const QSize target = m_read.pixelsFor(want);
    const qint64 bytes = qint64(target.width()) * target.height() * 4;
    const qint64 keptNow = _contents.isRaster() ? _contents.image().sizeInBytes() : 0;
    if (bytes <= keptNow) {
        return false;
    }
    // Every picture read from a file counts once, as when a design opens:
    // the reading this object lets go of is replaced by the new one.
    return SKTKeptPictureBytes() - keptNow + bytes > SKTPictureBudgetBytes();
}

void SKTImage::setBounds(const QRectF& bounds) {
    SKTGraphic::setBounds(bounds);
    if (contentsFromFile() && !m_read.fits(wantedPixels())) {
        PictureRefitQueue::schedule(*this, [](SKTGraphic& graphic) {
            auto& image = static_cast<SKTImage&>(graphic);
            // Redrawn through the document, with no undo step (no observed
            // value changes).
            ChangeScope scope(image);
            image.refitPicture(true);
        });
    }
}

void SKTImage::setFlippedHorizontally(bool flag) {
    ChangeScope scope(*this);
    _isFlippedHorizontally = flag;
}

void SKTImage::setFlippedVertically(bool flag) {
    ChangeScope scope(*this);
    _isFlippedVertically = flag;
}

void SKTImage::flipHorizontally() {
    setFlippedHorizontally(!_isFlippedHorizontally);
}

void SKTImage::flipVertically() {
    setFlippedVertically(!_isFlippedVertically);
}

void SKTImage::makeNaturalSize() {
    if (ctrl_is_locked) {
        return;
    }
    if (_contents.isNull()) {
        return;
    }
    QRectF b = bounds();
    b.setSize(ImageProcesser::limitedSize(_contents.size()));
    setBounds(b);
    setFlippedHorizontally(false);
    setFlippedVertically(false);
}

QStringList SKTImage::keysForValuesToObserveForUndo() const {
    return SKTGraphic::keysForValuesToObserveForUndo()
           << SKTImageIsFlippedHorizontallyKey << SKTImageIsFlippedVerticallyKey;
}

QString SKTImage::presentablePropertyNameForKey(const QString& key) const {
    if (key == SKTImageIsFlippedHorizontallyKey) {
        return QCoreApplication::translate("UndoStrings", "Horizontal Flipping");
    }
    if (key == SKTImageIsFlippedVerticallyKey) {
        return QCoreApplication::translate("UndoStrings", "Vertical Flipping");
    }
    return SKTGraphic::presentablePropertyNameForKey(key);
}

QVariant SKTImage::valueForKey(const QString& key) {
    if (key == SKTImageIsFlippedHorizontallyKey) {
        return _isFlippedHorizontally;
    }
    if (key == SKTImageIsFlippedVerticallyKey) {
        return _isFlippedVertically;
    }
    return SKTGraphic::valueForKey(key);
}

bool SKTImage::setValueForKey(const QString& key, const QVariant& value) {
    const bool isFlag = value.typeId() == QMetaType::Bool || value.typeId() == QMetaType::Int;
    if (key == SKTImageIsFlippedHorizontallyKey && isFlag) {
        setFlippedHorizontally(value.toBool());
        return true;
    }
    if (key == SKTImageIsFlippedVerticallyKey && isFlag) {
        setFlippedVertically(value.toBool());
        return true;
    }
    return SKTGraphic::setValueForKey(key, value);
}

QVariantMap SKTImage::properties() {
    QVariantMap result = SKTGraphic::properties();
    if (!_contents.isNull()) {
        // The picture as PNG bytes, at its resolution (so its size in points
        // reads back).
        const QImage image = _contents.isRaster() ? _contents.image() : _contents.toImage();
        QByteArray png;
        QBuffer buffer(&png);
        if (buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "PNG")) {
            result.insert(SKTImageContentsKey, png);
        }
    }
    result.insert(SKTImageIsFlippedHorizontallyKey, _isFlippedHorizontally);
    result.insert(SKTImageIsFlippedVerticallyKey, _isFlippedVertically);
    return result;
}

void SKTImage::initWithProperties(const QVariantMap& properties) {
    SKTGraphic::initWithProperties(properties);
    const QVariant contents = properties.value(SKTImageContentsKey);
    if (contents.typeId() == QMetaType::QByteArray) {
        const CardPicture picture =
            CardPicture::fromImage(QImage::fromData(contents.toByteArray(), "PNG"));
        if (!picture.isNull()) {
            _contents = picture;
        }
    } else if (contents.typeId() == QMetaType::QImage && !contents.value<QImage>().isNull()) {
        _contents = CardPicture::fromImage(contents.value<QImage>());
    }
    const QVariant h = properties.value(SKTImageIsFlippedHorizontallyKey);
    if (h.typeId() == QMetaType::Bool || h.typeId() == QMetaType::Int) {
        _isFlippedHorizontally = h.toBool();
    }
    const QVariant v = properties.value(SKTImageIsFlippedVerticallyKey);
    if (v.typeId() == QMetaType::Bool || v.typeId() == QMetaType::Int) {
        _isFlippedVertically = v.toBool();
    }
}

// ---- Drawing ----

SKTImage::Adjustments SKTImage::currentAdjustments() const {
    Adjustments a;
    a.grayScale = gray_Scale;
    a.sepia = Sepia;
    a.invert = invert_clr;
    a.hue = finiteOr(hue_val, 0.0f);
    a.sat = finiteOr(sat_val, 1.0f);
    a.brt = finiteOr(brt_val, 0.0f);
    a.con = finiteOr(con_val, 1.0f);
    a.sharpness = finiteOr(srp_val, 0.0f);
    a.ev = finiteOr(ev_val, 0.0f);
    a.blur = finiteOr(blr_val, 0.0f);
    a.rotation = ImageProcesser::wholeDegrees(rotate_image);
    return a;
}

CardPicture SKTImage::adjustedPicture() const {
    const Adjustments wanted = currentAdjustments();
    std::lock_guard lock(m_adjustedMutex);
    if (m_adjustedValid && m_adjustedFor == wanted && m_adjustedSource.sharesDataWith(_contents)) {
        return m_adjusted;
    }
    m_adjusted = ImageProcesser::Get_Processed_Image(
        _contents, wanted.grayScale, wanted.sepia, wanted.invert, wanted.hue, wanted.sat,
        wanted.brt, wanted.con, wanted.rotation, wanted.sharpness, wanted.ev, wanted.blur,
        img_trnsp_val);
    m_adjustedSource = _contents;
    m_adjustedFor = wanted;
    m_adjustedValid = true;
    return m_adjusted;
}

void SKTImage::drawContentsInView(QPainter& painter, bool) {
    if (!ctrl_is_visible || _file_path.isEmpty()) {
        return;
    }
    const QRectF b = bounds();
    if (isDrawingStroke()) {
        ObjectDrawing::strokeRect(painter, *this, b);
    }
    // A frame grown beyond the kept pixels: read them again now, unless the
    // canvas is still following a resize, which reads them once it rests.
    if (!PictureRefitQueue::isWaiting(*this)) {
        refitPicture(false);
    }
    const CardPicture picture = adjustedPicture();
    if (picture.isNull() || !(b.width() > 0) || !(b.height() > 0)) {
        return;
    }
    const double opacity = std::isfinite(img_trnsp_val)
                               ? std::clamp(static_cast<double>(img_trnsp_val) / 100.0, 0.0, 1.0)
                               : 1.0;
    painter.save();
    // Mirroring inside the bounds; both ways turns the picture by 180
    // degrees. Qt is y-down already, so no turning upright is needed.
    painter.translate(b.x() + (_isFlippedHorizontally ? b.width() : 0.0),
                      b.y() + (_isFlippedVertically ? b.height() : 0.0));
    painter.scale(_isFlippedHorizontally ? -1.0 : 1.0, _isFlippedVertically ? -1.0 : 1.0);
    painter.setOpacity(painter.opacity() * opacity);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // The whole adjusted picture fills the bounds, turned pictures included.
    picture.draw(painter, QRectF(0.0, 0.0, b.width(), b.height()));
    painter.restore();
}
