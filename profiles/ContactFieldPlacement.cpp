#include "profiles/ContactFieldPlacement.h"

#include "core/MessageFunctions.h"
#include "core/globals.h"
#include "editor/canvas/SKTGraphicView.h"
#include "editor/model/ContactFieldState.h"
#include "editor/model/User_Profile_Class.h"
#include "widgets/MainWindowServices.h"

#include <QComboBox>
#include <exception>

namespace contact_fields {

namespace {

constexpr int kTextTool = 2;
constexpr int kPictureFileTool = 8;

QString sideCode(int side) {
    switch (side) {
    case 0:
        return QStringLiteral("F");
    case 1:
        return QStringLiteral("B");
    default:
        return QStringLiteral("T");
    }
}

// Typed value, data series or spreadsheet column. What the object holds of
// another kind of binding (series name and index, column index) stays.
void copyBinding(const User_Profile_Class::Field& field, SKTGraphic& graphic) {
    if (field.seriesBound) {
        graphic.Set_Data_source_type(1);
        graphic.Set_Batch_List_Name(field.seriesName);
        graphic.Set_Batch_List_Index(field.seriesIndex);
        graphic.Set_Excel_binding(false);
    } else if (field.columnBound) {
        graphic.Set_Data_source_type(2);
        graphic.Set_Excel_binding(true);
        graphic.Set_Excel_binding_Index(field.columnIndex);
    } else {
        graphic.Set_Data_source_type(0);
        graphic.Set_Excel_binding(false);
    }
}

} // namespace

QRectF Get_Control_Rect_From_Template(const QString& controlID) {
    MainWindowServices* services = MainWindowServices::current();
    const QSizeF card = services ? services->frontCardSize() : QSizeF();
    Show_NSLog_Message(QStringLiteral("{%1, %2}").arg(card.width()).arg(card.height()));
    const bool portrait = card.width() < card.height();
    if (!Show_User_Profile_Window) {
        return {};
    }
    // Card coordinates are y-down like the placeholder boxes, so the frame
    // is used as it stands.
    return Show_User_Profile_Window->templateFrame(controlID, portrait);
}

void Fill_User_profile_info(int side) {
    MainWindowServices* services = MainWindowServices::current();
    if (!services) {
        return;
    }
    if (side != 2) {
        if (QComboBox* combo = services->dataSourceTypeCombo()) {
            if (Excel_Binding_Use == 1) {
                services->Add_Excel_Col_Name_In_Combo(*combo);
            } else {
                services->Remove_Excel_Col_Name_In_Combo(*combo);
            }
        }
        if (Fill_User_Profile == 0) {
            return;
        }
    }
    User_Profile_Class* record = services->userProfile(side);
    SKTGraphicView* view = services->graphicViewOfSide(side);
    if (!record || !view) {
        return;
    }
    try {
        view->Hide_all_Text_control_FUP_Control();
        services->Select_Drawing_Tool(kTextTool);
        for (int i = 0; i < User_Profile_Class::kFieldCount; ++i) {
            const User_Profile_Class::Field& field = record->fields[static_cast<std::size_t>(i)];
            if (field.value.isEmpty()) {
                continue;
            }
            const QString& id = field.valueObjectID;
            const bool found = view->Selcect_Ctrl_With_ID(id) != nullptr;
            const QRectF rect = found ? QRectF() : Get_Control_Rect_From_Template(id);
            const bool photo = i == User_Profile_Class::kPhotoField;
            if (photo) {
                services->Select_Drawing_Tool(kPictureFileTool);
                Library_Selected_Image = field.value;
            }
            // A creation that makes nothing must not leave the previous
            // field's object as the current one.
            view->setSelectedGraphic(nullptr);
            view->ReplaceGraphicText(photo ? QStringLiteral("SKTImage") : QStringLiteral("SKTText"),
                                     nullptr, !found, rect, sideCode(side), field.value, id);
            if (const std::shared_ptr<SKTGraphic> graphic = view->selectedGraphic()) {
                copyBinding(field, *graphic);
            }
        }
    } catch (const std::exception& error) {
        Show_NSLog_Message(QString::fromLocal8Bit(error.what()));
    }
}

void Fill_User_profile_Details() {
    Fill_User_profile_info(0);
    Fill_User_profile_info(1);
}

} // namespace contact_fields
