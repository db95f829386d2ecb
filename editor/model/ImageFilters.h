#pragma once
// The pixel arithmetic of the picture adjustments. Each filter takes a
// raster and answers a new raster of the same pixel size and resolution, or
// a null image when it could not allocate one. Colour values are worked on
// straight (not premultiplied) and run 0..1; alpha is kept.
//
// Units and neutral values (the neutral value answers the input itself, so a
// neutral picture stays bit for bit the same; a value that is not a finite
// number counts as neutral):
// - grayScale: Rec. 709 luma (0.2126 R + 0.7152 G + 0.0722 B) in every
//   channel.
// - sepia: the sepia tone matrix of full intensity
//   (0.393 0.769 0.189 / 0.349 0.686 0.168 / 0.272 0.534 0.131).
// - invertColor: 1 - c in every colour channel.
// - adjustHue: turns the hue by an angle in radians (the luma-preserving hue
//   rotation matrix); neutral 0.
// - colorControls: saturation is a blend with the luma, L + s (c - L)
//   (neutral 1, 0 grey); then brightness is added to every channel
//   (neutral 0); then contrast scales around 0.5, (c - 0.5) k + 0.5
//   (neutral 1).
// - sharpenLuminance: unsharp masking of the luma against its 3 x 3 box
//   average, L + amount (L - mean), the change added to every channel;
//   neutral 0.
// - boxBlur: average over a (2r + 1) square, r the radius in pixels rounded
//   to a whole number, edges repeated, worked on premultiplied values;
//   neutral below 0.5.
// - exposure: every channel times 2^EV; neutral 0.
// Results are clamped to 0..1.

#include <QImage>

namespace ImageFilters {

QImage grayScale(const QImage& image);
QImage sepia(const QImage& image);
QImage invertColor(const QImage& image);
QImage adjustHue(const QImage& image, float radians);
QImage colorControls(const QImage& image, float saturation, float brightness, float contrast);
QImage sharpenLuminance(const QImage& image, float amount);
QImage boxBlur(const QImage& image, float radius);
QImage exposure(const QImage& image, float ev);

} // namespace ImageFilters
