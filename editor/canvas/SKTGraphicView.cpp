// The canvas: construction, bindings, list and selection access, and the
// redrawing that follows the document's change notifications.

#include "editor/canvas/SKTGraphicView.h"

#include "editor/canvas/SKTCanvasHost.h"
#include "editor/canvas/SKTSelectionHolder.h"
#include "editor/model/SKTDocument.h"

#include <QThread>
#include <QTimer>
#include <stdexcept>

#include "core/globals.h"

namespace {

bool isListBindingName(const QString& name) {
    return name == SKTGraphicViewGraphicsBindingName ||
           name == SKTGraphicViewGraphicsBindingName_back ||
           name == SKTGraphicViewGraphicsBindingName_temp;
}

const QString kDocumentPrefix = QStringLiteral("document.");

} // namespace

SKTGraphicView::SKTGraphicView(QWidget* parent) : SKTZoomableCanvas(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
    _handleShowingTimer = new QTimer(this);
    _handleShowingTimer->setSingleShot(true);
    _handleShowingTimer->setTimerType(Qt::PreciseTimer);
    _handleShowingTimer->setInterval(500);
    connect(_handleShowingTimer, &QTimer::timeout, this, &SKTGraphicView::unhideHandlesForTimer);
}

SKTGraphicView::~SKTGraphicView() {
    // A gesture cut short leaves no undo group open in the document.
    if (m_track.undoGroupOpen) {
        endGroup();
    }
    if (m_track.creating) {
        endGroup();
    }
    _handleShowingTimer->stop();
    stopEditing();
    setGrid(nullptr);
    unbindGraphics();
    unbind(SKTGraphicViewSelectionIndexesBindingName);
}

// ---- Bindings ----

void SKTGraphicView::bind(const QString& binding, QObject* container, const QString& keyPath,
                          const QVariantMap& options) {
    if (isListBindingName(binding)) {
        bindGraphics(binding, container, keyPath, options);
        return;
    }
    if (binding == SKTGraphicViewSelectionIndexesBindingName) {
        if (!options.isEmpty()) {
            throw std::logic_error(
                "SKTGraphicView doesn't support any options for the 'selectionIndexes' binding.");
        }
        unbind(SKTGraphicViewSelectionIndexesBindingName);
        m_selectionHolder = qobject_cast<SKTSelectionHolder*>(container);
        _selectionIndexesKeyPath = keyPath;
        if (m_selectionHolder) {
            m_selectionConnection =
                connect(m_selectionHolder, &SKTSelectionHolder::selectionIndexesChanged, this,
                        &SKTGraphicView::selectionChanged);
        }
        update();
        return;
    }
    // Other names: the grid is the only one the main window binds.
    if (binding == SKTGraphicViewGridBindingName) {
        bindGrid(container);
    }
}

void SKTGraphicView::bindGraphics(const QString& name, QObject* container, const QString& keyPath,
                                  const QVariantMap& options) {
    Q_UNUSED(name);
    if (!options.isEmpty()) {
        throw std::logic_error(
            "SKTGraphicView doesn't support any options for the 'graphics' binding.");
    }
    if (m_document || !_graphicsKeyPath.isEmpty()) {
        unbindGraphics();
    }
    m_document = qobject_cast<SKTDocument*>(container);
    _graphicsKeyPath = keyPath;
    m_listKey = keyPath.startsWith(kDocumentPrefix) ? keyPath.mid(kDocumentPrefix.size()) : keyPath;
    m_listObserved = keyPath == kDocumentPrefix + SKTGraphicViewGraphicsBindingName ||
                     keyPath == kDocumentPrefix + SKTGraphicViewGraphicsBindingName_back ||
                     keyPath == kDocumentPrefix + SKTGraphicViewGraphicsBindingName_temp;
    if (m_document && m_listObserved) {
        m_listConnections.append(connect(m_document, &SKTDocument::graphicsInserted, this,
                                         &SKTGraphicView::graphicsInserted));
        m_listConnections.append(connect(m_document, &SKTDocument::graphicsRemoved, this,
                                         &SKTGraphicView::graphicsRemoved));
        m_listConnections.append(connect(m_document, &SKTDocument::graphicChanged, this,
                                         &SKTGraphicView::graphicChanged));
    }
    update();
    if (isVisible()) {
        showCardInspectorIfEmpty();
    }
}

