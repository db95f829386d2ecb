#include "editor/model/SKTPictureLoading.h"

#include "editor/model/PictureFileCache.h"

#include "platform/CardUnits.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QList>
#include <QThread>
#include <QtEndian>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <optional>
#include <thread>

namespace {

// A file whose header claims more pixels than this is refused before any
// pixel is read (256 megapixels: five times a 48-megapixel phone photo).
constexpr qint64 kMaxFilePixels = qint64(256) * 1024 * 1024;
// Readings tried, each at half the pixels of the one before, for a picture
// whose whole pixels pass the reader's memory limit.
constexpr int kReadTries = 4;
// Reading many files at once: at most this many threads, and whole pixels
// of at most this many bytes decoded at the same time (one larger picture
// is read alone).
constexpr int kMaxReadThreads = 4;
constexpr qint64 kReadBudgetBytes = qint64(384) * 1024 * 1024;

void tell(SKTPictureProblem* problem, SKTPictureProblem value) {
    if (problem) {
        *problem = value;
    }
}

qint64 pixelCount(const QSize& size) {
    return qint64(size.width()) * size.height();
}

// The whole pixels pass the reader's memory limit (4 bytes a pixel).
bool passesReaderLimit(const QSize& size) {
    const qint64 megabytes = QImageReader::allocationLimit();
    return megabytes > 0 && size.isValid() && pixelCount(size) * 4 > megabytes * 1024 * 1024;
}

// Pixels enough for a length, not counting a rounding error as one more.
int wholePixels(double length) {
    return int(std::ceil(length - 1e-6));
}

// The file scaled evenly so that both sides reach `want`; the whole file for
// an invalid `want` or one at least as large.
QSize evenlyScaled(const QSize& file, const QSize& want) {
    if (!want.isValid() || !file.isValid() || file.isEmpty()) {
        return file;
    }
    const double factor =
        std::max(double(want.width()) / file.width(), double(want.height()) / file.height());
    if (factor >= 1.0) {
        return file;
    }
    return QSize(std::max(1, wholePixels(file.width() * factor)),
                 std::max(1, wholePixels(file.height() * factor)));
}

// The pixels read at `target`. A picture whose whole pixels pass the
// reader's memory limit is tried again at half the pixels (JPEG decodes at
// 1/2, 1/4 and 1/8 of its size without its whole pixels); `most` is then
// what could be read.
QImage readPixels(const QString& file, const QSize& full, QSize target, QSize* most,
                  QByteArray* format) {
    for (int attempt = 0; attempt < kReadTries; ++attempt) {
        QImageReader reader(file);
        if (full.isValid() && target != full) {
            reader.setScaledSize(target);
        }
        *format = reader.format();
        const QImage image = reader.read();
        if (!image.isNull()) {
            return image;
        }
        if (!passesReaderLimit(full)) {
            break;
        }
        target = QSize(std::max(1, target.width() / 2), std::max(1, target.height() / 2));
        *most = target;
    }
    return {};
}

// Whether a JPEG file holds its end marker near its end. Qt reads a cut
// JPEG as a picture grey below the cut, with only a warning; entropy-coded
// data never holds the marker (0xFF is followed by 0x00 or a restart there),
// so a file without it in its last bytes was cut.
bool jpegEnds(const QString& path) {
    QFile file(path);
    constexpr qint64 kTail = 4096;
    if (!file.open(QIODevice::ReadOnly) || !file.seek(std::max<qint64>(0, file.size() - kTail))) {
        return false;
    }
    return file.read(kTail).contains(QByteArray("\xff\xd9", 2));
}

// Only regular files are read: a FIFO or a device named by a design file
// would otherwise hang the reader.
bool regularFile(const QString& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(QFile::encodeName(QDir::cleanPath(path)).toStdString(),
                                            error);
}

// The resolution a PNG file gives in its pHYs chunk (dots per metre), read
// without its pixels; none when it gives none. Qt's reader scales the
// resolution with the pixels when it reads a PNG scaled down, so the file's
// own is read here.
std::optional<QSize> pngDotsPerMetre(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.read(8) != QByteArray("\x89PNG\r\n\x1a\n", 8)) {
        return std::nullopt;
    }
    for (int chunk = 0; chunk < 1024; ++chunk) {
        const QByteArray head = file.read(8);
        if (head.size() < 8) {
            return std::nullopt;
        }
        const quint32 length = qFromBigEndian<quint32>(head.constData());
        const QByteArray type = head.mid(4);
        if (type == "IDAT" || type == "IEND") {
            return std::nullopt;
        }
        if (type == "pHYs" && length == 9) {
            const QByteArray body = file.read(9);
            if (body.size() < 9 || body.at(8) != 1) {
                return std::nullopt;
            }
            return QSize(int(qFromBigEndian<quint32>(body.constData()) & 0x7fffffff),
                         int(qFromBigEndian<quint32>(body.constData() + 4) & 0x7fffffff));
        }
        if (!file.seek(file.pos() + qint64(length) + 4)) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

// The file's own size in points: its whole pixels at its resolution (72 dpi
// when it gives none).
QSizeF pointsOfFile(const QString& path, const QByteArray& format, const QImage& image,
                    const QSize& filePixels) {
    QImage resolution(1, 1, QImage::Format_RGB32);
    if (image.size() == filePixels || format != "png") {
        resolution.setDotsPerMeterX(image.dotsPerMeterX());
        resolution.setDotsPerMeterY(image.dotsPerMeterY());
    } else if (const auto dpm = pngDotsPerMetre(path); dpm && !dpm->isEmpty()) {
        resolution.setDotsPerMeterX(dpm->width());
        resolution.setDotsPerMeterY(dpm->height());
    }
    return QSizeF(filePixels.width() * CardUnits::kPointsPerInch / CardUnits::imageDpiX(resolution),
                  filePixels.height() * CardUnits::kPointsPerInch /
                      CardUnits::imageDpiY(resolution));
}

// Dots per metre for dots per inch.
int dotsPerMetre(double dpi) {
    return std::max(1, int(std::lround(dpi / 0.0254)));
}

} // namespace

QSize SKTPictureRead::pixelsFor(const QSize& want) const {
    const QSize target = evenlyScaled(filePixels, want);
    return mostPixels.isValid() ? target.boundedTo(mostPixels) : target;
}

bool SKTPictureRead::serves(const QSize& want) const {
    if (!picture.isRaster()) {
        return true;
    }
    const QSize kept = picture.image().size();
    const QSize target = pixelsFor(want);
    // One pixel of rounding either way.
    return kept.width() + 1 >= target.width() && kept.height() + 1 >= target.height();
}

bool SKTPictureRead::fits(const QSize& want) const {
    if (!serves(want) || !picture.isRaster()) {
        return serves(want);
    }
    const QSize kept = picture.image().size();
    const QSize target = pixelsFor(want);
    return kept.width() * 2 <= target.width() * 3 + 2 &&
           kept.height() * 2 <= target.height() * 3 + 2;
}

QSize SKTPicturePixelsForFrame(const QSizeF& frame, int degrees, double pixelsPerPoint) {
    double width = std::isfinite(frame.width()) ? std::max(0.0, frame.width()) : 0.0;
    double height = std::isfinite(frame.height()) ? std::max(0.0, frame.height()) : 0.0;
    if (width <= 0 && height <= 0) {
        return QSize();
    }
    const int turn = ((degrees % 360) + 360) % 360;
    if (turn == 90 || turn == 270) {
        std::swap(width, height);
    } else if (turn != 0 && turn != 180) {
        // A turned picture sits on a square larger than its sides.
        width = height = std::max(width, height);
    }
    return QSize(wholePixels(std::min(width * pixelsPerPoint, 1.0e6)),
                 wholePixels(std::min(height * pixelsPerPoint, 1.0e6)));
}

QSize SKTPicturePixelsOnCard(const QRectF& frame, const QRectF& card, int degrees,
                             double pixelsPerPoint) {
    const QRectF whole = frame.normalized();
    if (card.isEmpty() || !whole.isValid() || !std::isfinite(whole.width()) ||
        !std::isfinite(whole.height())) {
        return SKTPicturePixelsForFrame(frame.size(), degrees, pixelsPerPoint);
    }
    const QRectF onCard = whole.intersected(card.normalized());
    if (onCard.isEmpty()) {
        // Nothing of it shows: one pixel, read again once it is moved on.
        return QSize(1, 1);
    }
    return SKTPicturePixelsForFrame(onCard.size(), degrees, pixelsPerPoint);
}

namespace {

std::atomic<int> decodings = 0;

// The resolution a JPEG file's JFIF header gives, as Qt's reader sets it on
// the pixels it reads (dots per metre); none when it gives none.
std::optional<QSize> jpegDotsPerMetre(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.read(2) != QByteArray("\xff\xd8", 2)) {
        return std::nullopt;
    }
    for (int segment = 0; segment < 64; ++segment) {
        const QByteArray head = file.read(4);
        if (head.size() < 4 || quint8(head.at(0)) != 0xff) {
            return std::nullopt;
        }
        const int marker = quint8(head.at(1));
        const int length = qFromBigEndian<quint16>(head.constData() + 2);
        if (marker == 0xda || length < 2) {
            return std::nullopt; // the pixels begin: no JFIF header before them
        }
        const QByteArray body = file.read(length - 2);
        if (marker == 0xe0 && body.size() >= 12 && body.startsWith(QByteArray("JFIF\0", 5))) {
            const int unit = quint8(body.at(7));
            const int x = qFromBigEndian<quint16>(body.constData() + 8);
            const int y = qFromBigEndian<quint16>(body.constData() + 10);
            if (unit == 1) {
                return QSize(int(100.0 * x / 2.54), int(100.0 * y / 2.54));
            }
            if (unit == 2) {
                return QSize(100 * x, 100 * y);
            }
            return std::nullopt;
        }
    }
    return std::nullopt;
}

// Whether a PNG file holds its end chunk near its end: a file cut short
// lacks it (the reader then fails on its pixels).
bool pngEnds(const QString& path) {
    QFile file(path);
    constexpr qint64 kTail = 4096;
    if (!file.open(QIODevice::ReadOnly) || !file.seek(std::max<qint64>(0, file.size() - kTail))) {
        return false;
    }
    return file.read(kTail).contains(QByteArray("IEND"));
}

// A reading of a file derived from a larger reading of it, without decoding
// the file again: its pixels scaled down to what `want` needs.
SKTPictureRead scaledDown(const SKTPictureRead& known, const CardPicture& larger,
                          const QSize& want) {
    SKTPictureRead read = known;
    const QSize target = read.pixelsFor(want);
    QImage image = larger.image().scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QSizeF points = read.filePoints;
    image.setDotsPerMeterX(
        dotsPerMetre(image.width() * CardUnits::kPointsPerInch / points.width()));
    image.setDotsPerMeterY(
        dotsPerMetre(image.height() * CardUnits::kPointsPerInch / points.height()));
    read.picture = CardPicture::fromImage(image, points);
    return read;
}

} // namespace

