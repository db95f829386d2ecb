#pragma once
// Writing the two files of a user template, its design file and its preview.
// Each file replaces its old one in one atomic step (written in full under
// a temporary name of the program's own, flushed to disk, renamed over the
// target), so a save stopped at any instant leaves each of the two whole,
// old or new, never missing. What an interrupted save left beside them is
// cleared by the next save of the same name; other files beside them (a
// user's "Party.dcard.backup") are never touched.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

namespace template_files {

// Called at each step of a save with the step's name ("design written",
// "preview written", "design replaced", "preview replaced"); the disk as
// it stands there is what a kill at that instant leaves. Empty: none.
using StepObserver = std::function<void(const QString& step)>;
void setStepObserver(StepObserver observer);

// The files beside `target` an interrupted save may have left: the ".old"
// and ".new<n>" files of older saves, and the temporary files of this
// program's saves (".<target's name>.cardeditor-save-XXXXXX", six letters or
// digits).
QStringList leftoversOf(const QString& target);

// One file of the pair: where it goes and its whole content.
struct FileContent {
    QString path;
    QByteArray bytes;
};

// Clears the leftovers of both files (a whole old file an earlier save
// moved aside is put back first when its target is missing), writes both
// new files in full, then replaces the design file and then the preview.
// False with a reason when anything fails; a design file already replaced
// then gets its old content back.
bool Write_Template_Pair(const FileContent& design, const FileContent& preview, QString* reason);

} // namespace template_files
