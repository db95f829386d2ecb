#include "platform/JpegReader.h"

#include "platform/PictureHeaders.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <csetjmp>
#include <cstdio>

// libjpeg's headers need FILE and size_t declared before them.
#include <jerror.h>
#include <jpeglib.h>

namespace JpegReader {
namespace {

// Everything a reading holds, released on every way out.
//
// libjpeg reports a fatal error by calling error_exit, which must not
// return. Throwing a C++ exception from it would unwind through libjpeg's
// C frames, which are not built to be unwound, so error_exit jumps back
// with longjmp instead. That is sound only when the frames it leaves hold
// no object with a destructor: the jump lands in one of the two small
// steps below (`start`, `decodeRows`), which hold nothing but plain values
// and call nothing but libjpeg and plain functions; this object lives in
// the caller's frame, which the jump never leaves, and releases libjpeg's
// memory and the file however the reading ended.
struct Reading {
    FILE* file = nullptr;
    jpeg_error_mgr errors{};
    jpeg_decompress_struct info{};
    std::jmp_buf jump{};
    jpeg_progress_mgr progress{};
    // libjpeg warned that the data ends before the picture does.
    bool cut = false;
    // The scans after the first are decoded through whole-picture
    // coefficients.
    bool multipleScans = false;

    Reading() = default;
    Reading(const Reading&) = delete;
    Reading& operator=(const Reading&) = delete;
    ~Reading() {
        // Safe on a zeroed object too: libjpeg frees only what it made.
        jpeg_destroy_decompress(&info);
        if (file) {
            std::fclose(file);
        }
    }
};

Reading& readingOf(j_common_ptr common) {
    return *static_cast<Reading*>(common->client_data);
}

[[noreturn]] void failed(j_common_ptr common) {
    std::longjmp(readingOf(common).jump, 1);
}

// Warnings come with level -1 (the data is corrupt and libjpeg goes on);
// trace messages with 0 and up, never shown. Nothing is printed: what
// matters reaches the caller as the outcome.
void warned(j_common_ptr common, int level) {
    if (level >= 0) {
        return;
    }
    ++common->err->num_warnings;
    // The file ended, or an entropy-coded segment ended at a marker,
    // before the picture was whole: libjpeg would go on with grey blocks.
    // Stray bytes before a marker and other damage it reads past are not
    // a cut.
    const int code = common->err->msg_code;
    if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER) {
        readingOf(common).cut = true;
        // The rest of the picture need not be decoded to know it.
        common->err->error_exit(common);
    }
}

// Real encoders write at most a few dozen scans; libjpeg reads a scan over
// the whole picture however few bytes it has, so a file of thousands of
// tiny (or repeated) scans would take minutes. A file with more scans than
// this is refused.
constexpr int kMaxScans = 200;

// Called by libjpeg as it reads: gives up on a file past the scan limit.
void progressed(j_common_ptr common) {
    const auto* info = reinterpret_cast<j_decompress_ptr>(common);
    if (info->input_scan_number > kMaxScans) {
        common->err->error_exit(common);
    }
}

// Four bytes a pixel in QImage::Format_RGB32's memory order, alpha 0xff.
constexpr J_COLOR_SPACE kRgb32 = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;

// The colour space libjpeg writes the rows in: one grey byte, RGB32, or
// CMYK turned into RGB32 afterwards (libjpeg turns YCCK into CMYK).
void chooseOutput(jpeg_decompress_struct& info, int denominator, bool greyAsColour) {
    switch (info.jpeg_color_space) {
    case JCS_GRAYSCALE:
        info.out_color_space = greyAsColour ? kRgb32 : JCS_GRAYSCALE;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        info.out_color_space = JCS_CMYK;
        break;
    default:
        // libjpeg refuses a colour space it cannot turn into RGB.
        info.out_color_space = kRgb32;
        break;
    }
    info.scale_num = 1;
    info.scale_denom = unsigned(denominator);
}

// CMYK rows as Adobe writes them, every value inverted (0 is full ink),
// turned into RGB32 in place.
void cmykToRgb32(JSAMPROW row, JDIMENSION width) {
    for (JDIMENSION x = 0; x < width; ++x) {
        JSAMPLE* p = row + 4 * x;
        const int k = p[3];
        const QRgb rgb = qRgb(p[0] * k / 255, p[1] * k / 255, p[2] * k / 255);
        qToUnaligned(rgb, p);
    }
}

// The first step: libjpeg set up on the open file, the header read, the
// size of the output worked out. False when libjpeg gave up.
bool start(Reading& r, int denominator, bool greyAsColour) {
    if (setjmp(r.jump)) {
        return false;
    }
    jpeg_create_decompress(&r.info);
    // libjpeg holds whole-picture coefficients in memory only: a file
    // needing more than a reading may spend is refused, whatever its
    // header said.
    r.info.mem->max_memory_to_use = long(PictureDecoder::kMaxDecodingBytes);
    r.progress.progress_monitor = progressed;
    r.info.progress = &r.progress;
    jpeg_stdio_src(&r.info, r.file);
    jpeg_read_header(&r.info, TRUE);
    r.multipleScans = jpeg_has_multiple_scans(&r.info);
    chooseOutput(r.info, denominator, greyAsColour);
    jpeg_calc_output_dimensions(&r.info);
    return true;
}

// The second step: every row decoded into `bits`, `stride` bytes apart,
// and the file read to its end marker. False when libjpeg gave up.
bool decodeRows(Reading& r, uchar* bits, qsizetype stride) {
    if (setjmp(r.jump)) {
        return false;
    }
    jpeg_start_decompress(&r.info);
    const bool cmyk = r.info.out_color_space == JCS_CMYK;
    while (r.info.output_scanline < r.info.output_height) {
        constexpr JDIMENSION kRows = 16;
        JSAMPROW rows[kRows];
        const JDIMENSION first = r.info.output_scanline;
        const JDIMENSION count = std::min(kRows, r.info.output_height - first);
        for (JDIMENSION i = 0; i < count; ++i) {
            rows[i] = bits + stride * qsizetype(first + i);
        }
        const JDIMENSION read = jpeg_read_scanlines(&r.info, rows, count);
        if (read == 0) {
            return false; // a suspending source only; the file's never suspends
        }
        for (JDIMENSION i = 0; cmyk && i < read; ++i) {
            cmykToRgb32(rows[i], r.info.output_width);
        }
    }
    jpeg_finish_decompress(&r.info);
    return true;
}

qint64 ceilDiv(qint64 a, qint64 b) {
    return (a + b - 1) / b;
}

// Whether libjpeg found the frame the header told, so the reading spends
// what was counted for it.
bool frameAsTold(const Reading& r, const PictureDecoder::Header& header, int denominator) {
    const QSize stored = header.storedPixels;
    return int(r.info.image_width) == stored.width() &&
           int(r.info.image_height) == stored.height() &&
           r.info.num_components == header.components &&
           (!r.multipleScans || header.wholeCoefficients) &&
           qint64(r.info.output_width) == ceilDiv(stored.width(), denominator) &&
           qint64(r.info.output_height) == ceilDiv(stored.height(), denominator);
}

} // namespace