int SKTPictureDecodeCount() {
    return decodings.load();
}

namespace {
constexpr qint64 kPictureBudgetBytes = qint64(256) * 1024 * 1024;
std::atomic<qint64> pictureBudget = kPictureBudgetBytes;
} // namespace

qint64 SKTPictureBudgetBytes() {
    return pictureBudget.load();
}

void SKTSetPictureBudgetBytes(qint64 bytes) {
    pictureBudget = bytes > 0 ? bytes : kPictureBudgetBytes;
}

SKTPictureProbe SKTProbePictureFile(const QString& path) {
    SKTPictureProbe probe;
    const auto key = PictureFileCache::keyOf(path, &probe.problem);
    if (!key) {
        return probe;
    }
    QImageReader reader(key->path);
    const QSize size = reader.size();
    const QByteArray format = reader.format();
    if (!reader.canRead() || !size.isValid() || size.isEmpty()) {
        probe.problem = SKTPictureProblem::NotPicture;
        return probe;
    }
    if (pixelCount(size) > kMaxFilePixels) {
        probe.problem = SKTPictureProblem::TooLarge;
        return probe;
    }
    if ((format == "jpeg" && !jpegEnds(key->path)) || (format == "png" && !pngEnds(key->path))) {
        probe.problem = SKTPictureProblem::NotPicture;
        return probe;
    }
    probe.filePixels = size;
    if (format == "png" || format == "jpeg") {
        // The resolution as the reader would give it, on one pixel.
        QImage resolution(1, 1, QImage::Format_RGB32);
        if (format == "jpeg") {
            if (const auto dpm = jpegDotsPerMetre(key->path); dpm && !dpm->isEmpty()) {
                resolution.setDotsPerMeterX(dpm->width());
                resolution.setDotsPerMeterY(dpm->height());
            }
        }
        probe.filePoints = pointsOfFile(key->path, format, resolution, size);
    }
    return probe;
}

