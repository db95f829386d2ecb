// Start-up of the card editor: the application, the GUI hooks, the resource
// folder and the main window.

#include "mainwindow/GuiHooks.h"
#include "mainwindow/core/FileFunctions.h"
#include "mainwindow/core/MessageFunctions.h"
#include "mainwindow/core/globals.h"
#include "platform/Hooks.h"

#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QPalette>
#include <clocale>
#include <cstdlib>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Property lists read numbers with the C library: keep '.' as the decimal
    // point whatever the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    hooks::installGuiHooks();

    Resource_Path = hooks::resourceFolder();
    if (!QDir().mkpath(Resource_Path)) {
        Show_MessageBox(QStringLiteral("Can not access Tarvel Data file."));
        hooks::terminate(EXIT_FAILURE);
        return EXIT_FAILURE;
    }
    Data_Folder_Path = QDir(Resource_Path).filePath(QStringLiteral("DataSet"));
    Check_Path_And_Create_Files();

    QMainWindow window;
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(241, 244, 250));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    window.resize(1000, 800);
    window.move(100, 0);
    window.show();
    return app.exec();
}
