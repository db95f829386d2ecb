#pragma once
// Font names in archives. We write family names; archives from the original
// platform carry PostScript names ("TimesNewRomanPS-BoldItalicMT"), which
// read as a family and a face.

#include <QString>

namespace ArchiveFontName {

struct Face {
    QString family;
    bool bold = false;
    bool italic = false;
};

// "TimesNewRomanPS-BoldMT" -> {"Times New Roman", bold}; "Helvetica-Oblique"
// -> {"Helvetica", italic}; "ArialMT" -> {"Arial"}. A name with spaces, or one
// word without a dash or an "MT"/"PS" ending, is a family name as it stands.
Face parse(const QString& name);

} // namespace ArchiveFontName
