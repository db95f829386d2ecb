#pragma once
// Independent copies of card objects for pictures that are drawn later: a
// vector card picture must show the objects as they were when it was made,
// even after the record filling has written the next record into them.

#include "editor/model/SKTGraphic.h"

// A copy of every object carrying all of its archived fields, its direction
// flags and its pictures (shared, they are immutable). An object whose
// archive does not read is kept as it is (and logged).
SKTGraphicList snapshotOfGraphics(const SKTGraphicList& graphics);
