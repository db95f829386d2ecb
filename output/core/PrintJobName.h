#pragma once
// The title of a print job: what the print queue lists and what a PDF
// printed from the program carries as its title.

#include <QString>

namespace sheet {

// The design file's name without its extension, or "Untitled" while the
// design has no file.
QString printJobName(const QString& designPath);

} // namespace sheet
