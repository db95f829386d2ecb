#pragma once
// Telling the user, once, that a picture file an object shows could not be
// read again (it was cut, replaced or removed after it was read): the kept
// pixels stay on the card and the message names the file. Any thread may
// ask; the message is shown on the GUI thread after the current event (so
// never from inside a paint), through the replaceable alert.

#include "editor/model/PictureFileCache.h"

#include <optional>

namespace PictureProblemNotice {

// Tells the problem of the file in this state (none for a missing file),
// unless it was told already for the same file in the same state.
void tellOnce(const QString& path, const std::optional<PictureFileCache::FileKey>& state,
              SKTPictureProblem problem);

} // namespace PictureProblemNotice
