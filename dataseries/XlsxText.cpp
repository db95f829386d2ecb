#include "dataseries/XlsxText.h"

#include <cstring>

namespace {

int hexValue(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    return -1;
}

// The code of an escape "_xHHHH_" starting at `at`, or -1.
int escapeAt(const QString& text, qsizetype at) {
    if (at + 7 > text.size() || text.at(at) != u'_' || text.at(at + 1) != u'x' ||
        text.at(at + 6) != u'_') {
        return -1;
    }
    int code = 0;
    for (qsizetype i = at + 2; i < at + 6; ++i) {
        const int digit = hexValue(text.at(i).unicode());
        if (digit < 0) {
            return -1;
        }
        code = code * 16 + digit;
    }
    return code;
}

bool needsEscape(char16_t c) {
    if (c < 0x20) {
        return c != u'\t' && c != u'\n';
    }
    return c == 0xFFFE || c == 0xFFFF;
}

} // namespace

const char* Xlsx_Local_Name(const pugi::xml_node& node) {
    const char* name = node.name();
    const char* colon = std::strrchr(name, ':');
    return colon ? colon + 1 : name;
}

bool Xlsx_Is(const pugi::xml_node& node, const char* localName) {
    return node.type() == pugi::node_element && std::strcmp(Xlsx_Local_Name(node), localName) == 0;
}

pugi::xml_node Xlsx_Child(const pugi::xml_node& node, const char* localName) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (Xlsx_Is(child, localName)) {
            return child;
        }
    }
    return {};
}

pugi::xml_attribute Xlsx_Attribute(const pugi::xml_node& node, const char* localName) {
    for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
        const char* name = a.name();
        const char* colon = std::strrchr(name, ':');
        if (std::strcmp(colon ? colon + 1 : name, localName) == 0) {
            // A namespaced attribute only stands in for a plain one of the
            // same name when no plain one exists.
            if (!colon || !node.attribute(localName)) {
                return a;
            }
        }
    }
    return {};
}

QString Xlsx_Decode_Escapes(const QString& text) {
    if (!text.contains(QLatin1String("_x"))) {
        return text;
    }
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const int code = escapeAt(text, i);
        if (code >= 0) {
            out.append(QChar(char16_t(code)));
            i += 7;
        } else {
            out.append(text.at(i));
            ++i;
        }
    }
    return out;
}

QString Xlsx_Encode_Escapes(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (needsEscape(c) || (c == u'_' && escapeAt(text, i) >= 0)) {
            out += QLatin1String("_x") +
                   QString::number(int(c), 16).rightJustified(4, QLatin1Char('0')).toUpper() +
                   QLatin1Char('_');
        } else {
            out.append(QChar(c));
        }
    }
    return out;
}

void Xlsx_Append_Escaped_Xml(QByteArray& out, const QString& text, bool attribute) {
    const QByteArray utf8 = text.toUtf8();
    for (const char c : utf8) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            if (attribute) {
                out += "&quot;";
            } else {
                out += c;
            }
            break;
        default:
            out += c;
        }
    }
}
