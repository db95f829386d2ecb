#pragma once
// The picture adjustment chain of picture objects: size limit, grey scale,
// sepia, inversion, hue, colour controls, sharpening, blur, exposure and
// rotation, in that order. Stateless; runs on whichever thread draws. The
// pixel arithmetic and its units are in ImageFilters.h.
//
// Pictures are CardPictures: the raster plus its size in points. Every
// filter keeps the picture's size; a neutral value gives the very same
// picture (a vector picture stays vector while no step changes pixels).
// A step that fails (no memory for its result) is logged with its name and
// skipped; a failing size limit or rotation is logged and the chain answers
// no picture.

#include "platform/CardPicture.h"

#include <QImage>
#include <QString>
#include <functional>

class ImageProcesser {
public:
    // The largest picture (in points) that goes through the chain.
    static constexpr float kMaxWidth = 724.0f;
    static constexpr float kMaxHeight = 468.0f;
    // Margin around a picture turned by an angle that is not a right angle.
    static constexpr double kRotationMargin = 20.0;
    // Once a step changes pixels, finer pictures are worked on at this many
    // pixels per point (216 dpi), which is more than card prints show; a
    // neutral chain leaves the picture whole.
    static constexpr double kMaxPixelsPerPoint = 3.0;

    // The pixel steps, replaceable as a set (tests make one fail).
    struct Filters {
        std::function<QImage(const QImage&)> grayScale;
        std::function<QImage(const QImage&)> sepia;
        std::function<QImage(const QImage&)> invertColor;
        std::function<QImage(const QImage&, float)> hue;
        std::function<QImage(const QImage&, float, float, float)> colorControls;
        std::function<QImage(const QImage&, float)> sharpness;
        std::function<QImage(const QImage&, float)> boxBlur;
        std::function<QImage(const QImage&, float)> exposure;

        static const Filters& standard();
    };

    // The whole chain. `r` is the sharpening amount, `g` the exposure, `b`
    // the blur radius; `tranprency` (the opacity) is applied by the drawing,
    // not here. No picture in gives no picture out.
    static CardPicture Get_Processed_Image(const CardPicture& picture, bool grayscale, bool sepia,
                                           bool invrtclr, float hue, float sat, float brt,
                                           float con, int rotate, float r, float g, float b,
                                           float tranprency);
    static CardPicture Get_Processed_Image(const CardPicture& picture, bool grayscale, bool sepia,
                                           bool invrtclr, float hue, float sat, float brt,
                                           float con, int rotate, float r, float g, float b,
                                           float tranprency, const Filters& filters);

    // The picture scaled down, at its own proportions, to fit within 724
    // points wide and 468 high. A picture within both limits comes back as
    // it is. The argument is not changed.
    static CardPicture Set_Dimaension(const CardPicture& picture);
    // The size Set_Dimaension gives a picture of this size (also the size
    // Make Natural Size gives a picture object).
    static QSizeF limitedSize(const QSizeF& size);

    static CardPicture GrayScale(const CardPicture& picture);
    static CardPicture Sepia(const CardPicture& picture);
    static CardPicture Invert_Color(const CardPicture& picture);
    static CardPicture adjust_Hue(const CardPicture& picture, float hue);
    static CardPicture adjust_Color_Control(const CardPicture& picture, float sat, float brt,
                                            float con);
    static CardPicture adjust_Sharpness(const CardPicture& picture, float value);
    static CardPicture adjust_boxBlur(const CardPicture& picture, float value);
    static CardPicture adjust_EV(const CardPicture& picture, float value);

    // Turns the picture counter-clockwise on screen by the angle's remainder
    // of 360 degrees (sign kept). No turn: the picture itself. Right angles
    // swap or keep the size exactly; any other angle centres the turned
    // picture on a square canvas of side max(larger side + 20, the turned
    // picture's bounding box), so no corner is cut. None when the canvas
    // cannot be made.
    static CardPicture imageRotated(const CardPicture& picture, float degrees);
    // The whole degrees the chain turns by for a stored rotation: truncated
    // toward zero after taking the remainder of 360; 0 for a value that is
    // not a finite number.
    static int wholeDegrees(double rotation);
};
