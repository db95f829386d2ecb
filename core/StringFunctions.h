#pragma once
// Trimming, cutting and searching of strings. Lengths and indexes count
// UTF-16 code units, as QString does.

#include <QString>
#include <cstdint>

// White space and line breaks removed from both ends, then control and format
// characters (Unicode Cc, Cf) removed from both ends of that result.
QString Trim_Str(const QString& s);

// The characters / \ ? % * | " < > removed from both ends only (never from
// inside), then Trim_Str.
QString Remove_Reserve_Char_In_File_Name(const QString& s);

// Trim_Str of s.
QString Replace_Char_For_valid(const QString& s);

// The first n code units (a negative n counts as 0); s itself when n is not
// less than its length.
QString Left_Str_substringToIndex(const QString& s, std::int32_t n);

// The last n code units (a negative n counts as 0); s itself when n is not
// less than its length.
QString Right_Str_substringFromIndex(const QString& s, std::int32_t n);

// From index i to the end; "" when i is past the length (every negative i is,
// compared as an unsigned 64-bit value).
QString Read_Str_FromIndex(const QString& s, std::int32_t i);

// The first i code units; "" when i is past the length (as above).
QString Read_Str_Upto_Index(const QString& s, std::int32_t i);

// Every occurrence of find replaced (literal, case-sensitive). An empty find
// leaves s unchanged.
QString Replace_char_in_string(const QString& s, const QString& find, const QString& replacement);

// 1 when t occurs in s (literal, case-sensitive), else 0; an empty t gives 0.
int Find_Str(const QString& s, const QString& t);
