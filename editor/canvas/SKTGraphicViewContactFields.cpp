// The canvas side of the contact-field placement: finding a contact-field
// object by its identifier, rewriting it in place, and hiding them all.

#include "core/MessageFunctions.h"
#include "editor/canvas/SKTGraphicView.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTText.h"
#include "editor/model/User_Profile_Class.h"

#include <QFileInfo>
#include <exception>

namespace {

// Text and picture objects only, by exact class: a subclass does not count.
bool isTextOrPicture(const SKTGraphic& graphic) {
    const QString cls = graphic.className();
    return cls == QLatin1String("SKTText") || cls == QLatin1String("SKTImage");
}

} // namespace

std::shared_ptr<SKTGraphic> SKTGraphicView::Selcect_Ctrl_With_ID(const QString& ctrl_ID) const {
    try {
        for (const auto& graphic : graphics()) {
            if (graphic && isTextOrPicture(*graphic) && graphic->control_ID == ctrl_ID) {
                return graphic;
            }
        }
    } catch (const std::exception&) {
        // A list that cannot be walked holds no such object.
    }
    return nullptr;
}

void SKTGraphicView::Hide_all_Text_control_FUP_Control() {
    const QStringList ids = User_Profile_Class::valueIdentifiers();
    const SKTGraphicList list = graphics();
    for (auto it = list.crbegin(); it != list.crend(); ++it) {
        const auto& graphic = *it;
        if (graphic && isTextOrPicture(*graphic) && ids.contains(graphic->control_ID)) {
            graphic->Set_Ctrl_Is_Visible(false);
        }
    }
}

void SKTGraphicView::ReplaceGraphicText(const QString& cls, const QMouseEvent* event, bool use_rect,
                                        const QRectF& rect, const QString& card_side,
                                        const QString& ctrl_value, const QString& ctrl_ID) {
    Q_UNUSED(event);
    std::shared_ptr<SKTGraphic> found = Selcect_Ctrl_With_ID(ctrl_ID);
    if (!found) {
        // A new object is always placed without an event, in the rectangle.
        createGraphicOfClass(cls, nullptr, use_rect, rect, card_side, ctrl_value, ctrl_ID);
        return;
    }
    if (cls == QLatin1String("SKTText")) {
        if (!ctrl_value.isEmpty()) {
            found->Text_Value = ctrl_value;
            found->_isDrawingStroke = false;
            found->_isDrawingFill = false;
            // The whole text is replaced; it keeps the attributes it had.
            SKTStyledText& text = found->Text_contents();
            text.replaceCharacters(0, text.length(), ctrl_value);
            if (auto* textObject = dynamic_cast<SKTText*>(found.get())) {
                textObject->textStorageDidProcessEditing();
            }
            found->Set_Ctrl_Is_Visible(true);
        }
    } else if (cls == QLatin1String("SKTImage")) {
        auto* picture = dynamic_cast<SKTImage*>(found.get());
        if (picture && QFileInfo::exists(ctrl_value)) {
            picture->setFilePath(ctrl_value);
            found->Set_Ctrl_Is_Visible(true);
        } else {
            Show_NSLog_Message(ctrl_value);
        }
    }
    startEditingGraphic(found);
    _Selected_Graphic = found;
    setNeedsDisplayInRect(found->drawingBounds());
}
