#include "editor/model/SKTScriptingColor.h"

#include <cstring>

QColor SKTScriptingRGBColorWithDescriptor(const QByteArray& descriptor) {
    if (descriptor.size() != 6) {
        return QColor();
    }
    quint16 rgb[3];
    std::memcpy(rgb, descriptor.constData(), sizeof rgb);
    return QColor::fromRgbF(rgb[0] / 65535.0f, rgb[1] / 65535.0f, rgb[2] / 65535.0f, 1.0f);
}

QByteArray SKTScriptingRGBColorDescriptor(const QColor& color) {
    const QColor rgbColor = color.toRgb();
    const quint16 rgb[3] = {static_cast<quint16>(rgbColor.redF() * 65535.0),
                            static_cast<quint16>(rgbColor.greenF() * 65535.0),
                            static_cast<quint16>(rgbColor.blueF() * 65535.0)};
    return QByteArray(reinterpret_cast<const char*>(rgb), sizeof rgb);
}
