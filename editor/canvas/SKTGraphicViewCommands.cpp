// The edit and arrange commands of the canvas and their menu validation.
// Each command is one undo step.

#include "core/MessageFunctions.h"
#include "editor/canvas/SKTCanvasHost.h"
#include "editor/canvas/SKTGraphicView.h"
#include "editor/canvas/SKTSelectionHolder.h"
#include "editor/model/SKTDocument.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTText.h"
#include "editor/view/SKTZoomingScrollView.h"

#include <QCoreApplication>
#include <QScrollArea>
#include <typeinfo>

namespace {

const QString kLockedMessage = QStringLiteral("Selected control is locked.");

enum AlignKind { AlignLeft, AlignRight, AlignTop, AlignBottom, AlignHCenter, AlignVCenter };

QList<int> rangeOfIndexes(int from, int count) {
    QList<int> indexes;
    for (int i = 0; i < count; ++i) {
        indexes.append(from + i);
    }
    return indexes;
}

} // namespace

bool SKTGraphicView::There_Is_Any_Lock_Contrl() const {
    for (const auto& graphic : selectedGraphics()) {
        if (graphic->ctrl_is_locked) {
            return true;
        }
    }
    return false;
}

bool SKTGraphicView::refuseWhenLocked() const {
    if (There_Is_Any_Lock_Contrl()) {
        Show_MessageBox(kLockedMessage);
        return true;
    }
    return false;
}

void SKTGraphicView::deleteSelection() {
    if (refuseWhenLocked() || !m_document) {
        return;
    }
    beginGroup();
    mutableGraphics().removeAtIndexes(selectionIndexes());
    endGroup();
    SKTCanvasMain::Undo_Redo_Button_state();
    SKTCanvasMain::Show_RHS_Properties(nullptr);
}

void SKTGraphicView::bringToFront() {
    moveSelectionToEnd(true);
}

void SKTGraphicView::sendToBack() {
    moveSelectionToEnd(false);
}

// Moves the selected objects, in their order, to the front of the list
// (index 0) or to its back, in one undo group, and keeps them selected.
void SKTGraphicView::moveSelectionToEnd(bool front) {
    if (refuseWhenLocked() || !m_document) {
        return;
    }
    const QList<int> indexes = selectionIndexes();
    if (!indexes.isEmpty()) {
        const SKTGraphicList moving = selectedGraphics();
        beginGroup();
        SKTMutableGraphics list = mutableGraphics();
        list.removeAtIndexes(indexes);
        const QList<int> target =
            rangeOfIndexes(front ? 0 : list.count(), static_cast<int>(moving.size()));
        list.insert(moving, target);
        endGroup();
        select(target);
    }
    SKTCanvasMain::Undo_Redo_Button_state();
}

void SKTGraphicView::alignSelection(int kind) {
    const SKTGraphicList selected = selectedGraphics();
    if (selected.isEmpty()) {
        return;
    }
    const double W = bounds().width();
    const double H = bounds().height();
    beginGroup();
    if (selected.size() == 1) {
        const auto& graphic = selected.first();
        if (graphic->ctrl_is_locked) {
            endGroup();
            return;
        }
        QRectF b = graphic->bounds();
        switch (kind) {
        case AlignLeft:
            b.moveLeft(0.0);
            break;
        case AlignRight:
            b.moveLeft(W - b.width());
            break;
        case AlignTop:
            b.moveTop(0.0);
            break;
        case AlignBottom:
            b.moveTop(H - b.height());
            break;
        case AlignHCenter:
            b.moveLeft(W / 2.0 - b.width() / 2.0);
            break;
        case AlignVCenter:
            b.moveTop(H / 2.0 - b.height() / 2.0);
            break;
        default:
            break;
        }
        graphic->setBounds(b);
    } else {
        const QRectF first = selected.first()->bounds();
        for (int i = 1; i < selected.size(); ++i) {
            const auto& graphic = selected.at(i);
            if (graphic->ctrl_is_locked) {
                continue;
            }
            QRectF b = graphic->bounds();
            double current = 0.0;
            double target = 0.0;
            const bool horizontal = kind == AlignLeft || kind == AlignRight || kind == AlignHCenter;
            switch (kind) {
            case AlignLeft:
                target = first.left();
                break;
            case AlignRight:
                target = first.left() + first.width() - b.width();
                break;
            case AlignTop:
                target = first.top();
                break;
            case AlignBottom:
                target = first.top() + first.height() - b.height();
                break;
            case AlignHCenter:
                target = first.left() + first.width() / 2.0 - b.width() / 2.0;
                break;
            case AlignVCenter:
                target = first.top() + first.height() / 2.0 - b.height() / 2.0;
                break;
            default:
                break;
            }
            current = horizontal ? b.left() : b.top();
            if (current == target) {
                continue;
            }
            if (horizontal) {
                b.moveLeft(target);
            } else {
                b.moveTop(target);
            }
            graphic->setBounds(b);
        }
    }
    endGroup();
    SKTCanvasMain::Undo_Redo_Button_state();
}

void SKTGraphicView::alignLeftEdges() {
    alignSelection(AlignLeft);
}
void SKTGraphicView::alignRightEdges() {
    alignSelection(AlignRight);
}
void SKTGraphicView::alignTopEdges() {
    alignSelection(AlignTop);
}
void SKTGraphicView::alignBottomEdges() {
    alignSelection(AlignBottom);
}
void SKTGraphicView::alignHorizontalCenters() {
    alignSelection(AlignHCenter);
}
void SKTGraphicView::alignVerticalCenters() {
    alignSelection(AlignVCenter);
}

