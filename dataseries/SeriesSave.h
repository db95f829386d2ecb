#pragma once
// The store rules of the series manager: saving under a typed name,
// deleting, and the access probe before a series is loaded.

#include "dataseries/SeriesInUse.h"

#include <QString>
#include <QStringList>
#include <functional>

inline const QString Series_In_Use_Update_Text =
    QStringLiteral("Batch Processing Series can't be update because it is currently in use.");
inline const QString Series_Exists_Question_Text =
    QStringLiteral("Batch Processing Series already exists. Do you want to replace it?");
inline const QString Series_In_Use_Delete_Text =
    QStringLiteral("Batch Processing Series can't be delete because it is currently in use.");

// Told true just before a series file is written and false right after it,
// before any message: where the caller shows its please-wait sheet.
using SeriesWriteBusy = std::function<void(bool writing)>;

enum class SeriesSaveResult {
    Saved,
    InUse,    // the loaded series is bound on the card; nothing written
    Declined, // the user kept the existing series of the typed name
    Failed,   // refused name or failed write; "Error in file accessing." shown
};

// Saves the values (each trimmed, empty ones left out) under the typed name,
// cleaned with Remove_Reserve_Char_In_File_Name. `loaded` is the name the
// series was opened under ("" for a new one). An existing other series asks
// before it is replaced; a rename removes the loaded series' file only after
// the new file is written.
SeriesSaveResult Save_Series_Under_Name(const QString& typed, const QString& loaded,
                                        const QStringList& values, const SeriesBindingSides& card,
                                        const SeriesWriteBusy& busy = {});

// The rule of generated and imported series: the typed name cleaned with
// Remove_Reserve_Char_In_File_Name, an existing series replaced only after
// the question, the values written as they are.
SeriesSaveResult Save_New_Series(const QString& typed, const QStringList& values,
                                 const SeriesWriteBusy& busy = {});

// Deletes a series' file unless the series is in use (then the refusal is
// shown). True when the file was removed.
bool Delete_Series(const QString& name, const SeriesBindingSides& card);

// Opens the existing file of the series for reading and writing and closes
// it again; shows "Error in file accessing." and answers false when that
// fails. Never creates a file.
bool Probe_Series_Access(const QString& name);