SKTPictureRead SKTReadPictureFile(const QString& path, const QSize& want,
                                  SKTPictureProblem* problem) {
    tell(problem, SKTPictureProblem::None);
    SKTPictureRead read;
    read.path = path;
    SKTPictureProblem found = SKTPictureProblem::None;
    const auto fileKey = PictureFileCache::keyOf(path, &found);
    if (!fileKey) {
        tell(problem, found);
        return read;
    }
    const PictureFileCache::FileKey& key = *fileKey;

    CardPicture larger;
    if (const auto known = PictureFileCache::find(key, want, &larger)) {
        read = *known;
        read.path = path;
        if (!read.picture.isNull()) {
            return read;
        }
        if (larger.isRaster() && !read.filePoints.isEmpty()) {
            // Decoded once already for a larger need: scaled down from that.
            read = scaledDown(read, larger, want);
            read.path = path;
            PictureFileCache::add(key, read);
            return read;
        }
    } else {
        // The header alone tells the size: a file claiming more pixels than
        // any card needs is refused before its pixels are read.
        const QSize size = QImageReader(key.path).size();
        if (size.isValid() && !size.isEmpty()) {
            read.filePixels = read.mostPixels = size;
        }
    }
    if (pixelCount(read.filePixels) > kMaxFilePixels) {
        tell(problem, SKTPictureProblem::TooLarge);
        return read;
    }
    QSize most = read.mostPixels;
    QByteArray format;
    ++decodings;
    QImage image = readPixels(key.path, read.filePixels, read.pixelsFor(want), &most, &format);
    if (image.isNull()) {
        tell(problem, passesReaderLimit(read.filePixels) ? SKTPictureProblem::TooLarge
                                                         : SKTPictureProblem::NotPicture);
        return read;
    }
    if (format == "jpeg" && !jpegEnds(key.path)) {
        tell(problem, SKTPictureProblem::NotPicture);
        return read;
    }
    if (!read.filePixels.isValid()) {
        // A format whose header does not tell its size was read whole.
        read.filePixels = most = image.size();
    }
    read.mostPixels = most;
    // The picture's size in points is the whole file's at its resolution;
    // the kept pixels are marked with the resolution that gives that size.
    if (read.filePoints.isEmpty()) {
        read.filePoints = pointsOfFile(key.path, format, image, read.filePixels);
    }
    const QSizeF points = read.filePoints;
    if (image.size() != read.filePixels) {
        image.setDotsPerMeterX(
            dotsPerMetre(image.width() * CardUnits::kPointsPerInch / points.width()));
        image.setDotsPerMeterY(
            dotsPerMetre(image.height() * CardUnits::kPointsPerInch / points.height()));
    }
    read.picture = CardPicture::fromImage(image, points);
    if (!read.picture.isNull()) {
        PictureFileCache::add(key, read);
    }
    return read;
}

