#include "editor/model/PictureFileCache.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QSet>
#include <mutex>
#include <sys/stat.h>

namespace PictureFileCache {

// Found by QHash through the key's namespace.
static size_t qHash(const FileKey& key, size_t seed = 0) {
    return qHashMulti(seed, key.path, key.bytes, key.modified, key.changed, key.inode);
}

std::optional<FileKey> keyOf(const QString& path, SKTPictureProblem* problem) {
    const auto tell = [&](SKTPictureProblem value) {
        if (problem) {
            *problem = value;
        }
        return std::nullopt;
    };
    tell(SKTPictureProblem::None);
    if (path.isEmpty()) {
        return tell(SKTPictureProblem::Missing);
    }
    const QString clean = QDir::cleanPath(path);
    struct stat status {};
    if (::stat(QFile::encodeName(clean).constData(), &status) != 0) {
        return tell(SKTPictureProblem::Missing);
    }
    if (!S_ISREG(status.st_mode)) {
        // A FIFO or a device would hang the reader.
        return tell(SKTPictureProblem::NotPicture);
    }
    FileKey key;
    key.path = QFileInfo(clean).canonicalFilePath();
    if (key.path.isEmpty()) {
        return tell(SKTPictureProblem::Missing);
    }
    key.bytes = qint64(status.st_size);
    key.modified = qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    key.changed = qint64(status.st_ctim.tv_sec) * 1000000000 + status.st_ctim.tv_nsec;
    key.inode = quint64(status.st_ino);
    return key;
}

namespace {

// What is known of a file: its sizes, and the readings of it that some
// object still holds.
struct FileEntry {
    QSize filePixels;
    QSizeF filePoints;
    QSize mostPixels;
    QList<CardPicture::Weak> pictures;
};

struct Cache {
    std::mutex mutex;
    QHash<FileKey, FileEntry> files;
    int added = 0;
};

Cache& cache() {
    static Cache instance;
    return instance;
}

} // namespace

std::optional<SKTPictureRead> find(const FileKey& key, const QSize& want, CardPicture* larger) {
    Cache& c = cache();
    const std::lock_guard lock(c.mutex);
    auto entry = c.files.find(key);
    if (entry == c.files.end()) {
        return std::nullopt;
    }
    SKTPictureRead read;
    read.filePixels = entry->filePixels;
    read.mostPixels = entry->mostPixels;
    read.filePoints = entry->filePoints;
    CardPicture best;
    CardPicture serving;
    for (auto handle = entry->pictures.begin(); handle != entry->pictures.end();) {
        CardPicture picture = handle->lock();
        if (picture.isNull()) {
            handle = entry->pictures.erase(handle);
            continue;
        }
        ++handle;
        SKTPictureRead candidate = read;
        candidate.picture = picture;
        if (candidate.fits(want) &&
            (best.isNull() || picture.image().width() < best.image().width())) {
            best = picture;
        }
        if (candidate.serves(want) &&
            (serving.isNull() || picture.image().width() < serving.image().width())) {
            serving = picture;
        }
    }
    read.picture = best;
    if (larger) {
        *larger = best.isNull() ? serving : CardPicture();
    }
    return read;
}

void add(const FileKey& key, const SKTPictureRead& read) {
    Cache& c = cache();
    const std::lock_guard lock(c.mutex);
    FileEntry& entry = c.files[key];
    entry.filePixels = read.filePixels;
    entry.filePoints = read.filePoints;
    if (!entry.mostPixels.isValid() || read.mostPixels.width() < entry.mostPixels.width()) {
        entry.mostPixels = read.mostPixels;
    }
    entry.pictures.append(read.picture.weak());
    // Now and then, forget the files no object shows any more.
    if (++c.added % 64 == 0) {
        for (auto file = c.files.begin(); file != c.files.end();) {
            file->pictures.removeIf([](const CardPicture::Weak& h) { return h.expired(); });
            file = file->pictures.isEmpty() ? c.files.erase(file) : std::next(file);
        }
    }
}

qint64 keptBytes() {
    Cache& c = cache();
    const std::lock_guard lock(c.mutex);
    QSet<const void*> counted;
    qint64 bytes = 0;
    for (const FileEntry& entry : std::as_const(c.files)) {
        for (const CardPicture::Weak& handle : entry.pictures) {
            const CardPicture picture = handle.lock();
            const QImage image = picture.image();
            if (!image.isNull() && !counted.contains(image.constBits())) {
                counted.insert(image.constBits());
                bytes += image.sizeInBytes();
            }
        }
    }
    return bytes;
}

} // namespace PictureFileCache
