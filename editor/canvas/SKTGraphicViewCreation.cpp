// Creation of new objects on the canvas: by dragging with a drawing tool, or
// at once by the tools and the contact-field placement. Everything a
// creation does is one undo step; a creation that ends with no size leaves
// nothing behind, on any side, and no step to undo or redo.

#include "core/StringFunctions.h"
#include "core/globals.h"
#include "editor/canvas/SKTCanvasHost.h"
#include "editor/canvas/SKTGraphicView.h"
#include "editor/model/SKTBarcode.h"
#include "editor/model/SKTDocument.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTLine.h"
#include "editor/model/SKTSignature.h"
#include "editor/model/SKTText.h"
#include "editor/model/SKTUndoRegistrationPause.h"
#include "editor/model/Shape_Control.h"
#include "platform/ArchiveFontName.h"

#include <QFileInfo>
#include <QMouseEvent>

namespace {

// A plain object of a class named by the tools.
std::shared_ptr<SKTGraphic> newGraphicOfClass(const QString& cls) {
    if (cls == QLatin1String("SKTText")) {
        return std::make_shared<SKTText>();
    }
    if (cls == QLatin1String("SKTLine")) {
        return std::make_shared<SKTLine>();
    }
    if (cls == QLatin1String("Shape_Control")) {
        return std::make_shared<Shape_Control>();
    }
    if (cls == QLatin1String("SKTImage")) {
        return std::make_shared<SKTImage>();
    }
    if (cls == QLatin1String("SKTBarcode")) {
        return std::make_shared<SKTBarcode>();
    }
    if (cls == QLatin1String("SKTSignature")) {
        return std::make_shared<SKTSignature>();
    }
    if (cls == QLatin1String("SKTGraphic")) {
        return std::make_shared<SKTGraphic>();
    }
    return nullptr;
}

// The shape letter of the shape tools; empty for the others.
QString shapeLetterOfTool(int tool) {
    switch (tool) {
    case 3:
        return QStringLiteral("R");
    case 4:
        return QStringLiteral("C");
    case 5:
        return QStringLiteral("RR");
    case 6:
        return QStringLiteral("T");
    case 7:
        return QStringLiteral("D");
    case 13:
        return QStringLiteral("S");
    case 14:
        return QStringLiteral("DS");
    case 15:
        return QStringLiteral("P");
    default:
        return QString();
    }
}

// Identifiers of the party fields that are centred.
bool isCentredPartyField(const QString& id) {
    static const QStringList fields = {
        QStringLiteral("PARTY_TITLE"),        QStringLiteral("PARTY_MSG"),
        QStringLiteral("PARTY_DATE"),         QStringLiteral("PARTY_TIME"),
        QStringLiteral("PARTY_FROM"),         QStringLiteral("PARTY_VENUE"),
        QStringLiteral("PARTY_MARRINGE_INFO")};
    return fields.contains(id);
}

} // namespace

std::shared_ptr<SKTGraphic>
SKTGraphicView::makeGraphicForTool(const QString& cls, const QPointF& origin, const QSizeF& size,
                                   const QString& value, const QString& ctrl_ID) const {
    const int tool = SKTCanvasMain::Selected_Control_Tool();
    switch (tool) {
    case 8: {
        auto image = std::make_shared<SKTImage>();
        if (QFileInfo::exists(Library_Selected_Image)) {
            image->initWithPath(origin, Library_Selected_Image, size);
            if (image->contents().isNull()) {
                return nullptr; // told: no object shows a file that gives nothing
            }
        } else {
            image->initWithPosition(origin, SKTCanvasMain::no_image());
        }
        return image;
    }
    case 9: {
        auto image = std::make_shared<SKTImage>();
        image->initWithPath(origin, Library_Selected_Image, size);
        if (image->contents().isNull() && QFileInfo::exists(Library_Selected_Image)) {
            return nullptr; // told
        }
        return image;
    }
    case 10: {
        auto barcode = std::make_shared<SKTBarcode>();
        barcode->initWithPosition(origin, SKTCanvasMain::barcode_sample_img());
        return barcode;
    }
    case 11:
        return [&] {
            auto signature = std::make_shared<SKTSignature>();
            signature->initWithPosition(origin, SKTCanvasMain::sign_sample_img(),
                                        QStringLiteral("S"));
            return signature;
        }();
    case 12:
        return [&] {
            auto signature = std::make_shared<SKTSignature>();
            signature->initWithPosition(origin, SKTCanvasMain::fp_sample_img(),
                                        QStringLiteral("F"));
            return signature;
        }();
    default:
        break;
    }
    auto graphic = newGraphicOfClass(cls);
    if (!graphic) {
        return nullptr;
    }
    if (cls == QLatin1String("SKTText") && !value.isEmpty()) {
        graphic->Text_Value = value;
        graphic->_isDrawingStroke = false;
        graphic->_isDrawingFill = false;
        if (Find_Str(ctrl_ID, QStringLiteral("PARTY_")) && isCentredPartyField(ctrl_ID)) {
            graphic->text_alignmnet = 2;
            if (ctrl_ID == QLatin1String("PARTY_MARRINGE_INFO")) {
                // A PostScript name: resolved to its family and face the same
                // way the archive reader resolves one, so it draws bold italic
                // at once.
                graphic->text_ctrl_font =
                    ArchiveFontName::font(QStringLiteral("TimesNewRomanPS-BoldItalicMT"), 18.0);
            }
        }
    } else {
        const QString letter = shapeLetterOfTool(tool);
        if (!letter.isEmpty()) {
            graphic->Set_Shape_Type(letter);
        }
    }
    return graphic;
}

