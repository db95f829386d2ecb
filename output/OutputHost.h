#pragma once
// What the print and export windows need of the main window controller. The
// controller implements this and registers it; the windows never include a
// header of the controller.

#include "editor/model/SKTGraphic.h"
#include "output/core/CardSource.h"

#include <memory>

class QWidget;

// The record binding state of the design: whether objects are bound to a
// data series or spreadsheet columns, and how many records there are.
struct BatchState {
    bool Use_Data_Sheet_Values = false;
    bool Use_Excel_Binding_Values = false;
    int Total_Batch_Excel_Card = 0;
    bool any() const { return Use_Data_Sheet_Values || Use_Excel_Binding_Values; }
};

class OutputHost {
public:
    virtual ~OutputHost() = default;

    // The main window: parent of the dialogs and of the progress sheet.
    virtual QWidget* mainWindow() const = 0;
    // The object lists of the front and back sides.
    virtual SKTGraphicList frontGraphics() const = 0;
    virtual SKTGraphicList backGraphics() const = 0;
    // Recomputes the binding state (Check_Series_Or_Excel_Use_or_not).
    virtual BatchState Check_Series_Or_Excel_Use_or_not() = 0;
    // The record count for the flags left set (Get_total_Card_count).
    virtual int Get_total_Card_count(const BatchState& state) = 0;
    // The records of a batch with the given flags (printing or not); none
    // when the design has no records to walk.
    virtual std::unique_ptr<CardSource> batchSource(const BatchState& state, bool printing) = 0;
    // The open-the-exported-file prompt for Export_File_Path and
    // Export_File_Message.
    virtual void Open_Export_File_Box() = 0;

    // The registered controller, or none.
    static OutputHost* current();
    static void setCurrent(OutputHost* host);
};

namespace output {

// The design's two sides rendered now (Card_Front_Or_Back set to each side
// while it renders, and restored): the print dialog's front_image and
// back_image, and the single export's pictures.
std::unique_ptr<DesignCardSource> renderDesign(const OutputHost& host);

} // namespace output
