// What the contact-field dialogs and their placement need of the main
// window: the three contact-field records, the canvases of the sides, the
// drawing tool and the inspector's data-source combo.

#include "editor/canvas/SKTGraphicView.h"
#include "mainwindow/controller/SKTWindowController.h"
#include "ui_DataSourcePage.h"

#include <QComboBox>

User_Profile_Class* SKTWindowController::userProfile(int side) {
    switch (side) {
    case 0:
        return &Front_user_profile;
    case 1:
        return &Back_user_profile;
    case 2:
        return &TEMP_user_profile;
    default:
        return nullptr;
    }
}

SKTGraphicView* SKTWindowController::graphicViewOfSide(int side) const {
    return qobject_cast<SKTGraphicView*>(canvasOfSide(side));
}

QComboBox* SKTWindowController::dataSourceTypeCombo() const {
    return m_dataSource ? m_dataSource->Data_source_type : nullptr;
}
