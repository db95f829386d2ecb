#include "mainwindow/controller/ControllerOutputHost.h"

#include "core/BatchState.h"
#include "core/MessageFunctions.h"
#include "core/globals.h"
#include "editor/render/CardSideDrawing.h"
#include "mainwindow/controller/BatchRun.h"
#include "mainwindow/controller/MainWindowFrame.h"
#include "mainwindow/controller/SKTWindowController.h"

#include <QPainter>
#include <QThread>

QWidget* ControllerOutputHost::mainWindow() const {
    return m_controller.window();
}

SKTGraphicList ControllerOutputHost::frontGraphics() const {
    return m_controller.Get_Front_Controls_Array();
}

SKTGraphicList ControllerOutputHost::backGraphics() const {
    return m_controller.Get_Back_Controls_Array();
}

namespace {

BatchState currentState() {
    BatchState state;
    state.Use_Data_Sheet_Values = Use_Data_Sheet_Values;
    state.Use_Excel_Binding_Values = Use_Excel_Binding_Values;
    state.Total_Batch_Excel_Card = Total_Batch_Excel_Card;
    return state;
}

// Flags the user cleared (a batch box unticked) are cleared in the
// process-wide state too, then the records are counted again.
void applyOptOuts(SKTWindowController& controller, const BatchState& state) {
    if (!state.Use_Data_Sheet_Values) {
        Use_Data_Sheet_Values = false;
    }
    if (!state.Use_Excel_Binding_Values) {
        Use_Excel_Binding_Values = false;
    }
    controller.Get_total_Card_count();
}

// The records of a batch, one BatchRun per sheet: the run starts with the
// first picture asked for and ends (record 0 back in the design, the side
// restored) when the sheet or the export is finished.
class BatchCardSource : public CardSource {
public:
    BatchCardSource(SKTWindowController& controller, bool printing, CardPicture front,
                    CardPicture back)
        : m_controller(controller), m_printing(printing), m_front(std::move(front)),
          m_back(std::move(back)) {}
    ~BatchCardSource() override { finish(); }

    bool isBatch() const override { return true; }
    int recordCount() const override { return Total_Batch_Excel_Card; }
    CardPicture picture(int record, CardSide side) override {
        if (record < 0 || record >= recordCount()) {
            return {};
        }
        if (!m_run) {
            m_run = std::make_unique<BatchRun>(m_controller, m_printing);
        }
        if (side == CardSide::Front) {
            return m_run->record(record, QStringLiteral("F")).front;
        }
        return m_run->record(record, QStringLiteral("B")).back;
    }
    CardPicture designFront() const override { return m_front; }
    CardPicture designBack() const override { return m_back; }
    void finish() override { m_run.reset(); }

    // A print on the GUI thread draws each record's side right after its
    // fill, with that side's background: no snapshot is made.
    bool drawsLive() const override {
        return m_printing && QThread::currentThread() == m_controller.thread();
    }
    bool drawRecordSide(int record, CardSide side, QPainter& painter,
                        const QPointF& topLeft) override {
        if (record < 0 || record >= recordCount() || !drawsLive()) {
            return false;
        }
        if (!m_run) {
            m_run = std::make_unique<BatchRun>(m_controller, m_printing);
        }
        m_run->fill(record, side == CardSide::Front ? QStringLiteral("F") : QStringLiteral("B"));
        const QRectF bounds = CardRenderInputs::frontCanvasBounds();
        if (bounds.isEmpty()) {
            return false;
        }
        const PainterStateGuard state(painter);
        painter.translate(topLeft - bounds.topLeft());
        setCardRenderHints(painter);
        drawCardSide(painter, bounds, bounds, CardBackgroundInputs::current(),
                     m_controller.Graphics_array_Batch);
        return true;
    }

private:
    SKTWindowController& m_controller;
    bool m_printing;
    CardPicture m_front;
    CardPicture m_back;
    std::unique_ptr<BatchRun> m_run;
};

} // namespace

BatchState ControllerOutputHost::Check_Series_Or_Excel_Use_or_not() {
    m_controller.Check_Series_Or_Excel_Use_or_not();
    return currentState();
}

int ControllerOutputHost::Get_total_Card_count(const BatchState& state) {
    applyOptOuts(m_controller, state);
    return Total_Batch_Excel_Card;
}

std::unique_ptr<CardSource> ControllerOutputHost::batchSource(const BatchState& state,
                                                              bool printing) {
    applyOptOuts(m_controller, state);
    if (!(Use_Data_Sheet_Values || Use_Excel_Binding_Values) || Total_Batch_Excel_Card <= 0) {
        return nullptr;
    }
    std::unique_ptr<DesignCardSource> design = output::renderDesign(*this);
    return std::make_unique<BatchCardSource>(m_controller, printing, design->designFront(),
                                             design->designBack());
}

void ControllerOutputHost::Open_Export_File_Box() {
    m_controller.Open_Export_File_Box();
}
