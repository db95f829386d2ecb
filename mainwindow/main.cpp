// Start-up of the card editor: the application, the dialogs other code
// reaches through their handles, then one untitled card document, which
// makes the main window controller.

#include "barcodes/designer/Barcode_Gen.h"
#include "dataseries/windows/BatchWizard.h"
#include "dataseries/windows/Generate_List.h"
#include "dataseries/windows/Import_Wizard.h"
#include "dataseries/windows/SmallSeriesDialogs.h"
#include "editor/model/SKTDocument.h"
#include "mainwindow/controller/ControllerOutputHost.h"
#include "mainwindow/controller/SKTWindowController.h"
#include "mainwindow/controller/WindowEntries.h"
#include "output/OutputCommands.h"
#include "output/Send_Modeless.h"
#include "widgets/GuiHooks.h"
#include "widgets/Long_SMS_Dlg.h"

#include <QApplication>
#include <clocale>
#include <cstdlib>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Card Editor"));
    // Property lists read numbers with the C library: keep '.' as the decimal
    // point whatever the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    hooks::installGuiHooks();

    Long_SMS_Dlg::defaultInstance();
    Send_Modeless::defaultInstance();
    // The barcode designer: made once (it publishes Barcode_Gen_Var before
    // any batch runs) and hidden until opened.
    Barcode_Gen::defaultInstance();
    window_entries::barcodeDesigner.set([](const std::shared_ptr<SKTGraphic>& graphic) {
        if (Barcode_Gen* designer = Barcode_Gen::defaultInstance()) {
            designer->Open_Wnd(graphic);
        }
    });

    // The series windows: the manager, the import wizard (a new series) and
    // the number generator (a new series), and the prompt after exports.
    window_entries::seriesManager.set([] { BatchWizard::defaultInstance()->Open_Wnd(); });
    window_entries::seriesImport.set([] {
        Import_Wizard* wizard = Import_Wizard::defaultInstance();
        wizard->file_name_required = 1;
        wizard->file_name_Insert = 0;
        wizard->Open_Wnd();
    });
    window_entries::numberSeries.set([] {
        Generate_List* generator = Generate_List::defaultInstance();
        generator->file_name_required = 1;
        generator->file_name_Insert = 0;
        generator->Open_Wnd();
    });
    window_entries::exportFileBox.set([] { Open_Export_File_Box(); });

    window_entries::print.set(&output::Open_Print_Wnd);
    window_entries::exportCards.set(&output::Export_Button);

    SKTWindowController::installAsDocumentWindowController();
    SKTDocument document;
    document.makeWindowControllers();
    auto* controller = static_cast<SKTWindowController*>(document.windowController());
    if (!controller || !controller->isLoaded()) {
        return EXIT_FAILURE;
    }

    // Printing and export reach the controller through its output services.
    ControllerOutputHost outputHost(*controller);
    OutputHost::setCurrent(&outputHost);
    SeriesBindingSource::setCurrent(controller);
    const int code = app.exec();
    SeriesBindingSource::setCurrent(nullptr);
    OutputHost::setCurrent(nullptr);
    return code;
}
