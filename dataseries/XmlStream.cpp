#include "dataseries/XmlStream.h"

#include <QFile>
#include <algorithm>
#include <cstring>

namespace {

constexpr size_t blockSize = 256 * 1024;
constexpr qint64 smallBlock = 4096;
constexpr int nothing = -1; // markup that gives no token (comment, declaration)

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isNameStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' ||
           static_cast<unsigned char>(c) >= 0x80;
}

bool isNameChar(char c) {
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

bool isNameEnd(char c) {
    return isSpace(c) || c == '/' || c == '>' || c == '=' || c == '<';
}

// Names are short: compared byte by byte, not through a library call.
bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i]) {
            return false;
        }
    }
    return true;
}

// The offset of `c` in `text` from `from` on, or npos.
size_t findByte(std::string_view text, char c, size_t from) {
    if (from >= text.size()) {
        return std::string_view::npos;
    }
    const void* at = std::memchr(text.data() + from, c, text.size() - from);
    return at ? size_t(static_cast<const char*>(at) - text.data()) : std::string_view::npos;
}

void appendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

// The entity at the start of `raw` (which begins with '&'): appends its
// character and answers its length, or 0 when it is not one we decode (then
// the '&' stays as it is).
size_t decodeEntity(std::string_view raw, std::string& out) {
    const size_t semicolon = raw.find(';', 1);
    if (semicolon == std::string_view::npos || semicolon > 12) {
        return 0;
    }
    const std::string_view name = raw.substr(1, semicolon - 1);
    static const struct {
        std::string_view name;
        char c;
    } named[] = {{"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"apos", '\''}, {"quot", '"'}};
    for (const auto& entity : named) {
        if (name == entity.name) {
            out += entity.c;
            return semicolon + 1;
        }
    }
    if (name.size() < 2 || name[0] != '#') {
        return 0;
    }
    const bool hex = name[1] == 'x';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty()) {
        return 0;
    }
    unsigned code = 0;
    for (const char c : digits) {
        int digit = -1;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (hex && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (hex && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        }
        if (digit < 0) {
            return 0;
        }
        code = code * (hex ? 16 : 10) + unsigned(digit);
        if (code > 0x10FFFF) {
            return 0;
        }
    }
    appendUtf8(out, code);
    return semicolon + 1;
}

} // namespace

XmlStream::XmlStream(const QString& path) : XmlStream(std::make_unique<QFile>(path)) {}

XmlStream::XmlStream(std::unique_ptr<QIODevice> device) : m_device(std::move(device)) {
    if (!m_device->isOpen() && !m_device->open(QIODevice::ReadOnly)) {
        m_buffer.resize(smallBlock);
        fail("the file cannot be read");
        return;
    }
    // A small part gets a buffer of its size; a larger one is read in blocks.
    m_buffer.resize(size_t(std::clamp<qint64>(m_device->size() + 1, smallBlock, blockSize)));
    // A byte order mark before the declaration is not content.
    if (ensure(3) && std::memcmp(m_buffer.data(), "\xEF\xBB\xBF", 3) == 0) {
        m_pos = 3;
    }
}

XmlStream::Token XmlStream::fail(const char* what) {
    m_state = Error;
    m_error = QString::fromLatin1(m_tooLong ? "an element or text is too long" : what);
    return Error;
}

bool XmlStream::fill(size_t count) {
    while (m_end - m_pos < count) {
        if (m_eof) {
            return false;
        }
        if (m_pos > 0) {
            std::memmove(m_buffer.data(), m_buffer.data() + m_pos, m_end - m_pos);
            m_end -= m_pos;
            m_pos = 0;
        }
        if (m_end == m_buffer.size()) {
            if (m_buffer.size() >= maxTokenBytes) {
                m_tooLong = true;
                return false;
            }
            m_buffer.resize(m_buffer.size() * 2);
        }
        const qint64 got = m_device->read(m_buffer.data() + m_end, qint64(m_buffer.size() - m_end));
        if (got <= 0) {
            m_eof = true;
        } else {
            m_end += size_t(got);
        }
    }
    return true;
}

size_t XmlStream::find(std::string_view needle, size_t from) {
    for (;;) {
        const std::string_view available(m_buffer.data() + m_pos, m_end - m_pos);
        const size_t at = needle.size() == 1 ? findByte(available, needle[0], from)
                                             : available.find(needle, from);
        if (at != std::string_view::npos) {
            return at;
        }
        if (available.size() >= needle.size()) {
            from = std::max(from, available.size() - needle.size() + 1);
        }
        if (!ensure(available.size() + 1)) {
            return std::string_view::npos;
        }
    }
}

size_t XmlStream::tagEnd() {
    char quote = 0;
    size_t i = 1;
    for (;;) {
        const char* data = m_buffer.data() + m_pos;
        const size_t available = m_end - m_pos;
        for (; i < available; ++i) {
            const char c = data[i];
            if (quote != 0) {
                if (c == quote) {
                    quote = 0;
                }
            } else if (c == '>') {
                return i;
            } else if (c == '"' || c == '\'') {
                quote = c;
            }
        }
        if (!ensure(available + 1)) {
            return std::string_view::npos;
        }
    }
}

void XmlStream::decode(std::string_view raw, std::string& out, bool attribute) const {
    out.clear();
    bool plain = true;
    for (const char c : raw) {
        if (c == '&' || c == '\r' || (attribute && (c == '\n' || c == '\t'))) {
            plain = false;
            break;
        }
    }
    if (plain) {
        out.assign(raw);
        return;
    }
    out.reserve(raw.size());
    for (size_t i = 0; i < raw.size();) {
        const char c = raw[i];
        if (c == '&') {
            const size_t used = decodeEntity(raw.substr(i), out);
            if (used > 0) {
                i += used;
                continue;
            }
            out += c;
        } else if (c == '\r') {
            if (i + 1 < raw.size() && raw[i + 1] == '\n') {
                ++i;
            }
            out += attribute ? ' ' : '\n';
        } else if (attribute && (c == '\n' || c == '\t')) {
            out += ' ';
        } else {
            out += c;
        }
        ++i;
    }
    // The tree parser keeps values as C strings: a decoded NUL ends them.
    const size_t nul = out.find('\0');
    if (nul != std::string::npos) {
        out.resize(nul);
    }
}

std::string_view XmlStream::localName() const {
    const size_t colon = m_name.rfind(':');
    return colon == std::string_view::npos ? m_name : m_name.substr(colon + 1);
}

std::string_view XmlStream::openName() const {
    return std::string_view(m_openNames).substr(m_openStarts.back());
}

void XmlStream::popOpen() {
    m_openNames.resize(m_openStarts.back());
    m_openStarts.pop_back();
    m_hasContent.pop_back();
}

bool XmlStream::attribute(std::string_view localName, std::string& value) const {
    const Attribute* prefixed = nullptr;
    for (const Attribute& a : m_attributes) {
        if (sameName(a.name, localName)) {
            decode(a.value, value, true);
            return true;
        }
        const size_t colon = a.name.rfind(':');
        if (!prefixed && colon != std::string_view::npos &&
            sameName(a.name.substr(colon + 1), localName)) {
            prefixed = &a;
        }
    }
    if (prefixed) {
        decode(prefixed->value, value, true);
        return true;
    }
    return false;
}

XmlStream::Token XmlStream::next() {
    if (m_state == Error || m_state == EndOfDocument) {
        return m_state;
    }
    if (m_pendingEnd) {
        m_pendingEnd = false;
        m_depth = int(m_openStarts.size());
        popOpen();
        return EndElement;
    }
    for (;;) {
        if (m_tooLong) {
            return fail("");
        }
        if (!ensure(1)) {
            if (!m_openStarts.empty()) {
                return fail("unexpected end of data: an element is not closed");
            }
            if (!m_sawRoot) {
                return fail("no document element found");
            }
            m_state = EndOfDocument;
            return EndOfDocument;
        }
        if (m_buffer[m_pos] == '<') {
            const int token = readMarkup();
            if (token != nothing) {
                return Token(token);
            }
            continue;
        }
        size_t length = find("<", 0);
        if (m_tooLong) {
            return fail("");
        }
        const bool atEnd = length == std::string_view::npos;
        if (atEnd) {
            length = m_end - m_pos;
        }
        const std::string_view raw(m_buffer.data() + m_pos, length);
        bool keep = !m_openStarts.empty();
        if (keep && raw.find_first_not_of(" \t\r\n") == std::string_view::npos) {
            // Whitespace is text only when it is all an element holds.
            keep = !atEnd && ensure(length + 2) && m_buffer[m_pos + length + 1] == '/' &&
                   !m_hasContent.back();
        }
        if (!keep) {
            m_pos += length;
            continue;
        }
        decode(std::string_view(m_buffer.data() + m_pos, length), m_text, false);
        m_pos += length;
        m_hasContent.back() = true;
        m_depth = int(m_openStarts.size());
        return Text;
    }
}

int XmlStream::readMarkup() {
    if (!ensure(2)) {
        return fail("unrecognized tag");
    }
    const char second = m_buffer[m_pos + 1];
    if (second == '?') {
        const size_t end = find("?>", 2);
        if (end == std::string_view::npos) {
            return fail("unterminated processing instruction");
        }
        m_pos += end + 2;
        return nothing;
    }
    if (second == '!') {
        ensure(9);
        const std::string_view head(m_buffer.data() + m_pos, std::min<size_t>(9, m_end - m_pos));
        if (head.substr(0, 4) == "<!--") {
            const size_t end = find("-->", 4);
            if (end == std::string_view::npos) {
                return fail("unterminated comment");
            }
            m_pos += end + 3;
            return nothing;
        }
        if (head == "<![CDATA[") {
            const size_t end = find("]]>", 9);
            if (end == std::string_view::npos) {
                return fail("unterminated CDATA section");
            }
            if (m_openStarts.empty()) {
                m_pos += end + 3;
                return nothing;
            }
            // Only line ends are decoded inside CDATA.
            m_text.clear();
            for (size_t i = m_pos + 9; i < m_pos + end; ++i) {
                const char c = m_buffer[i];
                if (c == '\r' && i + 1 < m_pos + end && m_buffer[i + 1] == '\n') {
                    continue;
                }
                m_text += c == '\r' ? '\n' : c;
            }
            m_pos += end + 3;
            m_hasContent.back() = true;
            m_depth = int(m_openStarts.size());
            return Text;
        }
        if (!m_openStarts.empty()) {
            return fail("unrecognized tag");
        }
        // A document type declaration, with its internal subset.
        int brackets = 0;
        for (size_t i = 2;; ++i) {
            if (!ensure(i + 1)) {
                return fail("unterminated document type declaration");
            }
            const char c = m_buffer[m_pos + i];
            if (c == '[') {
                ++brackets;
            } else if (c == ']') {
                --brackets;
            } else if (c == '>' && brackets <= 0) {
                m_pos += i + 1;
                return nothing;
            }
        }
    }
    if (second == '/') {
        const size_t end = find(">", 2);
        if (end == std::string_view::npos) {
            return fail("unterminated end tag");
        }
        return readEndTag(end);
    }
    if (!isNameStart(second)) {
        return fail("unrecognized tag");
    }
    const size_t end = tagEnd();
    if (end == std::string_view::npos) {
        return fail("unterminated start tag");
    }
    return readStartTag(end);
}

XmlStream::Token XmlStream::readEndTag(size_t end) {
    std::string_view name(m_buffer.data() + m_pos + 2, end - 2);
    while (!name.empty() && isSpace(name.back())) {
        name.remove_suffix(1);
    }
    if (m_openStarts.empty() || !sameName(name, openName())) {
        return fail("start-end tags mismatch");
    }
    m_pos += end + 1;
    m_name = name;
    m_depth = int(m_openStarts.size());
    popOpen();
    return EndElement;
}

XmlStream::Token XmlStream::readStartTag(size_t end) {
    const char* tag = m_buffer.data() + m_pos;
    size_t i = 1;
    while (i < end && !isNameEnd(tag[i])) {
        if (!isNameChar(tag[i])) {
            return fail("bad start tag");
        }
        ++i;
    }
    m_name = std::string_view(tag + 1, i - 1);
    m_attributes.clear();
    bool empty = false;
    for (;;) {
        while (i < end && isSpace(tag[i])) {
            ++i;
        }
        if (i == end) {
            break;
        }
        if (tag[i] == '/') {
            if (i + 1 != end) {
                return fail("bad start tag");
            }
            empty = true;
            break;
        }
        const size_t nameStart = i;
        while (i < end && !isNameEnd(tag[i])) {
            if (!isNameChar(tag[i])) {
                return fail("bad attribute");
            }
            ++i;
        }
        if (i == nameStart || !isNameStart(tag[nameStart])) {
            return fail("bad attribute");
        }
        const std::string_view name(tag + nameStart, i - nameStart);
        while (i < end && isSpace(tag[i])) {
            ++i;
        }
        if (i == end || tag[i] != '=') {
            return fail("bad attribute");
        }
        ++i;
        while (i < end && isSpace(tag[i])) {
            ++i;
        }
        if (i == end || (tag[i] != '"' && tag[i] != '\'')) {
            return fail("bad attribute");
        }
        const char quote = tag[i++];
        const size_t valueStart = i;
        while (i < end && tag[i] != quote) {
            ++i;
        }
        if (i == end) {
            return fail("bad attribute");
        }
        m_attributes.push_back({name, std::string_view(tag + valueStart, i - valueStart)});
        ++i;
        if (i < end && !isSpace(tag[i]) && tag[i] != '/') {
            return fail("bad attribute");
        }
    }
    m_pos += end + 1;
    if (!m_openStarts.empty()) {
        m_hasContent.back() = true;
    }
    m_sawRoot = true;
    m_openStarts.push_back(m_openNames.size());
    m_openNames.append(m_name);
    m_hasContent.push_back(false);
    m_depth = int(m_openStarts.size());
    m_pendingEnd = empty;
    return StartElement;
}

bool XmlStream::skipElement() {
    const int depth = m_depth;
    for (;;) {
        const Token token = next();
        if (token == Error || token == EndOfDocument) {
            return false;
        }
        if (token == EndElement && m_depth == depth) {
            return true;
        }
    }
}

bool XmlStream::skipElementUnchecked() {
    if (m_pendingEnd) {
        return next() == EndElement;
    }
    int depth = 1;
    while (depth > 0) {
        const size_t lt = find("<", 0);
        if (lt == std::string_view::npos || !ensure(lt + 2)) {
            fail("unexpected end of data: an element is not closed");
            return false;
        }
        m_pos += lt;
        const char second = m_buffer[m_pos + 1];
        if (second == '!' || second == '?') {
            if (readMarkup() == Error) {
                return false;
            }
            continue;
        }
        const size_t end = tagEnd();
        if (end == std::string_view::npos) {
            fail("unterminated tag");
            return false;
        }
        if (second == '/') {
            --depth;
        } else if (m_buffer[m_pos + end - 1] != '/') {
            ++depth;
        }
        m_pos += end + 1;
    }
    m_depth = int(m_openStarts.size());
    popOpen();
    return true;
}
