#include "editor/model/PictureFileCache.h"

#include <QHash>
#include <QList>
#include <mutex>

namespace PictureFileCache {

// Found by QHash through the key's namespace.
static size_t qHash(const FileKey& key, size_t seed = 0) {
    return qHashMulti(seed, key.path, key.bytes, key.modified);
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

std::optional<SKTPictureRead> find(const FileKey& key, const QSize& want) {
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
    }
    read.picture = best;
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

} // namespace PictureFileCache
