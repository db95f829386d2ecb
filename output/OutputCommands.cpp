#include "output/OutputCommands.h"

#include "core/MessageFunctions.h"
#include "output/BatchExporter.h"
#include "output/ExportWindow.h"
#include "output/OutputHost.h"
#include "output/Print_Wnd.h"
#include "output/PrinterList.h"
#include "output/core/CardExport.h"
#include "ui_ExportWindow.h"
#include "widgets/DialogOwner.h"
#include "widgets/GuiHooks.h"

#include <QWidget>
#include <exception>

namespace output {

void Open_Print_Wnd() {
    try {
        Print_Wnd* window = Print_Wnd::defaultInstance();
        dialogs::ownBy(*window, nullptr);
        window->Open_Print_Wnd();
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
}

void Export_Button() {
    if (BatchExporter::defaultInstance()->isRunning()) {
        return;
    }
    OutputHost* host = OutputHost::current();
    ExportWindow* window = ExportWindow::defaultInstance();
    dialogs::ownBy(*window, host ? host->mainWindow() : nullptr);
    Ui::ExportWindow* ui = window->ui();
    window->resetForExport();

    BatchState state = host ? host->Check_Series_Or_Excel_Use_or_not() : BatchState();
    ui->Export_with_batch_chk->setEnabled(state.Use_Data_Sheet_Values);
    ui->Export_with_batch_chk->setChecked(state.Use_Data_Sheet_Values);
    ui->Export_with_excel_chk->setEnabled(state.Use_Excel_Binding_Values);
    ui->Export_with_excel_chk->setChecked(state.Use_Excel_Binding_Values);

    const int answer = hooks::runModal(*window);
    window->hide();
    if (answer == 0) {
        return;
    }
    if (!ui->Export_with_batch_chk->isChecked()) {
        state.Use_Data_Sheet_Values = false;
    }
    if (!ui->Export_with_excel_chk->isChecked()) {
        state.Use_Excel_Binding_Values = false;
    }
    state.Total_Batch_Excel_Card = host ? host->Get_total_Card_count(state) : 0;

    ExportRequest request;
    request.side = export_card_side;
    request.combined =
        ui->export_combined_image_chk->isChecked() && export_card_side == QLatin1String("BOTH");
    request.dotsPerInch = window->chosenDotsPerInch();
    request.extension = window->chosenFormat();
    QWidget* mainWindow = host ? host->mainWindow() : nullptr;

    if (!state.any()) {
        hooks::SavePanelRequest panel;
        panel.allowedTypes = {window->chosenFormat()};
        panel.kind = hooks::FileKind::Export;
        panel.parent = mainWindow;
        const QString path = hooks::runSavePanel(panel);
        if (path.isEmpty()) {
            return;
        }
        if (mainWindow) {
            mainWindow->raise();
            mainWindow->activateWindow();
        }
        if (!host) {
            return;
        }
        auto design = renderDesign(*host);
        cardexport::Export_Single_File(path, request, *design, true,
                                       [host] { host->Open_Export_File_Box(); });
        return;
    }
    hooks::OpenPanelRequest panel;
    panel.chooseFolders = true;
    panel.kind = hooks::FileKind::Export;
    panel.parent = mainWindow;
    const QStringList folders = hooks::runOpenPanel(panel);
    if (folders.isEmpty()) {
        return;
    }
    Export_Batch_File(folders.first(), request, state);
}

} // namespace output
