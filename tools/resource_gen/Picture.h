#pragma once
// One resource picture: where it goes inside the output folder and how it is
// drawn.

#include <QImage>
#include <QString>
#include <functional>
#include <vector>

struct Picture {
    QString relativePath; // e.g. "Fill_Style_Image/dots.png"; the suffix picks the file format
    std::function<QImage()> draw;
};

using PictureList = std::vector<Picture>;
