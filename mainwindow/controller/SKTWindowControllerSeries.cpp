// What the series windows need of the main window: the card's bindings for
// the in-use test, and the prompt after an export.

#include "core/MessageFunctions.h"
#include "core/globals.h"
#include "mainwindow/controller/SKTWindowController.h"
#include "mainwindow/controller/WindowEntries.h"

namespace {

void describe(const SKTGraphicList& graphics, std::vector<SeriesBoundObject>& out) {
    for (const auto& graphic : graphics) {
        if (graphic) {
            out.push_back({graphic->className(), graphic->data_source_type_val(),
                           graphic->batch_list_name_val()});
        }
    }
}

} // namespace

SeriesBindingSides SKTWindowController::Card_Series_Bindings() const {
    SeriesBindingSides sides;
    describe(Get_Front_Controls_Array(), sides.front);
    describe(Get_Back_Controls_Array(), sides.back);
    return sides;
}

void SKTWindowController::Open_Export_File_Box() {
    if (const auto prompt = window_entries::exportFileBox.get()) {
        prompt();
        return;
    }
    // Without the series windows the result is reported with its path.
    Show_MessageBox(QStringLiteral("%1\n\n%2").arg(Export_File_Message, Export_File_Path));
}
