#include "widgets/ColorWell.h"

#include "widgets/GuiHooks.h"

#include <QPainter>
#include <QStyleOptionToolButton>
#include <QStylePainter>

ColorWell::ColorWell(QWidget* parent) : QToolButton(parent) {
    setFixedSize(44, 22);
    connect(this, &QToolButton::clicked, this, &ColorWell::pick);
}

void ColorWell::setColor(const QColor& color) {
    m_color = color;
    update();
}

void ColorWell::pick() {
    const QColor chosen = hooks::runColorPanel(m_color, this);
    if (!chosen.isValid()) {
        return;
    }
    setColor(chosen);
    emit colorPicked(chosen);
}

void ColorWell::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ToolButton, option);
    const QRect swatch = rect().adjusted(5, 5, -5, -5);
    painter.fillRect(swatch, isEnabled() ? m_color : m_color.lighter(150));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
}
