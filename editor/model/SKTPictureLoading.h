#pragma once
// Reads a picture file for a card object: the path is standardised first and
// an unreadable file gives no picture. The reason a file cannot be shown is
// told in words for the messages of the windows that chose it.
//
// Pictures read from files are shared by the whole process: every object
// that shows one file (the same file under any spelling of its path, with
// the same size, modification and change times and inode) holds the same
// pixels, and they are kept only while some object holds them. A file is
// decoded once for the largest need; smaller needs share that reading when
// it is not far more than they want, else take a copy scaled down from it.
// An object keeps at most the pixels the part of its frame on the card can
// show at the finest output (see SKTPicturePixelsOnCard); the picture's
// size in points is always the file's own, whatever pixels are kept.

#include "platform/CardPicture.h"

#include <QList>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <functional>
#include <vector>

// Why a picture file gives no picture; None when it reads.
enum class SKTPictureProblem { None, Missing, NotPicture, TooLarge };

// The picture of a file at the most pixels it can be read at (the file's
// own, or fewer for a picture that only fits the reader's memory limit
// scaled down), or a null picture; `problem`, when given, says why the
// picture is null (None when it is not).
CardPicture SKTLoadPictureFile(const QString& path, SKTPictureProblem* problem = nullptr);

// The end of a message naming the file: "is not a picture the program can
// read", "is too large", "cannot be found"; empty for None.
QString SKTPictureProblemText(SKTPictureProblem problem);
// The whole line: "\"name.png\" is not a picture the program can read."
// (the file's name; the path when it has none).
QString SKTPictureProblemLine(const QString& path, SKTPictureProblem problem);

// What a file's header tells, read without decoding its pixels: why it
// gives no picture (None when the header reads), its pixels and, when the
// header gives them, its size in points (empty otherwise).
struct SKTPictureProbe {
    SKTPictureProblem problem = SKTPictureProblem::None;
    QSize filePixels;
    QSizeF filePoints;
};
SKTPictureProbe SKTProbePictureFile(const QString& path);

// Pixels kept per point of an object's frame: 600 dpi, the finest export.
// The canvas shows the frame finer only beyond 833 % zoom, where it draws
// these pixels enlarged.
inline constexpr double SKTPicturePixelsPerPoint = 600.0 / 72.0;
// Pixels per point once a design's pictures pass the budget: what the
// canvas shows at 100 %. Outputs then read what they need from the files.
inline constexpr double SKTScreenPixelsPerPoint = 1.0;
// Bytes of kept pixels all pictures read from files may take together at
// SKTPicturePixelsPerPoint (one reading per file at its largest need): 256 MB.
qint64 SKTPictureBudgetBytes();
// Another budget (tests); a value of 0 or less puts the 256 MB back.
void SKTSetPictureBudgetBytes(qint64 bytes);

// The pixels (along the picture's own width and height) that show a picture
// in a frame of this size at `pixelsPerPoint`, the picture turned by
// `degrees` before it is stretched into the frame. An empty frame asks for
// the whole picture (an invalid size).
QSize SKTPicturePixelsForFrame(const QSizeF& frame, int degrees,
                               double pixelsPerPoint = SKTPicturePixelsPerPoint);
// The same for the part of the frame that lies on the card: a frame larger
// than the card keeps no more pixels than the card can show, and one wholly
// off the card keeps one pixel. Without a card (an empty one) the whole
// frame counts.
QSize SKTPicturePixelsOnCard(const QRectF& frame, const QRectF& card, int degrees,
                             double pixelsPerPoint = SKTPicturePixelsPerPoint);

// Pixel decodings of picture files since the process started (for tests
// and measurements).
int SKTPictureDecodeCount();

// A picture read from a file for a number of pixels.
struct SKTPictureRead {
    // The path as it was given, and what it gave.
    QString path;
    CardPicture picture;
    // The file's own pixels, and the most it can be read at.
    QSize filePixels;
    QSize mostPixels;
    // The file's own size in points (its pixels at its resolution).
    QSizeF filePoints;

    // The pixels a reading for `want` keeps: the file scaled evenly so that
    // both sides reach `want` (the whole file for an invalid `want`), never
    // beyond mostPixels.
    QSize pixelsFor(const QSize& want) const;
    // The kept pixels are enough for `want`.
    bool serves(const QSize& want) const;
    // The kept pixels are enough for `want` without being far more.
    bool fits(const QSize& want) const;
};

// Reads the file's pixels for `want` (see SKTPictureRead::pixelsFor), shared
// with every reading of the same file that already keeps enough of them.
// Safe on any thread.
SKTPictureRead SKTReadPictureFile(const QString& path, const QSize& want,
                                  SKTPictureProblem* problem = nullptr);

// One reading asked of SKTReadPictureFiles, and what it gave.
struct SKTPictureRequest {
    QString path;
    QSize want;
    SKTPictureRead read;
    SKTPictureProblem problem = SKTPictureProblem::None;
};

// Called on the calling thread of SKTReadPictureFiles while it waits for its
// files: how many have been read and how many there are. It is called again
// at least every 15 ms, and once more when all are read; it should return
// soon (handle the events waiting, show the progress).
using SKTPictureReadWait = std::function<void(int read, int files)>;

// Reads many files at once on a few threads, as many at a time as their
// decoding fits the decode budget (PictureDecodeBudget). Each file (under
// any spelling) is decoded once, for the largest of the pixels asked of it;
// every request of it gets that reading. The caller holds the answers while
// its objects take their pictures through SKTReadPictureFile, which then
// finds them (sharing them, or scaling a copy down from them, without
// decoding again). Given `wait`, the calling thread reads nothing itself
// and calls it while it waits. Answers how many files it read: the `files`
// told to `wait`.
int SKTReadPictureFiles(std::vector<SKTPictureRequest>& requests,
                        const SKTPictureReadWait& wait = {});

// The bytes the kept pixels of these requests would take: one reading per
// file at its largest need, as SKTReadPictureFiles reads them (headers
// only; a file whose header does not read counts nothing).
qint64 SKTKeptBytesOfRequests(const std::vector<SKTPictureRequest>& requests);
// The bytes of the pixels held now by every picture read from a file.
qint64 SKTKeptPictureBytes();
