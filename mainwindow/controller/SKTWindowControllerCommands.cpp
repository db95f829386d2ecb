// The card, series, output and design-file commands and Exit. Windows of
// other libraries are reached through their entries; an empty entry says
// so instead of doing nothing.

#include "mainwindow/controller/SKTWindowController.h"

#include "core/BatchState.h"
#include "core/MessageFunctions.h"
#include "core/globals.h"
#include "editor/render/CardRenderInputs.h"
#include "mainwindow/controller/WindowEntries.h"
#include "output/PrinterList.h"
#include "platform/Hooks.h"
#include "ui_CardBackgroundPage.h"
#include "ui_DrawWindow.h"

#include <QImage>
#include <QTabWidget>
#include <exception>

namespace {

const QString kNotAvailable = QStringLiteral("This is not available yet.");

// Runs a filled entry, or says that its window is not there.
template <typename Slot, typename... Args> bool callEntry(const Slot& slot, Args&&... args) {
    const auto function = slot.get();
    if (!function) {
        Show_MessageBox(kNotAvailable);
        return false;
    }
    function(std::forward<Args>(args)...);
    return true;
}

QString reasonOf(const std::exception& e) {
    return QString::fromLocal8Bit(e.what());
}

} // namespace

// ---- Card ----

void SKTWindowController::Card_Prop_Clicked() {
    Show_RHS_Properties(nullptr);
}

void SKTWindowController::Card_Bckgrnd_Clicked() {
    Card_Prop_Clicked();
    // The library applies a confirmed picture to the current side's record.
    if (Open_Image_Library(true) == 1) {
        m_ui->sett_tab->setCurrentWidget(tabPage(CardBackgroundTab));
    }
}

// ---- Series ----

void SKTWindowController::Batch_Series_Button() {
    callEntry(window_entries::seriesManager);
}

void SKTWindowController::Import_Wizard_Button() {
    callEntry(window_entries::seriesImport);
}

void SKTWindowController::Create_Series_Button() {
    callEntry(window_entries::numberSeries);
}

// ---- Output ----

void SKTWindowController::Export_Button() {
    callEntry(window_entries::exportCards);
}

void SKTWindowController::Mail_Button() {
    try {
        Check_Series_Or_Excel_Use_or_not();
        callEntry(window_entries::mail);
    } catch (const std::exception& e) {
        Show_NSLog_Message(reasonOf(e));
    }
}

void SKTWindowController::Print_Button() {
    Check_Series_Or_Excel_Use_or_not();
    // The recomputation clears the batch flags when the bound lists hold no
    // record, so the bindings themselves say whether records were meant.
    const bool bound =
        Use_Data_Sheet_Values || Use_Excel_Binding_Values || Check_Front_Side_Dataset_Is_Used() ||
        Check_Front_Side_Excel_Binding_Is_Used() ||
        (CARD_SIDE_STR == QLatin1String("2") &&
         (Check_Back_Side_Dataset_Is_Used() || Check_Back_Side_Excel_Binding_Is_Used()));
    if (bound && Total_Batch_Excel_Card == 0) {
        Show_MessageBox(QStringLiteral("List is empty."));
        return;
    }
    Print_method();
}

void SKTWindowController::Print_method() {
    try {
        if (output::printerNames().isEmpty()) {
            Show_MessageBox(QStringLiteral("No printer found."));
            return;
        }
        callEntry(window_entries::print);
    } catch (const std::exception& e) {
        Show_NSLog_Message(reasonOf(e));
    }
}

void SKTWindowController::Help_Button() {
    callEntry(window_entries::help);
}

void SKTWindowController::Promotion_Clicked(const QString& softwareType) {
    callEntry(window_entries::promotion, softwareType);
}

// ---- Design files ----

void SKTWindowController::Export_As_Template_Clicked() {
    callEntry(window_entries::saveAsTemplate);
}

void SKTWindowController::New_Btn_Clicked() {
    callEntry(window_entries::newDesign);
}

void SKTWindowController::Open_Btn_Clicked() {
    callEntry(window_entries::openDesign);
}

void SKTWindowController::Save_Btn_Clicked() {
    callEntry(window_entries::saveDesign);
}

void SKTWindowController::SaveAs_Btn_Clicked() {
    callEntry(window_entries::saveDesignAs);
}

// ---- Exit ----

bool SKTWindowController::Exit_App() {
    using window_entries::SaveResult;
    switch (Ask_Yes_No(QStringLiteral("Do you want to save changes before closing?"))) {
    case QuestionAnswer::Dismissed:
        // The question was closed, not answered: the program and the
        // design stay as they are.
        return false;
    case QuestionAnswer::No:
        break;
    case QuestionAnswer::Yes: {
        const auto save = window_entries::saveProjectFile.get();
        if (!save) {
            // Nothing can be saved yet: the design must not be lost
            // silently.
            Show_MessageBox(kNotAvailable);
            return false;
        }
        // A failed save has told the user why; the program stays.
        if (save(false) != SaveResult::Saved) {
            return false;
        }
        break;
    }
    }
    if (const auto review = window_entries::review.get()) {
        review();
    }
    hooks::terminate(0);
    return true;
}
