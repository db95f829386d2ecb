#pragma once
// The banner at the head of the wizard, card-size and template windows: the
// main window's banner picture repeated over the whole view from its
// top-left corner.

#include <QImage>
#include <QWidget>

class Repeat_Image : public QWidget {
    Q_OBJECT
public:
    explicit Repeat_Image(QWidget* parent = nullptr);
    // The picture tiled; the main window's banner when none was set.
    void setTile(const QImage& tile);
    QImage tile() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_tile;
};
