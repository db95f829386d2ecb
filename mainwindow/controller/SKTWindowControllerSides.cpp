// The side switch, the temporary side, the object lists and the placement of
// new objects.

#include "mainwindow/controller/SKTWindowController.h"

#include "core/MessageFunctions.h"
#include "core/globals.h"
#include "editor/model/SKTDocument.h"
#include "mainwindow/controller/ShownSideFrame.h"
#include "mainwindow/controller/SideCanvases.h"
#include "ui_DrawWindow.h"

#include <exception>

void SKTWindowController::Select_front_side() {
    m_ui->Front_back_label->setText(QStringLiteral("Front"));
    Card_Front_Or_Back = 0;
    changeViewController(0);
    Show_RHS_Properties(nullptr);
}

void SKTWindowController::Select_back_side() {
    m_ui->Front_back_label->setText(QStringLiteral("Back"));
    Card_Front_Or_Back = 1;
    changeViewController(1);
    Show_RHS_Properties(nullptr);
}

void SKTWindowController::Select_temp_design_side() {
    // The temporary side is never a command target: the current side stays.
    m_ui->Front_back_label->setText(QStringLiteral("TEMP"));
    changeViewController(2);
    Show_RHS_Properties(nullptr);
}

void SKTWindowController::Temp_Card_Btn_Clicked() {
    Select_temp_design_side();
    Temp_Design_Control_Assign();
}

void SKTWindowController::Temp_Design_Control_Assign() {
    const SKTGraphicList& old = m_document.graphics_temp();
    QList<int> indexes;
    for (int i = 0; i < old.size(); ++i) {
        indexes.append(i);
    }
    if (!indexes.isEmpty()) {
        m_document.removeGraphicsInList(SKTDocumentGraphicsKey_temp, indexes);
    }
    // The same objects as the side shown last, not copies.
    const SKTGraphicList source =
        Current_Card_Side_Is_Back() ? m_document.graphics_back() : m_document.graphics();
    QList<int> newIndexes;
    for (int i = 0; i < source.size(); ++i) {
        newIndexes.append(i);
    }
    if (!source.isEmpty()) {
        m_document.insertGraphicsInList(SKTDocumentGraphicsKey_temp, source, newIndexes);
    }
    if (m_canvases) {
        m_canvases->refresh(2);
    }
}

void SKTWindowController::Show_Hide_Ruler_ChkBox() {
    if (m_canvases) {
        m_canvases->setRulersShown(m_ui->Show_Hide_Ruler_ChkBox->isChecked());
    }
}

void SKTWindowController::User_Profile_Button_Clicked() {
    const bool back = Current_Card_Side_Is_Back();
    if (Open_User_Profile_Window(1, back ? QStringLiteral("B") : QStringLiteral("F")) == 1) {
        if (back) {
            Fill_User_profile_info_back_side();
        } else {
            Fill_User_profile_info_front_side();
        }
    }
    Refresh_Canvas();
}

const SKTGraphicList& SKTWindowController::Get_Front_Controls_Array() const {
    return m_document.graphics();
}

const SKTGraphicList& SKTWindowController::Get_Back_Controls_Array() const {
    return m_document.graphics_back();
}

SKTGraphicList SKTWindowController::Get_Temp_Controls_Array() const {
    return m_document.graphics_temp();
}

qint32 SKTWindowController::Get_Front_Control_Count() const {
    return static_cast<qint32>(m_document.graphics().size());
}

qint32 SKTWindowController::Get_Back_Control_Count() const {
    return static_cast<qint32>(m_document.graphics_back().size());
}

qint32 SKTWindowController::Get_Temp_Control_Count() const {
    return static_cast<qint32>(m_document.graphics_temp().size());
}

void SKTWindowController::changeViewController(int side) {
    if (side < 0 || side > 2 || !m_ui) {
        return;
    }
    m_shownSide = side;
    // The side's enclosing view is 15 points taller than the target view.
    ShownSideFrame::show(*m_ui->myTargetView, side);
    if (m_canvases) {
        if (QWidget* canvas = m_canvases->canvas(side)) {
            canvas->setFocus();
        }
    }
}

QWidget* SKTWindowController::canvasOfSide(int side) const {
    return m_canvases ? m_canvases->canvas(side) : nullptr;
}

void SKTWindowController::Refresh_Canvas() {
    if (Card_Value_In_Process || !m_canvases) {
        return;
    }
    m_canvases->refresh(Current_Card_Side());
}

QPointF SKTWindowController::Control_New_Point(const QString& side) {
    try {
        qint32 step =
            side == QStringLiteral("F") ? Get_Front_Control_Count() : Get_Back_Control_Count();
        if (step < 20) {
            step = 20;
        }
        float x = last_ctrl_X + static_cast<float>(step);
        float y = last_ctrl_Y + static_cast<float>(step);
        // All three canvases share one size: the front one's is read.
        const QRectF bounds = frontCanvasBounds();
        if (x + 50 >= bounds.width()) {
            last_ctrl_X = 10;
            x = 10;
        }
        if (y + 50 >= bounds.height()) {
            last_ctrl_Y = 10;
            y = 10;
        }
        last_ctrl_X = x;
        last_ctrl_Y = y;
        return QPointF(x, y);
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
        return QPointF(10, 10);
    }
}
