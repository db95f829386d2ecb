#pragma once
// Base-128 variable-length integers as used in the run table of archived
// styled text: seven bits per byte, least significant group first, the top
// bit set on every byte but the last (300 is AC 02).

#include <QByteArray>
#include <cstdint>
#include <optional>

namespace ArchiveVarint {

void append(QByteArray& out, std::uint64_t value);

// Reads one value at `pos` and advances it; none when the bytes end inside
// the value or it does not fit in 63 bits.
std::optional<std::uint64_t> read(const QByteArray& in, qsizetype& pos);

} // namespace ArchiveVarint
