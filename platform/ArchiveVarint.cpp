#include "platform/ArchiveVarint.h"

namespace ArchiveVarint {

void append(QByteArray& out, std::uint64_t value) {
    do {
        std::uint8_t byte = value & 0x7f;
        value >>= 7;
        if (value != 0) {
            byte |= 0x80;
        }
        out.append(static_cast<char>(byte));
    } while (value != 0);
}

std::optional<std::uint64_t> read(const QByteArray& in, qsizetype& pos) {
    std::uint64_t value = 0;
    for (int shift = 0; shift < 63; shift += 7) {
        if (pos >= in.size()) {
            return std::nullopt;
        }
        const auto byte = static_cast<std::uint8_t>(in.at(pos++));
        const std::uint64_t group = byte & 0x7f;
        value |= group << shift;
        if ((byte & 0x80) == 0) {
            return value;
        }
    }
    return std::nullopt;
}

} // namespace ArchiveVarint
