#include "output/Promotion_Pattern.h"

#include <QPainter>

Promotion_Pattern::Promotion_Pattern(QWidget* parent) : QWidget(parent) {}

void Promotion_Pattern::setPatternImage(const QImage& image) {
    m_image = image;
    update();
}

void Promotion_Pattern::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_image.isNull()) {
        painter.fillRect(rect(), QColor(241, 244, 250));
        return;
    }
    painter.fillRect(rect(), QBrush(m_image));
}
