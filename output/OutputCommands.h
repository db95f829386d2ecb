#pragma once
// The main window's export command and the print dialog's opening. main()
// puts them into the controller's window entries; the main window checks the
// records and the printers before it opens the print dialog.

#include "platform/HookSlot.h"

#include <QString>
#include <functional>

struct BatchState;
struct ExportRequest;

namespace output {

// The print dialog, run modally.
void Open_Print_Wnd();

// File > Export...: the export window, then a save panel and the single
// export, or (with batch data) an open panel for the folder and the batch
// run.
void Export_Button();

// Runs a batch export into a folder with the chosen request and binding
// state. Empty until the record binding provides the batch walk; the
// command then stops after the folder is chosen.
using BatchExportRunner =
    std::function<void(const QString& folder, const ExportRequest& request, const BatchState&)>;
inline HookSlot<BatchExportRunner> batchExportRunner;

} // namespace output
