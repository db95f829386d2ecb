#pragma once
// Independent copies of card objects for pictures that are drawn later: a
// vector card picture must show the objects as they were when it was made,
// even after the record filling has written the next record into them.

#include "editor/model/SKTGraphic.h"

// A copy of every object (SKTGraphic::snapshot): all of its fields, its
// pictures shared, none of them encoded; empty entries are left out. An
// object of a class without a copy of its own is copied through its archive,
// and kept as it is (logged) when that archive does not read. Made on the
// thread that owns the objects; the copies may then be drawn on any thread,
// one drawing at a time.
SKTGraphicList snapshotOfGraphics(const SKTGraphicList& graphics);
