#pragma once
// Message boxes met as the user meets them: acted on once they are up.

#include <QString>
#include <functional>

class QMessageBox;

namespace testsupport {

// Hands the next message box to `act` once it is up and shown (looked for
// from the event loop of its own modal run); `act` ends it.
void whenMessageBoxShows(std::function<void(QMessageBox&)> act);

// Ends a message box as the user does: "Escape" or "Return" pressed on it,
// its window's "close button", or a click on the button of that title.
void endMessageBox(QMessageBox& box, const QString& how);

} // namespace testsupport
