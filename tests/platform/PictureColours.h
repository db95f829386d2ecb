#pragma once
// The colours a test picture shows where it should: the flat colour nearest
// to a pixel, named by one letter, so pictures decoded from lossy files are
// compared by what they show, never pixel for pixel.

#include <QColor>
#include <QImage>
#include <string>

namespace picturecolours {

// The flat colour nearest to a pixel: 'R', 'G', 'B', 'Y' (yellow) or 'K'
// (black); '?' when it is near none of them.
inline char colourAt(const QImage& image, double fx, double fy) {
    const QColor c = image.pixelColor(int(fx * image.width()), int(fy * image.height()));
    const struct {
        char name;
        QColor colour;
    } known[] = {
        {'R', Qt::red}, {'G', Qt::green}, {'B', Qt::blue}, {'Y', Qt::yellow}, {'K', Qt::black}};
    char best = '?';
    int bestDistance = 3 * 80 * 80; // farther than this from all of them: none
    for (const auto& k : known) {
        const int d = (c.red() - k.colour.red()) * (c.red() - k.colour.red()) +
                      (c.green() - k.colour.green()) * (c.green() - k.colour.green()) +
                      (c.blue() - k.colour.blue()) * (c.blue() - k.colour.blue());
        if (d < bestDistance) {
            bestDistance = d;
            best = k.name;
        }
    }
    return best;
}

// The colours shown at the top left, top right, bottom left and bottom right.
inline std::string shownCorners(const QImage& image) {
    return {colourAt(image, 0.25, 0.25), colourAt(image, 0.75, 0.25), colourAt(image, 0.25, 0.75),
            colourAt(image, 0.75, 0.75)};
}

} // namespace picturecolours
