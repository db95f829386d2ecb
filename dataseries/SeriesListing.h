#pragma once
// The list of data series: the files of the data folder.

#include <QString>
#include <QStringList>

// The one order of series names used by every list of series and by the
// batch table slots: case-insensitive by name, ties by code units.
void Sort_Series_Names(QStringList& names);

// Names of the series in the data folder (every file, its last extension
// removed), sorted by Sort_Series_Names; empty when the folder is missing.
QStringList Get_datasheet_File_Name_Array();
