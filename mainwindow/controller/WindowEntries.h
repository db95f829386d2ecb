#pragma once
// The main window's calls into windows that live in other libraries (barcode
// designer, contact fields, series windows, printing, export, e-mail, help,
// design files). Each is one replaceable entry: main() fills it with the
// window's own function, tests fill it with fakes. While an entry is empty
// the commands that call it are disabled.

#include "platform/HookSlot.h"

#include <QString>
#include <functional>
#include <memory>

class SKTGraphic;

namespace window_entries {

using Command = std::function<void()>;

// How a save of the design ended.
enum class SaveResult { Saved, Cancelled, Failed };

// Barcode designer: loads the object's settings, runs the designer modally
// and writes the settings back on OK; leaves its picture in
// Barcode_output_image.
inline HookSlot<std::function<void(const std::shared_ptr<SKTGraphic>&)>> barcodeDesigner;
// Contact fields: opens the dialog of side "F" or "B" (or the settings
// dialog for an empty side) with the opening mode; answers 1 on OK.
inline HookSlot<std::function<int(int mode, const QString& side)>> contactFields;
// Contact fields: places the committed record of side 0 (front), 1 (back)
// or 2 (the preview record on the temporary side) on that side's canvas.
inline HookSlot<std::function<void(int side)>> placeContactFields;

// Series windows.
inline HookSlot<Command> seriesManager;
inline HookSlot<Command> seriesImport;
inline HookSlot<Command> numberSeries;
// The open-the-exported-file prompt for Export_File_Path and Export_File_Message.
inline HookSlot<Command> exportFileBox;

// Output.
inline HookSlot<Command> exportCards;
inline HookSlot<Command> print;
inline HookSlot<Command> mail;
inline HookSlot<Command> help;
inline HookSlot<Command> review;
// Promotion window for software type "S", "R" or "B".
inline HookSlot<std::function<void(const QString& softwareType)>> promotion;

// Design files and templates.
inline HookSlot<Command> newDesign;
inline HookSlot<Command> openDesign;
inline HookSlot<Command> saveDesign;
inline HookSlot<Command> saveDesignAs;
inline HookSlot<Command> saveAsTemplate;
// Saves the design; showMessage adds the success message (a failure is
// always told, with its reason).
inline HookSlot<std::function<SaveResult(bool showMessage)>> saveProjectFile;
// Opens a design file (panel, then the reader); answers 1 when a design was
// read.
inline HookSlot<std::function<int()>> openLogFile;
// The template-name window: shows `current` as the name and the previous
// name, runs modally and answers 1 on OK with the cleaned new name in
// `chosen`.
inline HookSlot<std::function<int(const QString& current, QString& chosen)>> templateName;

} // namespace window_entries
