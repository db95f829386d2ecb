#pragma once
// A pull reader of XML files that keeps no document tree: it reads the file
// in blocks and answers one start tag, end tag or text at a time, so a large
// part can be read row by row, or left after its first rows. Text follows
// the rules of the tree parser used for the other workbook parts: entities
// and line ends decoded, and whitespace-only text kept only where it is an
// element's only content. A token longer than maxTokenBytes fails the read,
// so the memory it takes stays bounded whatever the input.

#include <QIODevice>
#include <QString>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class XmlStream {
public:
    enum Token { StartElement, EndElement, Text, EndOfDocument, Error };

    static constexpr size_t maxTokenBytes = 16 * 1024 * 1024;

    // Reads the file at `path`, or the device (opened here when it is not
    // open yet).
    explicit XmlStream(const QString& path);
    explicit XmlStream(std::unique_ptr<QIODevice> device);

    // The next token; Error and EndOfDocument repeat once reached. An empty
    // element gives a start and an end tag.
    Token next();

    // The name without its namespace prefix, of the start or end tag; valid
    // until the next call that reads on.
    std::string_view localName() const;
    // Depth of the element of a start or end tag (the root is 1), or of the
    // element holding a text.
    int depth() const { return m_depth; }
    // Decoded text of a Text token.
    const std::string& text() const { return m_text; }
    // Appends that text to `out`; an empty `out` takes it over without a copy.
    void appendText(std::string& out) {
        if (out.empty()) {
            out.swap(m_text);
        } else {
            out += m_text;
        }
    }
    // The decoded value of the current start tag's attribute with that local
    // name: a plain attribute, or a prefixed one when there is no plain one.
    // False when there is none.
    bool attribute(std::string_view localName, std::string& value) const;

    // Reads to the end of the element whose start tag was just read. False
    // on an error.
    bool skipElement();
    // The same, faster: the names of the end tags inside are not checked,
    // nor their text decoded. For a look over the part whose result does not
    // stand or fall with its being well-formed.
    bool skipElementUnchecked();

    // The unread bytes from the current position, at least `count` of them
    // where the file holds that many; empty while an empty element's end
    // tag is due or once the document has ended or failed. Valid until the
    // next call that reads on. For a caller that reads a common form of
    // markup itself and passes over it with skipChild().
    std::string_view lookahead(size_t count) {
        if (m_pendingEnd || m_state == Error || m_state == EndOfDocument) {
            return {};
        }
        ensure(count);
        return {m_buffer.data() + m_pos, m_end - m_pos};
    }
    // Passes over `count` bytes of that look-ahead, which hold one whole
    // well-formed child element of the open element (after white space).
    void skipChild(size_t count) {
        m_pos += count;
        if (!m_hasContent.empty()) {
            m_hasContent.back() = true;
        }
    }

    // Bytes of the file read past so far.
    qint64 offset() const { return m_device->pos() - qint64(m_end - m_pos); }
    qint64 size() const { return m_device->size(); }

    // Stops the read with an error, for a caller that finds the content
    // wrong; next() then answers Error.
    void stopWith(const char* what) { fail(what); }

    // What went wrong, after Error.
    const QString& errorText() const { return m_error; }

private:
    struct Attribute {
        std::string_view name;
        std::string_view value;
    };

    Token fail(const char* what);
    // Makes at least `count` bytes from the current position available;
    // false when the file ends first.
    bool ensure(size_t count) { return m_end - m_pos >= count || fill(count); }
    bool fill(size_t count);
    // The offset from the current position of `needle`, reading on as
    // needed; npos when the file ends first.
    size_t find(std::string_view needle, size_t from);
    // The offset of the '>' closing the tag at the current position, outside
    // quoted values; npos when the file ends first.
    size_t tagEnd();
    // A token, or -1 for markup that gives none (comments, declarations).
    int readMarkup();
    Token readStartTag(size_t end);
    Token readEndTag(size_t end);
    std::string_view openName() const;
    void popOpen();
    void decode(std::string_view raw, std::string& out, bool attribute) const;

    std::unique_ptr<QIODevice> m_device;
    std::vector<char> m_buffer;
    size_t m_pos = 0;
    size_t m_end = 0;
    bool m_eof = false;
    bool m_tooLong = false; // a token outgrew maxTokenBytes

    // The open elements: their names one after another, where each starts,
    // and whether each has a child yet.
    std::string m_openNames;
    std::vector<size_t> m_openStarts;
    std::vector<bool> m_hasContent;
    bool m_sawRoot = false;
    bool m_pendingEnd = false; // an empty element's end tag is due
    Token m_state = Text;      // Error or EndOfDocument once reached

    std::string_view m_name; // in the buffer, until the next read
    std::vector<Attribute> m_attributes;
    std::string m_text;
    int m_depth = 0;
    QString m_error;
};
