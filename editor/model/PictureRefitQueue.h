#pragma once
// Pictures read again once an object's frame has come to rest: while the
// user drags a frame larger the canvas draws the pixels already kept, and
// the file is read again at the new size a moment after the last change.
// GUI thread only; elsewhere nothing is queued and drawing reads what it
// needs at once.

#include "editor/model/SKTGraphic.h"

#include <functional>

namespace PictureRefitQueue {

// Pause after the last change of a frame before its picture is read again.
inline constexpr int kRestMilliseconds = 250;

// Queues (or queues again) `refit` for the object, to run after the pause if
// the object still exists. False, and nothing queued, off the GUI thread,
// without an application, or for an object no shared pointer holds.
bool schedule(SKTGraphic& graphic, std::function<void(SKTGraphic&)> refit);
// The object waits for its refit.
bool isWaiting(const SKTGraphic& graphic);

} // namespace PictureRefitQueue
