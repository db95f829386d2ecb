#include "mainwindow/controller/Repeat_Image.h"

#include "mainwindow/controller/SKTWindowController.h"

#include <QPaintEvent>
#include <QPainter>

Repeat_Image::Repeat_Image(QWidget* parent) : QWidget(parent) {}

void Repeat_Image::setTile(const QImage& tile) {
    m_tile = tile;
    update();
}

QImage Repeat_Image::tile() const {
    if (!m_tile.isNull()) {
        return m_tile;
    }
    if (SKTWindowController* controller = SKTWindowController::defaultInstance()) {
        return controller->banner_image;
    }
    return {};
}

void Repeat_Image::paintEvent(QPaintEvent* event) {
    const QImage picture = tile();
    if (picture.isNull()) {
        return;
    }
    QPainter painter(this);
    // The first tile starts at the view's own top-left corner (y grows
    // downwards here, so no flip of the pattern phase is needed).
    painter.fillRect(event->rect(), QBrush(picture));
}
