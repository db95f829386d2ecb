#include "mainwindow/controller/BatchRun.h"

#include "core/BatchState.h"
#include "core/globals.h"
#include "mainwindow/controller/SKTWindowController.h"

#include <QThread>

BatchRun::BatchRun(SKTWindowController& controller, bool print_box)
    : m_controller(controller), m_printBox(print_box), m_savedSide(Card_Front_Or_Back.load()) {
    Card_Value_In_Process = 1;
}

BatchRun::~BatchRun() {
    end();
}

int BatchRun::count() const {
    return Total_Batch_Excel_Card.load();
}

BatchRun::Pictures BatchRun::record(int i, const QString& sides) {
    Pictures pictures;
    m_controller.runOnGuiThread([&] {
        Card_Value_In_Process = 1;
        const bool both = sides == QStringLiteral("BOTH");
        if (both || sides != QStringLiteral("F")) {
            pictures.back =
                m_controller.Set_data_table_value_to_card(i, QStringLiteral("B"), m_printBox);
        }
        if (both || sides == QStringLiteral("F")) {
            pictures.front =
                m_controller.Set_data_table_value_to_card(i, QStringLiteral("F"), m_printBox);
        }
        // The canvases may repaint between records: they draw the side the
        // user looks at.
        Card_Front_Or_Back = m_savedSide;
    });
    return pictures;
}

void BatchRun::fill(int i, const QString& side) {
    Q_ASSERT(QThread::currentThread() == m_controller.thread());
    m_controller.Fill_Batch_Side(i, side);
}

void BatchRun::end() {
    if (m_ended) {
        return;
    }
    m_ended = true;
    const int saved = m_savedSide;
    const bool printBox = m_printBox;
    SKTWindowController& controller = m_controller;
    controller.runOnGuiThread([&controller, saved, printBox] {
        controller.Select_first_row_value_for_design(printBox);
        Card_Front_Or_Back = saved;
        controller.Refresh_Canvas();
    });
}
