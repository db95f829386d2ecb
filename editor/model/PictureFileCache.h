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
// same size and modification time, has the same pixels.
struct FileKey {
    QString path;
    qint64 bytes = 0;
    qint64 modified = 0;
    bool operator==(const FileKey&) const = default;
};

// A reading of the file that serves `want` without being far more
// (SKTPictureRead::fits), the smallest such; or, when none does, what is
// known of the file with a null picture; or nothing for a file not known.
std::optional<SKTPictureRead> find(const FileKey& key, const QSize& want);
// Keeps a weak handle on the reading.
void add(const FileKey& key, const SKTPictureRead& read);

} // namespace PictureFileCache
