#pragma once
// The look of the small windows around the main work: the light blue-grey
// window background and link buttons drawn as underlined blue bold text with
// the open-hand cursor.

class QPushButton;
class QWidget;

namespace linkstyle {

// Background RGB 241, 244, 250.
void styleWindow(QWidget& window);
// Bold 11-point, blue, underlined, flat on the window colour.
void styleLink(QPushButton* button);

} // namespace linkstyle
