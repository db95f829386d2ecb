#pragma once
// Spreadsheet column letters: bijective base 26 (A..Z, AA..ZZ, AAA..).

#include <QString>

// The last column a worksheet can have (XFD).
inline constexpr int Max_Sheet_Columns = 16384;

// Letters of a 1-based column number: 1 "A", 26 "Z", 27 "AA". Empty for
// numbers below 1.
QString Column_Letters(int column);

// The letters at the start of a cell reference ("AB12" -> "AB"), upper case.
QString Get_Column_Char_Str(const QString& reference);

// The column of letters: with base 64 the 1-based number (A 1), with base 65
// the 0-based index (A 0, Z 25, AA 26). -1 for an empty text, a character
// that is not a letter, or a column past the sheet's last.
int Get_Col_index(const QString& letters, int base);

// The character code of the first character, 0 for an empty text.
int Asc_Val(const QString& text);
