#include "editor/render/GraphicSnapshot.h"

#include "editor/model/SKTImage.h"
#include "editor/model/SKTLog.h"

#include <typeinfo>

namespace {

std::shared_ptr<SKTGraphic> snapshotOf(const std::shared_ptr<SKTGraphic>& graphic) {
    QString reason;
    std::shared_ptr<SKTGraphic> copy =
        SKTGraphic::graphicWithArchivedData(graphic->archivedData(), &reason);
    if (!copy || typeid(*copy) != typeid(*graphic)) {
        SKTLogMessage(QStringLiteral("Card picture keeps a live object: ") + reason);
        return graphic;
    }
    // Pictures are not all part of the archive (a picture object reloads its
    // file); share the ones in hand.
    copy->_barcode_image = graphic->_barcode_image;
    if (const auto* image = dynamic_cast<const SKTImage*>(graphic.get())) {
        static_cast<SKTImage&>(*copy)._contents = image->_contents;
    }
    return copy;
}

} // namespace

SKTGraphicList snapshotOfGraphics(const SKTGraphicList& graphics) {
    SKTGraphicList copies;
    copies.reserve(graphics.size());
    for (const auto& graphic : graphics) {
        if (graphic) {
            copies.append(snapshotOf(graphic));
        }
    }
    return copies;
}