QImage read(const QString& path, const PictureDecoder::Header& header, int denominator,
            bool greyAsColour, Outcome* outcome) {
    const auto refuse = [outcome](Outcome why) {
        if (outcome) {
            *outcome = why;
        }
        return QImage();
    };
    Reading r;
    jpeg_std_error(&r.errors);
    r.errors.error_exit = failed;
    r.errors.emit_message = warned;
    r.info.err = &r.errors;
    r.info.client_data = &r;
    r.file = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (!r.file) {
        return refuse(Outcome::NotPicture);
    }
    if (!start(r, denominator, greyAsColour)) {
        return refuse(r.cut ? Outcome::Cut : Outcome::NotPicture);
    }
    if (!frameAsTold(r, header, denominator)) {
        return refuse(Outcome::NotPicture);
    }
    const bool grey = r.info.out_color_space == JCS_GRAYSCALE;
    QImage image(int(r.info.output_width), int(r.info.output_height),
                 grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
    if (image.isNull()) {
        return refuse(Outcome::NotPicture);
    }
    if (!decodeRows(r, image.bits(), image.bytesPerLine())) {
        return refuse(r.cut ? Outcome::Cut : Outcome::NotPicture);
    }
    if (r.info.saw_JFIF_marker) {
        const QSize dotsPerMetre = PictureHeaders::jfifDotsPerMetre(
            r.info.density_unit, r.info.X_density, r.info.Y_density);
        if (!dotsPerMetre.isEmpty()) {
            image.setDotsPerMeterX(dotsPerMetre.width());
            image.setDotsPerMeterY(dotsPerMetre.height());
        }
    }
    if (outcome) {
        *outcome = Outcome::Read;
    }
    return image;
}

} // namespace JpegReader