void SKTGraphicView::createGraphicOfClass(const QString& cls, const QMouseEvent* event,
                                          bool use_rect, const QRectF& rect,
                                          const QString& card_side, const QString& ctrl_value,
                                          const QString& ctrl_ID) {
    if (!m_document) {
        throw std::logic_error("An SKTGraphicView's 'graphics' property is not bound to anything.");
    }
    m_mouseSetsCurrent = true;
    m_document->beginUndoGroup();
    select({});

    QPointF origin;
    QSizeF size(0.0, 0.0);
    if (event) {
        origin = constrainedPoint(cardPoint(event->position()));
    } else {
        if (use_rect) {
            origin = rect.topLeft();
            size = rect.size();
            if (ctrl_ID.isEmpty()) {
                origin = SKTMainWindow::Control_New_Point(card_side);
            }
        } else {
            size = QSizeF(50.0, 50.0);
            origin = SKTMainWindow::Control_New_Point(card_side);
        }
        if (_grid) {
            const QPointF snappedOrigin = constrainedPoint(origin);
            const QPointF snappedCorner =
                constrainedPoint(snappedOrigin + QPointF(size.width(), size.height()));
            origin = snappedOrigin;
            size = QSizeF(snappedCorner.x() - snappedOrigin.x(),
                          snappedCorner.y() - snappedOrigin.y());
        }
    }

    const auto graphic = makeGraphicForTool(cls, origin, size, ctrl_value, ctrl_ID);
    if (!graphic) {
        m_document->endUndoGroup();
        m_mouseSetsCurrent = false;
        return;
    }
    _creatingGraphic = graphic;
    graphic->control_ID = ctrl_ID;
    graphic->setBounds(QRectF(origin, size));
    mutableGraphics().insert(graphic, 0);

    if (event) {
        resizeGraphic(graphic, graphic->creationSizingHandle(), origin);
        if (isTracking()) {
            m_track.creating = true;
            setMouseTracking(true);
            return; // finished at the release
        }
    }
    finishCreation();
    m_mouseSetsCurrent = false;
}

void SKTGraphicView::finishCreation() {
    const std::shared_ptr<SKTGraphic> graphic = std::move(_creatingGraphic);
    _creatingGraphic.reset();
    if (!graphic || !m_document) {
        return;
    }
    const QRectF bounds = graphic->bounds();
    if (bounds.width() == 0.0 && bounds.height() == 0.0) {
        // Nothing was drawn: the group is undone with no redo left, and the
        // object is taken out of lists that do not record undo as well.
        m_document->discardUndoGroup();
        m_document->endUndoGroup();
        const int index = indexOfGraphic(graphic.get());
        if (index >= 0) {
            SKTUndoRegistrationPause pause(*m_document);
            mutableGraphics().removeAt(index);
        }
        _Selected_Graphic.reset();
    } else {
        select({0});
        startEditingGraphic(graphic);
        m_document->endUndoGroup();
        _Selected_Graphic = graphic;
    }
    setNeedsDisplayInRect(graphic->drawingBounds());
}
