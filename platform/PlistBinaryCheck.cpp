#include "platform/PlistBinaryCheck.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace PlistBinaryCheck {
namespace {

class Reader {
public:
    explicit Reader(const QByteArray& bytes)
        : m_data(reinterpret_cast<const std::uint8_t*>(bytes.constData())),
          m_size(static_cast<std::uint64_t>(bytes.size())) {}

    // A big-endian unsigned number of `width` bytes at `pos`.
    bool number(std::uint64_t pos, unsigned width, std::uint64_t& out) const {
        if (width == 0 || width > 8 || pos > m_size || width > m_size - pos) {
            return false;
        }
        out = 0;
        for (unsigned i = 0; i < width; ++i) {
            out = (out << 8) | m_data[pos + i];
        }
        return true;
    }
    std::uint64_t size() const { return m_size; }

private:
    const std::uint8_t* m_data;
    std::uint64_t m_size;
};

struct Table {
    unsigned offsetSize = 0;
    unsigned refSize = 0;
    std::uint64_t count = 0;
    std::uint64_t top = 0;
    std::uint64_t tableOffset = 0;
};

// The size of the object at `pos` whose marker is `marker`: the low nibble,
// or the integer after it when the nibble is 0xf. `pos` moves past it.
bool objectLength(const Reader& r, std::uint64_t marker, std::uint64_t& pos, std::uint64_t& n) {
    n = marker & 0xf;
    if (n != 0xf) {
        return true;
    }
    std::uint64_t intMarker = 0;
    if (!r.number(pos, 1, intMarker) || (intMarker >> 4) != 0x1 || (intMarker & 0xf) > 3) {
        return false;
    }
    const unsigned width = 1u << (intMarker & 0xf);
    if (!r.number(pos + 1, width, n)) {
        return false;
    }
    pos += 1 + width;
    return true;
}

// The object references held by container object `index` (a dictionary's
// keys first, `keys` of them); false when the object cannot be read
// (libplist will refuse the file then).
bool children(const Reader& r, const Table& t, std::uint64_t index, std::vector<std::uint64_t>& out,
              std::uint64_t& keys) {
    out.clear();
    keys = 0;
    std::uint64_t offset = 0;
    if (!r.number(t.tableOffset + index * t.offsetSize, t.offsetSize, offset)) {
        return false;
    }
    std::uint64_t marker = 0;
    if (!r.number(offset, 1, marker)) {
        return false;
    }
    const unsigned kind = static_cast<unsigned>(marker >> 4);
    if (kind != 0xA && kind != 0xC && kind != 0xD) {
        return true; // not a container
    }
    std::uint64_t n = 0;
    std::uint64_t pos = offset + 1;
    if (!objectLength(r, marker, pos, n)) {
        return false;
    }
    keys = kind == 0xD ? n : 0;
    const std::uint64_t refs = kind == 0xD ? n * 2 : n;
    if (n > r.size() || refs * t.refSize > r.size() - std::min(pos, r.size())) {
        return false;
    }
    out.reserve(refs);
    for (std::uint64_t i = 0; i < refs; ++i) {
        std::uint64_t ref = 0;
        if (!r.number(pos + i * t.refSize, t.refSize, ref) || ref >= t.count) {
            return false;
        }
        out.push_back(ref);
    }
    return true;
}

// Whether string object `index` holds a NUL character: libplist cannot
// hand such a dictionary key out (it stops the process on it). False as well
// for an object that is no string or cannot be read.
bool stringHoldsNul(const Reader& r, const Table& t, std::uint64_t index) {
    std::uint64_t offset = 0;
    std::uint64_t marker = 0;
    if (!r.number(t.tableOffset + index * t.offsetSize, t.offsetSize, offset) ||
        !r.number(offset, 1, marker)) {
        return false;
    }
    const unsigned kind = static_cast<unsigned>(marker >> 4);
    if (kind != 0x5 && kind != 0x6) {
        return false;
    }
    std::uint64_t pos = offset + 1;
    std::uint64_t n = 0;
    if (!objectLength(r, marker, pos, n)) {
        return false;
    }
    const unsigned unit = kind == 0x5 ? 1 : 2;
    if (n > r.size() || n * unit > r.size() - std::min(pos, r.size())) {
        return false;
    }
    for (std::uint64_t i = 0; i < n; ++i) {
        std::uint64_t c = 0;
        r.number(pos + i * unit, unit, c);
        if (c == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

QString problem(const QByteArray& bytes, const Limits& limits) {
    const Reader r(bytes);
    if (!bytes.startsWith("bplist00") || r.size() < 8 + 32) {
        return {};
    }
    Table t;
    const std::uint64_t trailer = r.size() - 32;
    std::uint64_t v = 0;
    r.number(trailer + 6, 1, v);
    t.offsetSize = static_cast<unsigned>(v);
    r.number(trailer + 7, 1, v);
    t.refSize = static_cast<unsigned>(v);
    r.number(trailer + 8, 8, t.count);
    r.number(trailer + 16, 8, t.top);
    r.number(trailer + 24, 8, t.tableOffset);
    if (t.offsetSize < 1 || t.offsetSize > 8 || t.refSize < 1 || t.refSize > 8 || t.count == 0 ||
        t.count > r.size() || t.top >= t.count || t.tableOffset >= r.size() ||
        t.count * t.offsetSize > r.size() - t.tableOffset) {
        return {}; // malformed: libplist refuses it
    }

    // Post-order walk with an explicit stack; each object is measured once.
    enum : std::int8_t { Unseen, Open, Done };
    std::vector<std::int8_t> state(t.count, Unseen);
    std::vector<std::int32_t> height(t.count, 0);
    std::vector<std::int64_t> nodes(t.count, 0);
    struct Frame {
        std::uint64_t index;
        std::vector<std::uint64_t> refs;
        size_t next = 0;
    };
    std::vector<Frame> stack;
    std::vector<std::uint64_t> refs;
    std::uint64_t keys = 0;
    // Keys already looked at (objects may be shared by many dictionaries).
    std::vector<bool> keyChecked(t.count, false);
    bool nulKey = false;
    const auto open = [&](std::uint64_t index) {
        if (!children(r, t, index, refs, keys)) {
            return false;
        }
        for (std::uint64_t i = 0; i < keys; ++i) {
            const std::uint64_t key = refs[i];
            if (!keyChecked[key]) {
                keyChecked[key] = true;
                nulKey = nulKey || stringHoldsNul(r, t, key);
            }
        }
        state[index] = Open;
        stack.push_back(Frame{index, std::move(refs), 0});
        return true;
    };
    const QString nulKeyProblem =
        QStringLiteral("property list dictionary key holds a NUL character");
    if (!open(t.top)) {
        return {};
    }
    while (!stack.empty()) {
        if (nulKey) {
            return nulKeyProblem;
        }
        Frame& frame = stack.back();
        if (frame.next < frame.refs.size()) {
            const std::uint64_t child = frame.refs[frame.next++];
            if (state[child] == Open) {
                return QStringLiteral("property list objects refer to each other in a cycle");
            }
            if (state[child] == Unseen) {
                if (stack.size() >= static_cast<size_t>(limits.maxDepth)) {
                    return QStringLiteral("property list nested too deeply");
                }
                if (!open(child)) {
                    return {};
                }
            }
            continue;
        }
        std::int32_t h = 0;
        std::int64_t total = 1;
        for (std::uint64_t child : frame.refs) {
            h = std::max(h, height[child]);
            total += nodes[child];
            if (total > limits.maxNodes) {
                return QStringLiteral("property list expands to too many values");
            }
        }
        height[frame.index] = h + 1;
        nodes[frame.index] = total;
        state[frame.index] = Done;
        if (h + 1 > limits.maxDepth) {
            return QStringLiteral("property list nested too deeply");
        }
        stack.pop_back();
    }
    return nulKey ? nulKeyProblem : QString();
}

} // namespace PlistBinaryCheck
