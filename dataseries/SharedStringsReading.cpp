#include "dataseries/SharedStringsReading.h"

#include "dataseries/StringItemReading.h"
#include "dataseries/XlsxText.h"

#include <string>

namespace {

bool failed(XmlStream& xml, SharedStringTable& table, QString& error) {
    table.clear();
    error = xml.errorText();
    return false;
}

// Reads on to the end of the document, so a part that is not well-formed
// after its strings is told as well.
bool finish(XmlStream& xml) {
    for (;;) {
        const XmlStream::Token token = xml.next();
        if (token == XmlStream::EndOfDocument) {
            return true;
        }
        if (token == XmlStream::Error) {
            return false;
        }
    }
}

} // namespace

bool Read_Shared_Strings(XmlStream& xml, SharedStringTable& table, QString& error) {
    table.clear();
    error.clear();
    XmlStream::Token token = xml.next();
    if (token == XmlStream::Error) {
        return failed(xml, table, error);
    }
    if (token != XmlStream::StartElement || xml.localName() != "sst") {
        return finish(xml) || failed(xml, table, error);
    }
    std::string text;
    for (;;) {
        token = xml.next();
        if (token == XmlStream::Error) {
            return failed(xml, table, error);
        }
        if (token == XmlStream::EndElement && xml.depth() == 1) {
            break;
        }
        if (token != XmlStream::StartElement) {
            continue;
        }
        if (xml.localName() != "si") {
            if (!xml.skipElement()) {
                return failed(xml, table, error);
            }
            continue;
        }
        text.clear();
        if (!Xml_Read_String_Item(xml, text)) {
            return failed(xml, table, error);
        }
        const bool kept = text.find("_x") == std::string::npos
                              ? table.appendUtf8(text.data(), qsizetype(text.size()))
                              : table.append(Xlsx_Decode_Escapes(
                                    QString::fromUtf8(text.data(), qsizetype(text.size()))));
        if (!kept) {
            xml.stopWith("too many shared strings");
            return failed(xml, table, error);
        }
    }
    return finish(xml) || failed(xml, table, error);
}
