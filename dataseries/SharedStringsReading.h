#pragma once
// Reads the shared-strings part of a workbook straight into a compact table,
// without a document tree: the memory it takes grows with the strings kept,
// not with the markup around them.

#include "dataseries/SharedStringTable.h"
#include "dataseries/XmlStream.h"

#include <QString>

// Reads one string per "si" element of the "sst" root, in order: its "t", or
// the "t" of each run joined; escapes decoded. A part with another root
// gives no strings. False, with the table empty and `error` set, when the
// part is not well-formed or holds more than the table can keep.
bool Read_Shared_Strings(XmlStream& xml, SharedStringTable& table, QString& error);
