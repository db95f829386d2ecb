#include "dataseries/SeriesSave.h"

#include "core/FileFunctions.h"
#include "core/MessageFunctions.h"
#include "core/StringFunctions.h"
#include "dataseries/SeriesFiles.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Writes the series with the caller told around the write.
bool writeSeries(const QString& name, const QStringList& values, const SeriesWriteBusy& busy) {
    if (busy) {
        busy(true);
    }
    const bool written = Write_Series_File(name, values);
    if (busy) {
        busy(false);
    }
    return written;
}

} // namespace

SeriesSaveResult Save_Series_Under_Name(const QString& typed, const QString& loaded,
                                        const QStringList& values, const SeriesBindingSides& card,
                                        const SeriesWriteBusy& busy) {
    const QString cleaned = Remove_Reserve_Char_In_File_Name(typed);
    const QString target = Series_File_Path(cleaned);
    if (target.isEmpty()) {
        Show_MessageBox(Series_Access_Error_Text);
        return SeriesSaveResult::Failed;
    }
    if (!loaded.isEmpty() && Check_Batch_File_In_Use_Validation(loaded, card)) {
        Show_MessageBox(Series_In_Use_Update_Text);
        return SeriesSaveResult::InUse;
    }
    const bool targetExists = QFileInfo::exists(target);
    const QString loadedPath = Series_File_Path(loaded);
    bool renaming = false;
    if (targetExists && typed != loaded) {
        if (Show_YES_NO_MessageBox(Series_Exists_Question_Text) != 1) {
            return SeriesSaveResult::Declined;
        }
    } else if (!targetExists && typed != loaded && !loadedPath.isEmpty() &&
               QFileInfo::exists(loadedPath)) {
        renaming = true;
    }
    QStringList kept;
    for (const QString& value : values) {
        const QString trimmed = Trim_Str(value);
        if (!trimmed.isEmpty()) {
            kept << trimmed;
        }
    }
    if (!writeSeries(cleaned, kept, busy)) {
        Show_MessageBox(Series_Access_Error_Text);
        return SeriesSaveResult::Failed;
    }
    if (renaming) {
        Delete_File(loadedPath);
    }
    return SeriesSaveResult::Saved;
}

SeriesSaveResult Save_New_Series(const QString& typed, const QStringList& values,
                                 const SeriesWriteBusy& busy) {
    const QString cleaned = Remove_Reserve_Char_In_File_Name(typed);
    const QString target = Series_File_Path(cleaned);
    if (target.isEmpty()) {
        Show_MessageBox(Series_Access_Error_Text);
        return SeriesSaveResult::Failed;
    }
    if (QFileInfo::exists(target) && Show_YES_NO_MessageBox(Series_Exists_Question_Text) != 1) {
        return SeriesSaveResult::Declined;
    }
    if (!writeSeries(cleaned, values, busy)) {
        Show_MessageBox(Series_Access_Error_Text);
        return SeriesSaveResult::Failed;
    }
    return SeriesSaveResult::Saved;
}

bool Delete_Series(const QString& name, const SeriesBindingSides& card) {
    if (Check_Batch_File_In_Use_Validation(name, card)) {
        Show_MessageBox(Series_In_Use_Delete_Text);
        return false;
    }
    const QString path = Series_File_Path(name);
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        return false;
    }
    Delete_File(path);
    return !QFileInfo::exists(path);
}

bool Probe_Series_Access(const QString& name) {
    const QString path = Series_File_Path(name);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly)) {
        Show_MessageBox(Series_Access_Error_Text);
        return false;
    }
    return true;
}