void SKTGraphicView::alignformCenter() {
    const SKTGraphicList selected = selectedGraphics();
    if (selected.isEmpty()) {
        return;
    }
    const double W = bounds().width();
    const double H = bounds().height();
    beginGroup();
    for (const auto& graphic : selected) {
        if (graphic->ctrl_is_locked) {
            continue;
        }
        QRectF b = graphic->bounds();
        b.moveTopLeft(QPointF(W / 2.0 - b.width() / 2.0, H / 2.0 - b.height() / 2.0));
        graphic->setBounds(b);
    }
    endGroup();
    if (selected.size() > 1 || !selected.first()->ctrl_is_locked) {
        SKTCanvasMain::Undo_Redo_Button_state();
    }
}

void SKTGraphicView::alignWithGrid() {
    // An unusable grid (no spacing) cannot place anything.
    if (!gridCanAlign()) {
        return;
    }
    beginGroup();
    for (const auto& graphic : selectedGraphics()) {
        if (!graphic->ctrl_is_locked) {
            graphic->setBounds(gridAlignedRect(graphic->bounds()));
        }
    }
    endGroup();
    SKTCanvasMain::Undo_Redo_Button_state();
}

void SKTGraphicView::makeSameWidth() {
    matchSizeOfFirstSelected(Qt::Horizontal);
}

void SKTGraphicView::makeSameHeight() {
    matchSizeOfFirstSelected(Qt::Vertical);
}

// Gives every unlocked selected object after the front-most one the
// front-most one's width or height, in one undo group.
void SKTGraphicView::matchSizeOfFirstSelected(Qt::Orientation dimension) {
    const SKTGraphicList selected = selectedGraphics();
    if (selected.size() >= 2) {
        const QSizeF size = selected.first()->bounds().size();
        beginGroup();
        for (int i = 1; i < selected.size(); ++i) {
            const auto& graphic = selected.at(i);
            QRectF b = graphic->bounds();
            if (dimension == Qt::Horizontal) {
                b.setWidth(size.width());
            } else {
                b.setHeight(size.height());
            }
            if (!graphic->ctrl_is_locked && b != graphic->bounds()) {
                graphic->setBounds(b);
            }
        }
        endGroup();
    }
    SKTCanvasMain::Undo_Redo_Button_state();
}

void SKTGraphicView::makeNaturalSize() {
    beginGroup();
    for (const auto& graphic : selectedGraphics()) {
        graphic->makeNaturalSize();
    }
    endGroup();
    SKTCanvasMain::Undo_Redo_Button_state();
}

void SKTGraphicView::print_contol_or_not(int flag) {
    for (const auto& graphic : selectedGraphics()) {
        if (!graphic->ctrl_is_locked) {
            graphic->print_object = flag;
            setNeedsDisplayInRect(graphic->drawingBounds());
        }
    }
}

void SKTGraphicView::selectAll() {
    select(rangeOfIndexes(0, static_cast<int>(graphics().size())));
}

void SKTGraphicView::deselectAll() {
    select({});
}

void SKTGraphicView::delete_all_control() {
    if (!m_document) {
        return;
    }
    beginGroup();
    mutableGraphics().removeAll();
    endGroup();
}

void SKTGraphicView::delete_all_Text_control() {
    if (!m_document) {
        return;
    }
    beginGroup();
    SKTMutableGraphics list = mutableGraphics();
    for (int i = list.count() - 1; i >= 0; --i) {
        const SKTGraphic& graphic = *list.at(i);
        if (typeid(graphic) == typeid(SKTText) || typeid(graphic) == typeid(SKTImage)) {
            list.removeAt(i);
        }
    }
    endGroup();
}

void SKTGraphicView::Refresh_ScrollView() {
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) {
            area->viewport()->update();
            break;
        }
    }
    update();
}

void SKTGraphicView::showOrHideRulers() {
    if (SKTZoomingScrollView* scrollView = enclosingScrollView()) {
        scrollView->setRulersVisible(!scrollView->rulersVisible());
    }
}

bool SKTGraphicView::validateMenuItem(const QString& action, QString* title) const {
    const QList<int> selection = selectionIndexes();
    if (action == QLatin1String("makeNaturalSize:")) {
        for (const auto& graphic : selectedGraphics()) {
            if (graphic->canMakeNaturalSize()) {
                return true;
            }
        }
        return false;
    }
    static const QStringList needsSelection = {
        QStringLiteral("delete:"), QStringLiteral("cut:"), QStringLiteral("copy:"),
        QStringLiteral("bringToFront:"), QStringLiteral("sendToBack:")};
    if (needsSelection.contains(action)) {
        return !selection.isEmpty();
    }
    if (action == QLatin1String("alignWithGrid:")) {
        return gridCanAlign() && !selection.isEmpty();
    }
    static const QStringList needsTwo = {
        QStringLiteral("alignLeftEdges:"),         QStringLiteral("alignRightEdges:"),
        QStringLiteral("alignTopEdges:"),          QStringLiteral("alignBottomEdges:"),
        QStringLiteral("alignHorizontalCenters:"), QStringLiteral("alignVerticalCenters:"),
        QStringLiteral("makeSameWidth:"),          QStringLiteral("makeSameHeight:")};
    if (needsTwo.contains(action)) {
        return selection.size() >= 2;
    }
    if (action == QLatin1String("undo:")) {
        return m_document && m_document->canUndo();
    }
    if (action == QLatin1String("redo:")) {
        return m_document && m_document->canRedo();
    }
    if (action == QLatin1String("showOrHideRulers:")) {
        if (title) {
            *title = rulersShown() ? QCoreApplication::translate("SKTGraphicView", "Hide Ruler")
                                   : QCoreApplication::translate("SKTGraphicView", "Show Ruler");
        }
        return true;
    }
    return true;
}
