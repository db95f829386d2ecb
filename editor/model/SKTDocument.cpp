#include "editor/model/SKTDocument.h"

#include "editor/model/SKTLog.h"

#include <QPageSize>
#include <algorithm>

namespace {

// Documents that were given a window controller in this run (only the
// first one gets it).
int g_windowControllerCount = 0;

SKTWindowControllerFactory& windowControllerFactory() {
    static SKTWindowControllerFactory factory;
    return factory;
}

const SKTGraphicList& emptyList() {
    static const SKTGraphicList empty;
    return empty;
}

// Index sets are ascending without repeats.
bool isIndexSet(const QList<int>& indexes) {
    for (qsizetype i = 0; i < indexes.size(); ++i) {
        if (indexes[i] < 0 || (i > 0 && indexes[i] <= indexes[i - 1])) {
            return false;
        }
    }
    return true;
}

} // namespace

SKTDocument::SKTDocument(QObject* parent)
    : QObject(parent), m_undoStack(new QUndoStack(this)),
      m_printInfo(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                  QMarginsF(72.0, 90.0, 72.0, 90.0), QPageLayout::Point) {}

SKTDocument::~SKTDocument() {
    m_destroying = true;
    closeOpenGroups();
    m_undoStack->clear();
    for (const SKTGraphicList* list : {&_graphics, &_graphics_back, &_graphics_temp}) {
        for (const auto& graphic : *list) {
            if (graphic->owningDocument() == this) {
                graphic->setOwningDocument(nullptr);
            }
            if (graphic->scriptingContainer() == this) {
                graphic->setScriptingContainer(nullptr);
            }
        }
    }
}

// ---- Lists ----

const SKTGraphicList& SKTDocument::graphicsForKey(const QString& key) const {
    if (key == SKTDocumentGraphicsKey) {
        return _graphics;
    }
    if (key == SKTDocumentGraphicsKey_back) {
        return _graphics_back;
    }
    if (key == SKTDocumentGraphicsKey_temp) {
        return _graphics_temp;
    }
    return emptyList();
}

SKTGraphicList* SKTDocument::mutableList(const QString& key) {
    if (key == SKTDocumentGraphicsKey) {
        return &_graphics;
    }
    if (key == SKTDocumentGraphicsKey_back) {
        return &_graphics_back;
    }
    if (key == SKTDocumentGraphicsKey_temp) {
        return &_graphics_temp;
    }
    return nullptr;
}

bool SKTDocument::isInAnyList(const SKTGraphic* graphic) const {
    for (const SKTGraphicList* list : {&_graphics, &_graphics_back, &_graphics_temp}) {
        for (const auto& item : *list) {
            if (item.get() == graphic) {
                return true;
            }
        }
    }
    return false;
}

bool SKTDocument::insertIntoList(SKTGraphicList& list, const QString& key,
                                 const SKTGraphicList& graphics, const QList<int>& indexes) {
    bool valid = graphics.size() == indexes.size() && isIndexSet(indexes);
    for (qsizetype i = 0; valid && i < indexes.size(); ++i) {
        valid = indexes[i] <= list.size() + i && graphics[i] != nullptr;
    }
    if (!valid) {
        SKTLogMessage(
            QStringLiteral("Objects not inserted into \"%1\": the indexes do not fit.").arg(key));
        return false;
    }
    for (qsizetype i = 0; i < indexes.size(); ++i) {
        list.insert(indexes[i], graphics[i]);
        graphics[i]->setOwningDocument(this);
    }
    return true;
}

SKTGraphicList SKTDocument::removeFromList(SKTGraphicList& list, const QString& key,
                                           const QList<int>& indexes) {
    SKTGraphicList removed;
    if (!isIndexSet(indexes) || (!indexes.isEmpty() && indexes.last() >= list.size())) {
        SKTLogMessage(
            QStringLiteral("Objects not removed from \"%1\": the indexes do not fit.").arg(key));
        return removed;
    }
    for (int index : indexes) {
        removed.append(list.at(index));
    }
    for (auto it = indexes.crbegin(); it != indexes.crend(); ++it) {
        list.removeAt(*it);
    }
    return removed;
}

