#include "editor/model/SKTPictureLoading.h"

#include "editor/model/PictureDecodeBudget.h"
#include "editor/model/PictureFileCache.h"

#include "platform/CardUnits.h"
#include "platform/PictureDecoder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>

namespace {

// A file whose header claims more pixels than this is refused before any
// pixel is read (256 megapixels: five times a 48-megapixel phone photo).
constexpr qint64 kMaxFilePixels = qint64(256) * 1024 * 1024;
// Readings tried, each at half the pixels of the one before, for a picture
// whose whole pixels pass the reader's memory limit.
constexpr int kReadTries = 4;
// Reading many files at once: at most this many threads (what they spend
// together is bounded by the decode budget).
constexpr int kMaxReadThreads = 4;
// A caller waiting for many files is told at least this often.
constexpr int kWaitTellMilliseconds = 15;

void tell(SKTPictureProblem* problem, SKTPictureProblem value) {
    if (problem) {
        *problem = value;
    }
}

qint64 pixelCount(const QSize& size) {
    return qint64(size.width()) * size.height();
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

SKTPictureProblem problemOf(PictureFileProblem problem) {
    switch (problem) {
    case PictureFileProblem::None:
        return SKTPictureProblem::None;
    case PictureFileProblem::Missing:
        return SKTPictureProblem::Missing;
    case PictureFileProblem::TooLarge:
        return SKTPictureProblem::TooLarge;
    case PictureFileProblem::NotPicture:
        break;
    }
    return SKTPictureProblem::NotPicture;
}

// The pixels read at `target`, upright as the file's orientation says. A
// reading that would cost more memory than the decoder may spend is tried
// again at half the pixels (JPEG decodes at 1/2, 1/4 and 1/8 of its size
// without its whole pixels, PNG row by row); `most` is then what could be
// read, and `why` why nothing could.
QImage readPixels(const QString& file, const QSize& full, QSize target, QSize* most,
                  QByteArray* format, SKTPictureProblem* why) {
    const PictureDecoder::Header header = PictureDecoder::readHeader(file);
    *format = header.format;
    PictureFileProblem problem = header.problem;
    QImage image;
    for (int attempt = 0; attempt < kReadTries && problem == PictureFileProblem::None; ++attempt) {
        // The decode waits until what it spends fits beside the decodes
        // running on other threads. One the decoder refuses for its cost
        // alone is refused at once, holding nothing.
        const qint64 cost = header.decodingBytes(target);
        const PictureDecodeBudget::Share share(cost <= PictureDecoder::kMaxDecodingBytes ? cost
                                                                                         : 0);
        PictureDecodeBudget::runDecodeHook(file);
        image = PictureDecoder::decode(file, target, &problem, &header);
        if (problem != PictureFileProblem::TooLarge || !full.isValid() || !target.isValid() ||
            attempt + 1 == kReadTries) {
            break;
        }
        target = QSize(std::max(1, target.width() / 2), std::max(1, target.height() / 2));
        *most = target;
        problem = PictureFileProblem::None;
    }
    *why = problemOf(problem);
    return image;
}

// The file's own size in points: its whole pixels, as shown, at its
// resolution (72 dpi when it gives none).
QSizeF pointsOfFile(const QString& path, const QImage& image, const QSize& filePixels) {
    PictureDecoder::Header header = PictureDecoder::readHeader(path);
    header.pixels = filePixels;
    return header.points(image);
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

// Whether a file holds this marker in its last bytes: a JPEG its end of
// image, a PNG its end chunk. A file cut short lacks it (the decoder then
// refuses its pixels), so the choosers can tell without decoding.
bool endsWithMarker(const QString& path, const QByteArray& marker) {
    QFile file(path);
    constexpr qint64 kTail = 4096;
    if (!file.open(QIODevice::ReadOnly) || !file.seek(std::max<qint64>(0, file.size() - kTail))) {
        return false;
    }
    return file.read(kTail).contains(marker);
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
    const PictureDecoder::Header header = PictureDecoder::readHeader(key->path);
    probe.problem = problemOf(header.problem);
    if (probe.problem == SKTPictureProblem::None &&
        (!header.pixels.isValid() || header.pixels.isEmpty())) {
        probe.problem = SKTPictureProblem::NotPicture;
    }
    if (probe.problem == SKTPictureProblem::None &&
        ((header.format == "jpeg" && !endsWithMarker(key->path, QByteArray("\xff\xd9", 2))) ||
         (header.format == "png" && !endsWithMarker(key->path, QByteArray("IEND"))))) {
        probe.problem = SKTPictureProblem::NotPicture;
    }
    if (probe.problem != SKTPictureProblem::None) {
        return probe;
    }
    probe.filePixels = header.pixels;
    if (header.format == "png" || header.format == "jpeg") {
        // As the decoder gives it: the header's resolution, else the one
        // Qt's reader leaves on the pixels it reads.
        probe.filePoints = header.points(QImage());
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
        const QSize size = PictureDecoder::readHeader(key.path).pixels;
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
    SKTPictureProblem why = SKTPictureProblem::None;
    ++decodings;
    QImage image =
        readPixels(key.path, read.filePixels, read.pixelsFor(want), &most, &format, &why);
    if (image.isNull()) {
        tell(problem, why == SKTPictureProblem::None ? SKTPictureProblem::NotPicture : why);
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
        read.filePoints = pointsOfFile(key.path, image, read.filePixels);
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

int SKTReadPictureFiles(std::vector<SKTPictureRequest>& requests, const SKTPictureReadWait& wait) {
    std::vector<SKTPictureRequest> jobs;
    const std::vector<size_t> jobOf = groupByFile(requests, jobs);
    if (jobs.empty()) {
        return 0;
    }
    std::atomic<size_t> next = 0;
    std::mutex doneMutex;
    std::condition_variable doneChanged;
    int done = 0;
    // Each decode takes its turn in the process's decode budget, so the
    // files read at the same time stay within it together.
    const auto work = [&] {
        for (size_t job = next++; job < jobs.size(); job = next++) {
            SKTPictureRequest& request = jobs[job];
            request.read = SKTReadPictureFile(request.path, request.want, &request.problem);
            {
                const std::lock_guard lock(doneMutex);
                ++done;
            }
            doneChanged.notify_all();
        }
    };
    const int total = int(jobs.size());
    const int threads =
        std::clamp(std::min(QThread::idealThreadCount(), total), 1, kMaxReadThreads);
    // Joined on every way out: the workers use what this frame holds.
    struct Workers : std::vector<std::thread> {
        ~Workers() {
            for (std::thread& worker : *this) {
                worker.join();
            }
        }
    } workers;
    // Waiting, the calling thread reads nothing itself.
    for (int t = wait ? 0 : 1; t < threads; ++t) {
        workers.emplace_back(work);
    }
    if (wait) {
        std::unique_lock lock(doneMutex);
        while (done < total) {
            const int read = done;
            lock.unlock();
            wait(read, total);
            lock.lock();
            doneChanged.wait_for(lock, std::chrono::milliseconds(kWaitTellMilliseconds),
                                 [&] { return done != read; });
        }
        lock.unlock();
        wait(total, total);
    } else {
        work();
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    workers.clear();
    for (size_t i = 0; i < requests.size(); ++i) {
        requests[i].read = jobs[jobOf[i]].read;
        requests[i].read.path = requests[i].path;
        requests[i].problem = jobs[jobOf[i]].problem;
    }
    return total;
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
