#include "editor/render/CardRenderInputs.h"

#include "core/globals.h"

#include <mutex>

namespace CardRenderInputs {
namespace {

struct Store {
    std::mutex mutex;
    QSizeF canvasSize;
    Card_Property front;
    Card_Property back;
};

Store& store() {
    static Store instance;
    return instance;
}

} // namespace

void setFrontCanvasSize(const QSizeF& size) {
    Store& s = store();
    const std::lock_guard lock(s.mutex);
    s.canvasSize = size;
}

QSizeF frontCanvasSize() {
    Store& s = store();
    const std::lock_guard lock(s.mutex);
    return s.canvasSize;
}

QRectF frontCanvasBounds() {
    const QSizeF size = frontCanvasSize();
    if (!size.isValid()) {
        return {};
    }
    return {QPointF(0, 0), size};
}

void setPageRecord(int side, const Card_Property& record) {
    Store& s = store();
    const std::lock_guard lock(s.mutex);
    (side == 0 ? s.front : s.back) = record;
}

Card_Property pageRecord(int side) {
    Store& s = store();
    const std::lock_guard lock(s.mutex);
    return side == 0 ? s.front : s.back;
}

} // namespace CardRenderInputs

CardBackgroundInputs CardBackgroundInputs::current() {
    CardBackgroundInputs inputs;
    inputs.page = CardRenderInputs::pageRecord(Card_Front_Or_Back.load());
    inputs.cardShape = Card_Shape.load();
    inputs.cardSize = CardRenderInputs::frontCanvasSize();
    inputs.resourcePath = Resource_Path;
    return inputs;
}
