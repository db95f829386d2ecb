// Faults made inside a template save, at its steps: the design file taken
// away just before the new one is put in place (the save still succeeds),
// and a preview that cannot be put in place after the new design was (the
// old design is put back).

#include "mainwindow/controller/TemplateFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// Runs `fault` at the save step of that name, while the object lives.
class FaultAtStep {
public:
    FaultAtStep(QString step, std::function<void()> fault) {
        template_files::setStepObserver(
            [step = std::move(step), fault = std::move(fault)](const QString& now) {
                if (now == step) {
                    fault();
                }
            });
    }
    ~FaultAtStep() { template_files::setStepObserver({}); }
    FaultAtStep(const FaultAtStep&) = delete;
    FaultAtStep& operator=(const FaultAtStep&) = delete;
};

TEST(TemplateSaveFaults, EachFaultLeavesAWholePairOrTheOldDesign) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString design = QDir(folder.path()).filePath(QStringLiteral("Party.dcard"));
    const QString preview = QDir(folder.path()).filePath(QStringLiteral("Party.png"));
    // A preview that cannot be replaced: a folder (not empty) now stands
    // where the file was.
    const auto blockPreview = [&] {
        QFile::remove(preview);
        QDir().mkpath(preview);
        writeBytes(QDir(preview).filePath(QStringLiteral("in the way")), "x");
    };
    const struct {
        const char* name;
        const char* step;
        std::function<void()> fault;
        bool saved;
        QByteArray designAfter;
    } cases[] = {
        {"design removed before its rename", "preview written", [&] { QFile::remove(design); },
         true, "new design"},
        {"preview not put in place after the design", "design replaced", blockPreview, false,
         "old design"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(folder.path()).removeRecursively();
        QDir().mkpath(folder.path());
        ASSERT_TRUE(writeBytes(design, "old design"));
        ASSERT_TRUE(writeBytes(preview, "old preview"));
        QString reason;
        bool saved = false;
        {
            const FaultAtStep fault(QString::fromLatin1(c.step), c.fault);
            saved = template_files::Write_Template_Pair({design, "new design"},
                                                        {preview, "new preview"}, &reason);
        }
        EXPECT_EQ(saved, c.saved) << reason.toStdString();
        EXPECT_EQ(reason.isEmpty(), c.saved) << reason.toStdString();
        EXPECT_EQ(readAll(design), c.designAfter);
        // Nothing else is left beside the pair.
        EXPECT_EQ(
            QDir(folder.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
            QStringList({QStringLiteral("Party.dcard"), QStringLiteral("Party.png")}));
        if (c.saved) {
            EXPECT_EQ(readAll(preview), "new preview");
        } else {
            EXPECT_TRUE(QFileInfo(preview).isDir());
        }
    }
}

} // namespace