namespace {

// The memory a reading takes while it decodes: PNG and JPEG decode scaled
// (JPEG at up to twice the pixels asked per side), other formats whole
// before they are scaled.
qint64 decodingBytes(const SKTPictureRequest& request) {
    if (!regularFile(request.path)) {
        return 0;
    }
    QImageReader reader(QDir::cleanPath(request.path));
    const QSize size = reader.size();
    if (!size.isValid() || pixelCount(size) > kMaxFilePixels) {
        return 0;
    }
    const QByteArray format = reader.format();
    const qint64 bytes = format == "png" || format == "jpeg"
                             ? pixelCount(evenlyScaled(size, request.want)) * 4 * 4
                             : pixelCount(size) * 4;
    return std::min(bytes, kReadBudgetBytes);
}

// Bytes handed out to threads decoding at the same time.
class ReadBudget {
public:
    void take(qint64 bytes) {
        std::unique_lock lock(m_mutex);
        m_free.wait(lock, [&] { return m_used == 0 || m_used + bytes <= kReadBudgetBytes; });
        m_used += bytes;
    }
    void give(qint64 bytes) {
        {
            const std::lock_guard lock(m_mutex);
            m_used -= bytes;
        }
        m_free.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_free;
    qint64 m_used = 0;
};

} // namespace

namespace {

// The pixels that serve every one of the wants: the larger of each side (an
// invalid want asks for the whole file).
QSize largestNeed(const QSize& a, const QSize& b) {
    if (!a.isValid() || !b.isValid()) {
        return QSize();
    }
    return a.expandedTo(b);
}

// The file a request names, the same under any spelling of its path.
QString fileOf(const QString& path) {
    const QString clean = QDir::cleanPath(path);
    const QString file = QFileInfo(clean).canonicalFilePath();
    return file.isEmpty() ? clean : file;
}

// One reading per file, asked for the largest need of its requests: the
// index of the request that reads it for each request, and the jobs.
std::vector<size_t> groupByFile(std::vector<SKTPictureRequest>& requests,
                                std::vector<SKTPictureRequest>& jobs) {
    QHash<QString, size_t> first;
    std::vector<size_t> jobOf(requests.size());
    for (size_t i = 0; i < requests.size(); ++i) {
        const QString file = fileOf(requests[i].path);
        const auto found = first.constFind(file);
        if (found != first.cend()) {
            jobOf[i] = *found;
            jobs[*found].want = largestNeed(jobs[*found].want, requests[i].want);
            continue;
        }
        first.insert(file, jobs.size());
        jobOf[i] = jobs.size();
        jobs.push_back({requests[i].path, requests[i].want, {}, {}});
    }
    return jobOf;
}

} // namespace

void SKTReadPictureFiles(std::vector<SKTPictureRequest>& requests) {
    std::vector<SKTPictureRequest> jobs;
    const std::vector<size_t> jobOf = groupByFile(requests, jobs);
    ReadBudget budget;
    std::atomic<size_t> next = 0;
    const auto work = [&] {
        for (size_t job = next++; job < jobs.size(); job = next++) {
            SKTPictureRequest& request = jobs[job];
            const qint64 bytes = decodingBytes(request);
            budget.take(bytes);
            request.read = SKTReadPictureFile(request.path, request.want, &request.problem);
            budget.give(bytes);
        }
    };
    const int threads =
        std::clamp(std::min(QThread::idealThreadCount(), int(jobs.size())), 1, kMaxReadThreads);
    std::vector<std::thread> workers;
    for (int t = 1; t < threads; ++t) {
        workers.emplace_back(work);
    }
    work();
    for (std::thread& worker : workers) {
        worker.join();
    }
    for (size_t i = 0; i < requests.size(); ++i) {
        requests[i].read = jobs[jobOf[i]].read;
        requests[i].read.path = requests[i].path;
        requests[i].problem = jobs[jobOf[i]].problem;
    }
}

qint64 SKTKeptBytesOfRequests(const std::vector<SKTPictureRequest>& requests) {
    std::vector<SKTPictureRequest> asked(requests);
    std::vector<SKTPictureRequest> jobs;
    groupByFile(asked, jobs);
    qint64 bytes = 0;
    for (const SKTPictureRequest& job : jobs) {
        const SKTPictureProbe probe = SKTProbePictureFile(job.path);
        if (probe.problem == SKTPictureProblem::None) {
            bytes += pixelCount(evenlyScaled(probe.filePixels, job.want)) * 4;
        }
    }
    return bytes;
}

qint64 SKTKeptPictureBytes() {
    return PictureFileCache::keptBytes();
}

CardPicture SKTLoadPictureFile(const QString& path, SKTPictureProblem* problem) {
    return SKTReadPictureFile(path, QSize(), problem).picture;
}

QString SKTPictureProblemLine(const QString& path, SKTPictureProblem problem) {
    const QString name = QFileInfo(path).fileName();
    return QStringLiteral("\"%1\" %2.")
        .arg(name.isEmpty() ? path : name, SKTPictureProblemText(problem));
}

QString SKTPictureProblemText(SKTPictureProblem problem) {
    switch (problem) {
    case SKTPictureProblem::None:
        return QString();
    case SKTPictureProblem::Missing:
        return QCoreApplication::translate("Pictures", "cannot be found");
    case SKTPictureProblem::NotPicture:
        return QCoreApplication::translate("Pictures", "is not a picture the program can read");
    case SKTPictureProblem::TooLarge:
        return QCoreApplication::translate("Pictures", "is too large");
    }
    return QString();
}
