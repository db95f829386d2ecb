#pragma once
// Dialogs belong to the window that opens them, so the window manager keeps
// them in front of it (a dialog without an owner can open behind the window
// it blocks). A dialog kept as one instance for the run is handed to each
// new opener before it shows.

class QWidget;

namespace dialogs {

// The program's main window, the opener of last resort (none by default).
void setMainWindow(QWidget* window);

// The window the user works in now: the modal dialog on top, else the
// active window, else the main window. Never `except` or one of its
// children (a dialog is not its own opener).
QWidget* currentWindow(const QWidget* except = nullptr);

// Makes `dialog` a window owned by `opener`'s window, keeping its window
// flags. A null opener means the current window. Does nothing when no
// opener is found, the dialog is already owned by it or is showing.
void ownBy(QWidget& dialog, QWidget* opener);

} // namespace dialogs
