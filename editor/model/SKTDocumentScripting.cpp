// The document's object lists as scripts see them: per-class lists of the
// front objects, and insertion and removal through them.

#include "editor/model/SKTDocument.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTLine.h"
#include "editor/model/SKTText.h"
#include "editor/model/Shape_Control.h"

#include <QCoreApplication>

namespace {

// The noun of a class list in its refusal text, or none for an unknown key.
const char* nounOfClassKey(const QString& key) {
    if (key == QLatin1String("rectangles") || key == QLatin1String("rectangles_round")) {
        return "Could not find the given rectangle in the graphics.";
    }
    if (key == QLatin1String("circles")) {
        return "Could not find the given circle in the graphics.";
    }
    if (key == QLatin1String("lines")) {
        return "Could not find the given line in the graphics.";
    }
    if (key == QLatin1String("textAreas")) {
        return "Could not find the given text area in the graphics.";
    }
    if (key == QLatin1String("images")) {
        return "Could not find the given image in the graphics.";
    }
    return nullptr;
}

bool notFound(SKTScriptError* error, const char* text) {
    if (error) {
        error->number = -10000;
        error->text = QCoreApplication::translate("SKTDocument", text);
    }
    return false;
}

} // namespace

SKTGraphicList SKTDocument::graphicsWithClassKey(const QString& key) const {
    if (key == QLatin1String("rectangles") || key == QLatin1String("circles") ||
        key == QLatin1String("rectangles_round")) {
        return graphicsWithClass<Shape_Control>();
    }
    if (key == QLatin1String("lines")) {
        return graphicsWithClass<SKTLine>();
    }
    if (key == QLatin1String("textAreas")) {
        return graphicsWithClass<SKTText>();
    }
    if (key == QLatin1String("images")) {
        return graphicsWithClass<SKTImage>();
    }
    return SKTGraphicList();
}

bool SKTDocument::insertObject(const std::shared_ptr<SKTGraphic>& graphic, const QString& classKey,
                               int index, SKTScriptError* error) {
    const char* refusal = nounOfClassKey(classKey);
    if (!refusal || !graphic) {
        return notFound(error, refusal ? refusal : "Could not find the given graphic.");
    }
    const SKTGraphicList classList = graphicsWithClassKey(classKey);
    if (index == classList.size()) {
        return addInGraphics(graphic);
    }
    if (index < 0 || index > classList.size()) {
        return notFound(error, refusal);
    }
    const auto position = objectSpecifierForGraphic(classList.at(index).get());
    if (!position) {
        return notFound(error, refusal);
    }
    return insertGraphic(graphic, *position);
}

bool SKTDocument::removeObjectFrom(const QString& classKey, int index, SKTScriptError* error) {
    const char* refusal = nounOfClassKey(classKey);
    if (!refusal) {
        return notFound(error, "Could not find the given graphic.");
    }
    const SKTGraphicList classList = graphicsWithClassKey(classKey);
    if (index < 0 || index >= classList.size()) {
        return notFound(error, refusal);
    }
    const auto position = objectSpecifierForGraphic(classList.at(index).get());
    if (!position) {
        return notFound(error, refusal);
    }
    return removeGraphicAtIndex(*position);
}
