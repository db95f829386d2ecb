#include "output/LinkStyle.h"

#include <QPushButton>

namespace linkstyle {

namespace {
const QColor kWindowColour(241, 244, 250);
} // namespace

void styleWindow(QWidget& window) {
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, kWindowColour);
    window.setPalette(palette);
    window.setAutoFillBackground(true);
}

void styleLink(QPushButton* button) {
    QFont font = button->font();
    font.setBold(true);
    font.setPointSize(11);
    font.setUnderline(true);
    button->setFont(font);
    button->setFlat(true);
    button->setCursor(Qt::OpenHandCursor);
    button->setStyleSheet(
        QStringLiteral("QPushButton { color: blue; background: rgb(241, 244, 250); "
                       "border: none; text-align: left; }"));
}

} // namespace linkstyle
