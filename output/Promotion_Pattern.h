#pragma once
// The promotion window's background: the main window's pattern picture
// repeated behind the window's own content.

#include <QImage>
#include <QWidget>

class Promotion_Pattern : public QWidget {
    Q_OBJECT

public:
    explicit Promotion_Pattern(QWidget* parent = nullptr);
    void setPatternImage(const QImage& image);
    const QImage& patternImage() const { return m_image; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
};
