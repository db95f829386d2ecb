#pragma once
// Process-wide state shared by the subsystems, under the names the program
// has always used. Flags that cross threads are atomic. Subsystem-specific
// globals live in that subsystem's own header.

#include <QString>
#include <atomic>

// The application's resource folder (writable data lives there too) and its
// "DataSet" folder of data series. Set once at start-up before anything reads
// them.
inline QString Resource_Path;
inline QString Data_Folder_Path;

// Name of the default text font (new text, card content font).
inline const QString Text_Ctrl_Font = QStringLiteral("Times New Roman");

// Set while inspector controls or page records are loaded from code, so that
// control actions do not copy controls back into records.
inline std::atomic<int> Not_Draw_Only_Prop_Change{0};

// Current side: 0 front, any other value the back.
inline std::atomic<int> Card_Front_Or_Back{0};
// The one rule for reading the current side: 0 is the front, every other
// value the back. Answers 0 (front) or 1 (back).
inline int Current_Card_Side() {
    return Card_Front_Or_Back.load() == 0 ? 0 : 1;
}
inline bool Current_Card_Side_Is_Back() {
    return Current_Card_Side() == 1;
}
// Number of sides in use, "1" or "2".
inline QString CARD_SIDE_STR = QStringLiteral("2");
// Card outline: 0 rectangle, 1 rounded rectangle (radius 10), 2 ellipse.
inline std::atomic<int> Card_Shape{0};
// Set while a batch fills the card; canvases are not redrawn then.
inline std::atomic<int> Card_Value_In_Process{0};

// Picture file of the next picture object made by the picture tools, and the
// picture confirmed in the picture library.
inline QString Library_Selected_Image;
inline QString lib_window_sel_file;

// Position of the last placed object (advanced by Control_New_Point).
inline float last_ctrl_X = 10.0f;
inline float last_ctrl_Y = 10.0f;

// Path and message of the last export.
inline QString Export_File_Path;
inline QString Export_File_Message;

// Stop flag of long runs (export, e-mail).
inline std::atomic<int> Stop_SMS_Sending_Now{0};

// ---- Design files ----
// Full path of the current design file; "" while the design has none.
inline QString Project_File_Name;
// Extension of design files.
inline const QString design_file_EXT = QStringLiteral("dcard");
// A spreadsheet binding is in use, and the bound spreadsheet's path.
inline std::atomic<int> Excel_Binding_Use{0};
inline QString Excel_Source_Path;
// The cleaned name chosen in the template-name dialog.
inline QString export_template_name;
