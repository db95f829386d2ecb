#include "SeriesWindowsSupport.h"

#include "widgets/GuiHooks.h"
#include "widgets/Long_SMS_Dlg.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QWidget>

namespace swtest {

ScriptedRuns::ScriptedRuns(std::function<int(QDialog&)> handler) {
    hooks::setModalRunner([handler](QDialog& dialog) {
        keepScreenshot(dialog, QString::fromLatin1(dialog.metaObject()->className()));
        return handler(dialog);
    });
}

ScriptedRuns::~ScriptedRuns() {
    hooks::setModalRunner({});
}

bool keepScreenshot(QWidget& widget, const QString& name) {
    const QString folder = qEnvironmentVariable("CARD_SCREENSHOT_DIR");
    if (folder.isEmpty()) {
        return false;
    }
    const bool wasVisible = widget.isVisible();
    widget.show();
    const bool saved = widget.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
    if (!wasVisible) {
        widget.hide();
    }
    return saved;
}

QString pythonBook(const QString& python, const QString& path, const char* script) {
    const auto made = testsupport::runProcess(python, {"-c", script, path});
    EXPECT_EQ(made.exitCode, 0) << made.err.toStdString();
    return made.exitCode == 0 ? path : QString();
}

bool hasModule(const QString& python, const char* module) {
    return testsupport::runProcess(python, {"-c", QStringLiteral("import ") + module}).exitCode ==
           0;
}

QStringList shownTexts(const QStringList& texts) {
    QStringList shown;
    for (const QString& text : texts) {
        shown << (text.startsWith(QLatin1Char('\n')) ? text.mid(1) : text);
    }
    return shown;
}

QString longTitle(Long_SMS_Dlg& dialog) {
    const auto* title = dialog.findChild<QLabel*>(QStringLiteral("_Msg_Title"));
    return title ? title->text() : QString();
}

int answerLong(Long_SMS_Dlg& dialog, bool ok, bool applyToAll) {
    if (auto* box = dialog.findChild<QCheckBox*>(QStringLiteral("apply_chk"))) {
        box->setChecked(applyToAll);
    }
    if (ok) {
        dialog.OKPressed();
    } else {
        dialog.CancelPressed();
    }
    return dialog.result();
}

} // namespace swtest