bool SKTDocument::insertGraphics(const SKTGraphicList& graphics, const QList<int>& indexes) {
    if (!insertIntoList(_graphics, SKTDocumentGraphicsKey, graphics, indexes)) {
        return false;
    }
    for (const auto& graphic : graphics) {
        graphic->setScriptingContainer(this);
    }
    registerUndoAction([this, indexes] { removeGraphicsAtIndexes(indexes); });
    if (GroupState* state = recordingState()) {
        state->inserted.insert(graphics.cbegin(), graphics.cend());
    }
    emit graphicsInserted(SKTDocumentGraphicsKey, indexes, graphics);
    return true;
}

bool SKTDocument::removeGraphicsAtIndexes(const QList<int>& indexes) {
    const SKTGraphicList removed = removeFromList(_graphics, SKTDocumentGraphicsKey, indexes);
    if (removed.size() != indexes.size()) {
        return false;
    }
    registerUndoAction([this, removed, indexes] { insertGraphics(removed, indexes); });
    for (const auto& graphic : removed) {
        if (graphic->scriptingContainer() == this) {
            graphic->setScriptingContainer(nullptr);
        }
        if (!isInAnyList(graphic.get())) {
            graphic->setOwningDocument(nullptr);
        }
    }
    emit graphicsRemoved(SKTDocumentGraphicsKey, indexes, removed);
    return true;
}

bool SKTDocument::insertGraphic(const std::shared_ptr<SKTGraphic>& graphic, int index) {
    return insertGraphics({graphic}, {index});
}

bool SKTDocument::removeGraphicAtIndex(int index) {
    return removeGraphicsAtIndexes({index});
}

bool SKTDocument::addInGraphics(const std::shared_ptr<SKTGraphic>& graphic) {
    return insertGraphic(graphic, static_cast<int>(_graphics.size()));
}

bool SKTDocument::insertGraphicsInList(const QString& key, const SKTGraphicList& graphics,
                                       const QList<int>& indexes) {
    if (key == SKTDocumentGraphicsKey) {
        return insertGraphics(graphics, indexes);
    }
    SKTGraphicList* list = mutableList(key);
    if (!list || !insertIntoList(*list, key, graphics, indexes)) {
        return false;
    }
    emit graphicsInserted(key, indexes, graphics);
    return true;
}

bool SKTDocument::removeGraphicsInList(const QString& key, const QList<int>& indexes) {
    if (key == SKTDocumentGraphicsKey) {
        return removeGraphicsAtIndexes(indexes);
    }
    SKTGraphicList* list = mutableList(key);
    if (!list) {
        return false;
    }
    const SKTGraphicList removed = removeFromList(*list, key, indexes);
    if (removed.size() != indexes.size()) {
        return false;
    }
    for (const auto& graphic : removed) {
        if (!isInAnyList(graphic.get())) {
            graphic->setOwningDocument(nullptr);
        }
    }
    emit graphicsRemoved(key, indexes, removed);
    return true;
}

// ---- Document ----

QSizeF SKTDocument::canvasSize(int flag, const QSizeF& size_val) {
    return (flag & 1) ? QSizeF(243.0, 154.0) : size_val;
}

void SKTDocument::setPrintInfo(const QPageLayout& printInfo) {
    m_printInfo = printInfo;
    emit canvasSizeChanged();
}

QString SKTDocument::displayName() const {
    return SKTMainWindow::applicationName();
}

bool SKTDocument::readFromData(const QByteArray&, const QString&) {
    return false;
}

void SKTDocument::setWindowControllerFactory(SKTWindowControllerFactory factory) {
    windowControllerFactory() = std::move(factory);
}

void SKTDocument::makeWindowControllers() {
    if (g_windowControllerCount > 0 || m_windowController) {
        return;
    }
    ++g_windowControllerCount;
    if (windowControllerFactory()) {
        m_windowController = windowControllerFactory()(*this);
    }
}

std::optional<int> SKTDocument::objectSpecifierForGraphic(const SKTGraphic* graphic) const {
    for (qsizetype i = 0; i < _graphics.size(); ++i) {
        if (_graphics[i].get() == graphic) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}
