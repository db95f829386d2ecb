#pragma once
// Names of the temporary files the whole-file writer makes beside a target,
// and the clearing of those that a stopped save left behind.
//
// A temporary name is ".<file name>.cardeditor-save-" and six letters or
// digits. When that passes the folder's limit for a name, the file name is
// cut to fit and followed by "~" and eight hexadecimal digits of a digest of
// the whole name (".<start of name>~1a2b3c4d.cardeditor-save-XXXXXX"), so
// two long names that begin alike do not share their temporary files.
//
// A save holds an exclusive lock (flock) on its temporary file from the
// moment it is made until it is renamed or removed; a leftover is a
// temporary file of the target's whose lock anyone can take, so a save in
// progress (in this process or another) is never taken for one.

#include <QByteArray>

// The marker every temporary name carries.
QByteArray Temporary_Name_Marker();

// The longest name, in bytes, the folder accepts (NAME_MAX when the system
// does not say).
long Folder_Name_Limit(const QByteArray& folder);

// The part of a temporary name for `fileName` that comes before its six
// random characters, within `nameLimit` bytes with those six.
QByteArray Temporary_Name_Prefix(const QByteArray& fileName, long nameLimit);

// Removes the temporary files of `target` that no save holds (locks
// nothing that is not one); answers how many went.
int Remove_Temporary_Leftovers_Of(const QByteArray& target);
