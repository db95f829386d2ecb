#pragma once
// minizip file functions over a QIODevice, so an archive can be written
// into a QSaveFile and only replace its target once it is complete.

#include <QIODevice>
#include <minizip/ioapi.h>

// The returned table refers to `device`, which must outlive the archive.
zlib_filefunc64_def zipFunctionsForDevice(QIODevice* device);
