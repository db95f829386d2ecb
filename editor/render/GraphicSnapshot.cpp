#include "editor/render/GraphicSnapshot.h"

#include "editor/model/SKTImage.h"
#include "editor/model/SKTLog.h"

#include <typeinfo>

namespace {

// A class that brings no copy of its own (an object class of a test or a
// plug-in) goes through its archive; its pictures are shared afterwards.
std::shared_ptr<SKTGraphic> archivedCopyOf(const std::shared_ptr<SKTGraphic>& graphic) {
    QString reason;
    std::shared_ptr<SKTGraphic> copy =
        SKTGraphic::graphicWithArchivedData(graphic->archivedData(), &reason);
    if (!copy || typeid(*copy) != typeid(*graphic)) {
        SKTLogMessage(QStringLiteral("Card picture keeps a live object: ") + reason);
        return graphic;
    }
    copy->_barcode_image = graphic->_barcode_image;
    if (const auto* image = dynamic_cast<const SKTImage*>(graphic.get())) {
        static_cast<SKTImage&>(*copy)._contents = image->_contents;
    }
    return copy;
}

std::shared_ptr<SKTGraphic> snapshotOf(const std::shared_ptr<SKTGraphic>& graphic) {
    // A field-by-field copy: pictures are shared handles, never encoded, so
    // the copy takes the same time whatever the size of the pictures.
    std::shared_ptr<SKTGraphic> copy = graphic->snapshot();
    if (copy && typeid(*copy) == typeid(*graphic)) {
        return copy;
    }
    return archivedCopyOf(graphic);
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
