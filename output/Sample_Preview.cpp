#include "output/Sample_Preview.h"

#include "output/core/SheetDrawing.h"

#include <QPainter>

Sample_Preview::Sample_Preview(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Sample_Preview::setContent(const SheetLayout* layout, CardSource* source) {
    m_layout = layout;
    m_source = source;
    update();
}

void Sample_Preview::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_layout || !m_source) {
        return;
    }
    SheetRun unused;
    sheet::drawSheet(painter, *m_layout, *m_source, unused, SheetMode::Placeholders);
}

QImage Sample_Preview::imageRepresentation() {
    if (!m_layout || !m_source) {
        return {};
    }
    QImage image(size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    render(&image);
    return image;
}
