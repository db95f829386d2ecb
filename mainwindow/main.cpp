// Start-up of the card editor: the application, the dialogs other code
// reaches through their handles, then one untitled card document, which
// makes the main window controller.

#include "dataseries/ExcelTempFolder.h"
#include "editor/model/SKTDocument.h"
#include "mainwindow/app/ProgramWiring.h"
#include "mainwindow/controller/SKTWindowController.h"
#include "platform/ProcessSignals.h"
#include "widgets/GuiHooks.h"

#include <QApplication>
#include <clocale>
#include <cstdlib>

int main(int argc, char** argv) {
    // A save past a file-size limit fails and says so; it does not end the
    // program.
    Ignore_File_Size_Signal();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Card Editor"));
    // Property lists read numbers with the C library: keep '.' as the decimal
    // point whatever the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    hooks::installGuiHooks();
    // Unpacked workbooks of runs that were killed.
    Remove_Ended_Process_Folders();

    Wire_Window_Entries();

    SKTWindowController::installAsDocumentWindowController();
    SKTDocument document;
    document.makeWindowControllers();
    auto* controller = static_cast<SKTWindowController*>(document.windowController());
    if (!controller || !controller->isLoaded()) {
        return EXIT_FAILURE;
    }
    const ControllerServices services(*controller);
    return app.exec();
}
