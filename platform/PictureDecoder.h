#pragma once
// Reads picture files as a photo viewer shows them: the EXIF orientation of
// the file is applied, so a phone photo stored on its side comes out
// upright, and every size here (but storedPixels) is the turned one.
//
// What decoding a file costs is told from its header before any pixel is
// read, as the decoder really spends it: a progressive JPEG keeps its whole
// coefficients (about 2 bytes a pixel and colour component of the whole
// picture) whatever size is asked, a 16-bit PNG has 8 bytes a pixel. A file
// costing more than kMaxDecodingBytes is refused as too large.

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QSizeF>
#include <QString>

// Why a picture file gives no picture; None when it reads.
enum class PictureFileProblem { None, Missing, NotPicture, TooLarge };

namespace PictureDecoder {

// A file whose header claims more pixels than this is refused before any
// pixel is read (256 megapixels: five times a 48-megapixel phone photo).
inline constexpr qint64 kMaxPixels = qint64(256) * 1024 * 1024;
// A reading that would spend more memory than this while it decodes is
// refused before it starts.
inline constexpr qint64 kMaxDecodingBytes = qint64(512) * 1024 * 1024;

// What the header of a picture file tells, read without its pixels.
struct Header {
    // None when the file can be tried; Missing, NotPicture, or TooLarge for
    // a picture of more than kMaxPixels or one that costs more than
    // kMaxDecodingBytes even at its smallest reading.
    PictureFileProblem problem = PictureFileProblem::NotPicture;
    // Qt's name of the format ("jpeg", "png", ...).
    QByteArray format;
    // The pixels as stored in the file.
    QSize storedPixels;
    // The EXIF Orientation tag, 1 to 8 (1 when the file has none).
    int orientation = 1;
    // The pixels as shown: orientations 5 to 8 swap the sides.
    QSize pixels;
    // The resolution as shown, when the header gives one (JPEG JFIF, PNG
    // pHYs); empty otherwise.
    QSize dotsPerMetre;

    // JPEG: colour components, their sampling factors (horizontal,
    // vertical), whether the decoder keeps whole-picture coefficients
    // (progressive, or sequential in several scans).
    int components = 0;
    int sampling[4][2] = {};
    bool wholeCoefficients = false;
    // PNG: bits a sample, colour type, interlaced.
    int bitDepth = 8;
    int colourType = 6;
    bool interlaced = false;

    // Orientations 5 to 8 show the stored picture turned a quarter.
    bool turned() const { return orientation >= 5 && orientation <= 8; }
    // Pixels as shown for pixels as stored, and back (the same swap).
    QSize shownFor(const QSize& stored) const { return turned() ? stored.transposed() : stored; }
    // Bytes spent reading the file at `target` pixels as shown (the whole
    // picture for an invalid target), the orientation applied.
    qint64 decodingBytes(const QSize& target) const;
    // The file's size in points as shown: its pixels at the header's
    // resolution, else at the resolution `decoded` carries (72 dpi when it
    // carries none).
    QSizeF points(const QImage& decoded) const;
};

// Reads the header of a picture file.
Header readHeader(const QString& path);

// Bytes spent reading the file at `target` pixels as shown; 0 for a file
// that cannot be tried.
qint64 decodingCost(const QString& path, const QSize& target);

// The picture at `target` pixels as shown (the whole picture for an invalid
// target), turned upright; null with `problem` set when it cannot be read:
// TooLarge when it would cost more than kMaxDecodingBytes or more than Qt's
// allocation limit for its result, NotPicture when it does not decode or
// its data is cut short. `header`, when given, is the file's header read
// before.
QImage decode(const QString& path, const QSize& target, PictureFileProblem* problem = nullptr,
              const Header* header = nullptr);

// `stored` turned as EXIF orientation `orientation` says (1 to 8; any other
// value leaves it as it is), its resolution turned with it.
QImage applyOrientation(const QImage& stored, int orientation);

} // namespace PictureDecoder