void SKTGraphicView::unbindGraphics() {
    for (const auto& connection : m_listConnections) {
        disconnect(connection);
    }
    m_listConnections.clear();
    m_document = nullptr;
    _graphicsKeyPath.clear();
    m_listKey.clear();
    m_listObserved = false;
    _Selected_Graphic.reset();
    update();
}

void SKTGraphicView::unbind(const QString& binding) {
    if (isListBindingName(binding)) {
        unbindGraphics();
    } else if (binding == SKTGraphicViewSelectionIndexesBindingName) {
        disconnect(m_selectionConnection);
        m_selectionHolder = nullptr;
        _selectionIndexesKeyPath.clear();
        update();
    } else if (binding == SKTGraphicViewGridBindingName) {
        setGrid(nullptr);
    }
}

// ---- List and selection ----

SKTGraphicList SKTGraphicView::graphics() const {
    if (!m_document) {
        return {};
    }
    return m_document->graphicsForKey(m_listKey);
}

SKTMutableGraphics SKTGraphicView::mutableGraphics() const {
    if (!m_document) {
        throw std::logic_error("An SKTGraphicView's 'graphics' property is not bound to anything.");
    }
    return SKTMutableGraphics(*m_document, m_listKey);
}

QList<int> SKTGraphicView::selectionIndexes() const {
    if (!m_selectionHolder) {
        return {};
    }
    return m_selectionHolder->selectionIndexes();
}

void SKTGraphicView::changeSelectionIndexes(const QList<int>& indexes) {
    if (!m_selectionHolder) {
        throw std::logic_error(
            "An SKTGraphicView's 'selectionIndexes' property is not bound to anything.");
    }
    m_selectionHolder->setSelectionIndexes(indexes);
    SKTCanvasMain::setSameSizeButtonsEnabled(m_selectionHolder->selectionIndexes().size() >= 2);
}

SKTGraphicList SKTGraphicView::selectedGraphics() const {
    const SKTGraphicList list = graphics();
    SKTGraphicList result;
    for (int index : selectionIndexes()) {
        if (index >= 0 && index < list.size()) {
            result.append(list.at(index));
        }
    }
    return result;
}

std::shared_ptr<SKTGraphic> SKTGraphicView::selectedGraphic() const {
    std::shared_ptr<SKTGraphic> graphic = _Selected_Graphic.lock();
    if (graphic && indexOfGraphic(graphic.get()) < 0 && graphic != _creatingGraphic) {
        return nullptr;
    }
    return graphic;
}

void SKTGraphicView::setSelectedGraphic(const std::shared_ptr<SKTGraphic>& graphic) {
    _Selected_Graphic = graphic;
}

int SKTGraphicView::indexOfGraphic(const SKTGraphic* graphic) const {
    if (!m_document) {
        return -1;
    }
    const SKTGraphicList& list = m_document->graphicsForKey(m_listKey);
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i).get() == graphic) {
            return i;
        }
    }
    return -1;
}

// ---- Geometry and redraw requests ----

void SKTGraphicView::setNeedsDisplayInRect(const QRectF& rect) {
    if (rect.isEmpty()) {
        return;
    }
    update(widgetRect(rect).toAlignedRect().adjusted(-1, -1, 1, 1));
}

void SKTGraphicView::Refresh_Canvas() {
    if (Card_Value_In_Process.load() != 0) {
        return;
    }
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(
            this, [this] { Refresh_Canvas(); }, Qt::QueuedConnection);
        return;
    }
    if (m_painting) {
        return;
    }
    update();
}

// ---- Change notification ----

void SKTGraphicView::graphicsInserted(const QString& key, const QList<int>& indexes,
                                      const SKTGraphicList& inserted) {
    if (key != m_listKey) {
        return;
    }
    for (const auto& graphic : inserted) {
        setNeedsDisplayInRect(graphic->drawingBounds());
    }
    if (_undoSelectionIndexes) {
        _undoSelectionIndexes->append(indexes);
    }
}

