#include "editor/model/SKTImage.h"

#include "editor/model/SKTPictureLoading.h"

#include <QCoreApplication>

std::shared_ptr<SKTGraphic> SKTImage::newOfSameClass() const {
    return std::make_shared<SKTImage>();
}

std::shared_ptr<SKTGraphic> SKTImage::clone() const {
    auto copy = std::static_pointer_cast<SKTImage>(SKTGraphic::clone());
    copy->_contents = _contents;
    return copy;
}

void SKTImage::setFilePath(const QString& path) {
    Set_Control_File_path(path);
    _contents = SKTLoadPictureFile(path);
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
    QRectF b = bounds();
    b.setSize(_contents.size());
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
        result.insert(SKTImageContentsKey, _contents.toImage());
    }
    result.insert(SKTImageIsFlippedHorizontallyKey, _isFlippedHorizontally);
    result.insert(SKTImageIsFlippedVerticallyKey, _isFlippedVertically);
    return result;
}

void SKTImage::initWithProperties(const QVariantMap& properties) {
    SKTGraphic::initWithProperties(properties);
    const QVariant contents = properties.value(SKTImageContentsKey);
    if (contents.typeId() == QMetaType::QImage && !contents.value<QImage>().isNull()) {
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
