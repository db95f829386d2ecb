// The program's wiring leaves no command without its window: every entry the
// controller's commands call is filled before the first document is made,
// so none of them can fall back to "This is not available yet." in the
// running program.

#include "mainwindow/app/ProgramWiring.h"
#include "mainwindow/controller/WindowEntries.h"

#include <gtest/gtest.h>

TEST(ProgramWiring, EveryWindowEntryIsFilledBeforeTheFirstDocument) {
    using namespace window_entries;
    Wire_Window_Entries();
    const std::pair<const char*, bool> entries[] = {
        {"barcodeDesigner", bool(barcodeDesigner.get())},
        {"contactFields", bool(contactFields.get())},
        {"placeContactFields", bool(placeContactFields.get())},
        {"seriesManager", bool(seriesManager.get())},
        {"seriesImport", bool(seriesImport.get())},
        {"numberSeries", bool(numberSeries.get())},
        {"exportFileBox", bool(exportFileBox.get())},
        {"exportCards", bool(exportCards.get())},
        {"print", bool(print.get())},
        {"mail", bool(mail.get())},
        {"help", bool(help.get())},
        {"review", bool(review.get())},
        {"newDesign", bool(newDesign.get())},
        {"openDesign", bool(openDesign.get())},
        {"saveDesign", bool(saveDesign.get())},
        {"saveDesignAs", bool(saveDesignAs.get())},
        {"saveAsTemplate", bool(saveAsTemplate.get())},
        {"saveProjectFile", bool(saveProjectFile.get())},
        {"openLogFile", bool(openLogFile.get())},
        {"templateName", bool(templateName.get())}};
    for (const auto& [name, filled] : entries) {
        EXPECT_TRUE(filled) << name;
    }
    // The promotion entry needs the controller's pattern picture: it comes
    // with the controller's services, and goes with them.
    EXPECT_FALSE(bool(promotion.get()));
    Clear_Window_Entries();
    EXPECT_FALSE(bool(print.get()));
    EXPECT_FALSE(bool(barcodeDesigner.get()));
}
