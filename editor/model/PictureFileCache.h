#pragma once
// The process-wide cache of picture files read: for each file on disk the
// readings of it that some object still holds (weak handles, so a picture
// goes when its last object does) and what its header told. Safe on any
// thread.

#include "editor/model/SKTPictureLoading.h"

#include <QString>
#include <optional>

namespace PictureFileCache {

// One file on disk: the same path after resolving links and dots, with the
// same size, modification and change times and inode, has the same pixels
// (a file replaced by one of the same size and modification time, as
// `cp -p` or an unpacked archive leave it, has another change time).
struct FileKey {
    QString path;
    qint64 bytes = 0;
    qint64 modified = 0;
    qint64 changed = 0;
    quint64 inode = 0;
    bool operator==(const FileKey&) const = default;
};

// The key of the file a path names now; none, with the reason, for a path
// that names no regular file.
std::optional<FileKey> keyOf(const QString& path, SKTPictureProblem* problem = nullptr);

// A reading of the file that serves `want` without being far more
// (SKTPictureRead::fits), the smallest such; or, when none does, what is
// known of the file with a null picture (and in `larger`, when given, the
// smallest reading that serves `want`, to be scaled down); or nothing for a
// file not known.
std::optional<SKTPictureRead> find(const FileKey& key, const QSize& want,
                                   CardPicture* larger = nullptr);
// Keeps a weak handle on the reading.
void add(const FileKey& key, const SKTPictureRead& read);
// Bytes of the distinct rasters some object still holds.
qint64 keptBytes();

} // namespace PictureFileCache
