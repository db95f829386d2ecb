#pragma once
// Font names in archives. We write family names; archives from the original
// platform carry PostScript names ("TimesNewRomanPS-BoldItalicMT"), which
// read as a family and a face.

#include <QFont>
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

// A font of that face at a size in points, e.g. for a PostScript name a
// record gives: font("TimesNewRomanPS-BoldItalicMT", 18).
QFont font(const Face& face, double pointSize);
QFont font(const QString& name, double pointSize);

} // namespace ArchiveFontName
