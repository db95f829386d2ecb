#pragma once
// Text helpers for the XML parts of workbooks: element matching by local
// name (so prefixed and strict-namespace parts read like ordinary ones), and
// the _xHHHH_ escapes of SpreadsheetML strings.

#include <QByteArray>
#include <QString>
#include <pugixml.hpp>

// The element name without its namespace prefix.
const char* Xlsx_Local_Name(const pugi::xml_node& node);
bool Xlsx_Is(const pugi::xml_node& node, const char* localName);
// The first child element with that local name, or an empty node.
pugi::xml_node Xlsx_Child(const pugi::xml_node& node, const char* localName);
// The attribute with that local name, or an empty attribute.
pugi::xml_attribute Xlsx_Attribute(const pugi::xml_node& node, const char* localName);

// _xHHHH_ escapes decoded ("_x000D_" a carriage return, "_x005F_" an
// underscore).
QString Xlsx_Decode_Escapes(const QString& text);

// The text made storable: characters XML cannot hold (and the carriage
// return, which XML readers turn into a line feed) as _xHHHH_, and an
// underscore that would start an escape as _x005F_.
QString Xlsx_Encode_Escapes(const QString& text);

// Appends the text with &, < and > (and " for attributes) as entities.
void Xlsx_Append_Escaped_Xml(QByteArray& out, const QString& text, bool attribute = false);