void SKTGraphicView::graphicsRemoved(const QString& key, const QList<int>& indexes,
                                     const SKTGraphicList& removed) {
    Q_UNUSED(indexes);
    if (key != m_listKey) {
        return;
    }
    const std::shared_ptr<SKTGraphic> current = _Selected_Graphic.lock();
    for (const auto& graphic : removed) {
        setNeedsDisplayInRect(graphic->drawingBounds());
        if (graphic == _editingGraphic) {
            stopEditing();
        }
        // The current object never outlives its place in the list.
        if (graphic == current && indexOfGraphic(graphic.get()) < 0) {
            _Selected_Graphic.reset();
        }
        if (graphic == m_track.graphic) {
            m_track.graphic.reset();
        }
    }
    if (isVisible()) {
        showCardInspectorIfEmpty();
    }
}

void SKTGraphicView::graphicChanged(SKTGraphic* graphic, const QRectF& oldBounds,
                                    const QRectF& newBounds) {
    const int index = indexOfGraphic(graphic);
    if (index < 0) {
        return;
    }
    setNeedsDisplayInRect(oldBounds);
    setNeedsDisplayInRect(newBounds);
    if (_undoSelectionIndexes) {
        _undoSelectionIndexes->append(index);
    }
}

void SKTGraphicView::selectionChanged(const QList<int>& oldIndexes, const QList<int>& newIndexes,
                                      bool byListChange) {
    const SKTGraphicList list = graphics();
    if (!byListChange) {
        // Only the objects whose selected state changed are redrawn.
        for (int index : oldIndexes) {
            if (!newIndexes.contains(index) && index < list.size()) {
                setNeedsDisplayInRect(list.at(index)->drawingBounds());
            }
        }
        for (int index : newIndexes) {
            if (!oldIndexes.contains(index) && index < list.size()) {
                setNeedsDisplayInRect(list.at(index)->drawingBounds());
            }
        }
        // Outside the mouse and creation, the current object follows the
        // selection: its front-most object, or none.
        if (!m_mouseSetsCurrent) {
            _Selected_Graphic.reset();
            if (!newIndexes.isEmpty() && newIndexes.first() < list.size()) {
                _Selected_Graphic = list.at(newIndexes.first());
            }
        }
    }
}

void SKTGraphicView::gridChanged() {
    update();
}

void SKTGraphicView::showCardInspectorIfEmpty() {
    if (m_document && graphics().isEmpty()) {
        SKTCanvasMain::Show_RHS_Properties(nullptr);
    }
}

void SKTGraphicView::showEvent(QShowEvent* event) {
    SKTZoomableCanvas::showEvent(event);
    showCardInspectorIfEmpty();
}

// ---- Undo ----

void SKTGraphicView::undo() {
    if (!m_document) {
        return;
    }
    _undoSelectionIndexes = QList<int>();
    m_document->undo();
    if (!_undoSelectionIndexes->isEmpty() && m_selectionHolder) {
        changeSelectionIndexes(*_undoSelectionIndexes);
    }
    _undoSelectionIndexes.reset();
    SKTCanvasMain::Undo_Redo_Button_state();
}

void SKTGraphicView::redo() {
    if (!m_document) {
        return;
    }
    _undoSelectionIndexes = QList<int>();
    m_document->redo();
    if (!_undoSelectionIndexes->isEmpty() && m_selectionHolder) {
        changeSelectionIndexes(*_undoSelectionIndexes);
    }
    _undoSelectionIndexes.reset();
    SKTCanvasMain::Undo_Redo_Button_state();
}

// ---- Editing in place ----

void SKTGraphicView::startEditingGraphic(const std::shared_ptr<SKTGraphic>& graphic) {
    if (_editingGraphic) {
        throw std::logic_error("-[SKTGraphicView startEditingGraphic:] is being mis-invoked.");
    }
    // No object kind answers an editing view, so nothing is installed.
    Q_UNUSED(graphic);
}

void SKTGraphicView::stopEditing() {
    _editingGraphic.reset();
}
