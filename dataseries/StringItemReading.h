#pragma once
// Reading the texts of workbook XML from a pull reader: the text directly
// inside an element, and the text of a string item (a shared string or an
// inline string).

#include "dataseries/XmlStream.h"

#include <string>

// Appends the text directly inside the element just started (all of it, or
// only its first text), up to its end tag. False on an error of the reader,
// which is also stopped when `out` grows past XmlStream::maxTokenBytes.
bool Xml_Read_Text(XmlStream& xml, std::string& out, bool firstOnly);

// Appends the text of the string item just started: its "t", or the "t" of
// each run, in order; phonetic runs are not part of it. Escapes are left as
// they are. False on an error of the reader, as above.
bool Xml_Read_String_Item(XmlStream& xml, std::string& out);
