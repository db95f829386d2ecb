#include "dataseries/SeriesListing.h"

#include "core/globals.h"
#include "dataseries/SeriesFiles.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

void Sort_Series_Names(QStringList& names) {
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = QString::compare(a, b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
}

QStringList Get_datasheet_File_Name_Array() {
    QStringList names;
    const QFileInfo folder(Data_Folder_Path);
    if (Data_Folder_Path.isEmpty() || !folder.isDir()) {
        return names;
    }
    const QFileInfoList entries = QDir(Data_Folder_Path).entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo& entry : entries) {
        if (!entry.exists() || entry.isDir()) {
            continue;
        }
        const QString name = entry.completeBaseName();
        if (Is_Valid_Series_Name(name)) {
            names << name;
        }
    }
    Sort_Series_Names(names);
    return names;
}
