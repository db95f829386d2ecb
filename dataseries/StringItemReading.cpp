#include "dataseries/StringItemReading.h"

bool Xml_Read_Text(XmlStream& xml, std::string& out, bool firstOnly) {
    const int depth = xml.depth();
    bool first = true;
    for (;;) {
        const XmlStream::Token token = xml.next();
        if (token == XmlStream::Error) {
            return false;
        }
        if (token == XmlStream::EndElement && xml.depth() == depth) {
            return true;
        }
        if (token == XmlStream::Text && xml.depth() == depth && (first || !firstOnly)) {
            xml.appendText(out);
            first = false;
            // Many texts of bounded length still make one bounded text.
            if (out.size() > XmlStream::maxTokenBytes) {
                xml.stopWith("an element or text is too long");
                return false;
            }
        } else if (token == XmlStream::StartElement && !xml.skipElement()) {
            return false;
        }
    }
}

bool Xml_Read_String_Item(XmlStream& xml, std::string& out) {
    const int depth = xml.depth();
    for (;;) {
        XmlStream::Token token = xml.next();
        if (token == XmlStream::Error) {
            return false;
        }
        if (token == XmlStream::EndElement && xml.depth() == depth) {
            return true;
        }
        if (token != XmlStream::StartElement) {
            continue;
        }
        if (xml.localName() == "t") {
            if (!Xml_Read_Text(xml, out, false)) {
                return false;
            }
        } else if (xml.localName() == "r") {
            for (;;) {
                token = xml.next();
                if (token == XmlStream::Error) {
                    return false;
                }
                if (token == XmlStream::EndElement && xml.depth() == depth + 1) {
                    break;
                }
                if (token == XmlStream::StartElement) {
                    const bool ok =
                        xml.localName() == "t" ? Xml_Read_Text(xml, out, false) : xml.skipElement();
                    if (!ok) {
                        return false;
                    }
                }
            }
        } else if (!xml.skipElement()) {
            return false;
        }
    }
}
