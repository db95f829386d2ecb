#pragma once
// What every fuzz target shares: an offscreen Qt application made once (the
// readers build fonts, pictures and styled text), Qt's log muted so the
// fuzzer's own output stays readable, and the input as bytes.

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

namespace fuzz_support {

// Makes the offscreen application on the first call (unless the process
// already has one, as the replay test does) and mutes Qt's log.
void startOnce();

// The input as a byte array (a deep copy: the readers may keep it).
QByteArray bytesOf(const uint8_t* data, size_t size);

// A private folder made once for the process (empty when it cannot be made):
// targets that read through files write their input there.
QString scratchFolder();

} // namespace fuzz_support
