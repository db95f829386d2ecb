#pragma once
// The main window's export command and the print dialog's opening. main()
// puts them into the controller's window entries; the main window checks the
// records and the printers before it opens the print dialog.

namespace output {

// The print dialog, run modally.
void Open_Print_Wnd();

// File > Export...: the export window, then a save panel and the single
// export, or (with batch data) an open panel for the folder and the batch
// run on its worker (Export_Batch_File).
void Export_Button();

} // namespace output
