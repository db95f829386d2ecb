#pragma once
// The text sources of the series import: decoding text files, the plain text
// of RTF documents, comma-separated lines, and the values each source gives.

#include <QByteArray>
#include <QString>
#include <QStringList>

// Text of a file's bytes: by its byte-order mark (UTF-8, UTF-16 or UTF-32),
// else as strict UTF-8, else as windows-1252.
QString Decode_Text_Bytes(const QByteArray& bytes);

// The windows-1252 character of one byte.
QChar Cp1252_Char(unsigned char byte);

// The plain text of an RTF document: \par and \line give "\n", \tab "\t",
// \'hh a windows-1252 character, \uN the character N (then \ucN fallback
// characters skipped). Font, colour and style tables, document information,
// pictures and \* destinations are left out.
QString Rtf_Plain_Text(const QByteArray& rtf);

// The fields of comma-separated text in reading order: records end at CRLF,
// LF or CR; a double-quoted field may hold commas, line breaks and doubled
// quotes.
QStringList Split_Csv_Values(const QString& text);

// The text without any "\", "{" and "}", trimmed with Trim_Str.
QString chk_and_insert_validation(const QString& text);

// The values a text file gives: by its extension ("rtf", "csv", other, in
// any case) the pieces of its content, each cleaned with
// chk_and_insert_validation; empty ones and font descriptions ("NSFont = ")
// left out.
QStringList Text_File_Values(const QString& extension, const QString& content);

// The text of a file for the import: the RTF plain text for "rtf", else the
// decoded bytes.
QString Text_File_Content(const QString& extension, const QByteArray& bytes);

// The picture files of a folder (not of its sub-folders), by name: their
// full paths. Extensions are compared in lower case.
QStringList Picture_Folder_Values(const QString& folder);

// The picture extensions a folder import takes.
const QStringList& Picture_Extensions();
