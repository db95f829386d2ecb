#pragma once
// What a 2D picture is framed with: the designer's picture size and its
// header and footer, the values a linear model would answer.

#include <QString>

struct BarcodeFrame {
    float width = 0.0f;  // points
    float height = 0.0f; // points
    bool printsHeader = false;
    bool printsFooter = false;
    float headerHeight = 0.0f; // inches
    QString header;
    QString footer;
};
