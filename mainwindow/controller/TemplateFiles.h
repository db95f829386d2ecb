#pragma once
// Writing the two files of a user template, its design file and its preview.
// Each file replaces its old one in one atomic step (written in full under
// a temporary name of the program's own, flushed to disk, renamed over the
// target), so a save stopped at any instant leaves each of the two whole,
// old or new, never missing. The temporary files an interrupted save left
// beside them are cleared by the next save of the same name (the writer
// does that for every file it saves); any other file beside them, however
// it is named (a user's "Party.dcard.old" or "Party.dcard.backup"), is
// never touched.

#include <QByteArray>
#include <QString>
#include <functional>

namespace template_files {

// Called at each step of a save with the step's name ("design written",
// "preview written", "design replaced", "preview replaced"); the disk as
// it stands there is what a kill at that instant leaves. Empty: none.
using StepObserver = std::function<void(const QString& step)>;
void setStepObserver(StepObserver observer);

// One file of the pair: where it goes and its whole content.
struct FileContent {
    QString path;
    QByteArray bytes;
};

// Writes both new files in full, then replaces the design file and then
// the preview.
// False with a reason when anything fails; a design file already replaced
// then gets its old content back.
bool Write_Template_Pair(const FileContent& design, const FileContent& preview, QString* reason);

} // namespace template_files
