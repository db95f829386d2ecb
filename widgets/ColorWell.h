#pragma once
// A colour well: a small button showing a colour; a click opens the colour
// panel and the colour chosen there becomes the well's colour. Setting the
// colour from code emits nothing; `colorPicked` follows the user's choice.

#include <QColor>
#include <QToolButton>

class ColorWell : public QToolButton {
    Q_OBJECT

public:
    explicit ColorWell(QWidget* parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor& color);

signals:
    void colorPicked(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void pick();

    QColor m_color = Qt::black;
};
