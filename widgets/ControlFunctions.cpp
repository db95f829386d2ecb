#include "widgets/ControlFunctions.h"

#include "core/MessageFunctions.h"
#include "core/globals.h"
#include "platform/Hooks.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QUrl>
#include <typeinfo>

// Class tests are exact, as the designs rely on: a subclass of a text field
// or of a box is an ordinary control. The framework the program was designed
// for had one text-field class for labels and edit fields and one box class;
// here they are:
//   text field -> exactly QLineEdit or QLabel
//   box        -> exactly QGroupBox, QFrame or a bare QWidget (the plain
//                 containers Qt layouts group controls in)
// A box's controls are its child widgets; a box has no enable state itself.

namespace {

// The dynamic class itself: a subclass without a meta-object of its own would
// still report its base's class name, so typeid is compared, not className().
template <typename T> bool isExactly(const QWidget* view) {
    return typeid(*view) == typeid(T);
}

bool isTextField(const QWidget* view) {
    return isExactly<QLineEdit>(view) || isExactly<QLabel>(view);
}

bool isBox(const QWidget* view) {
    return isExactly<QGroupBox>(view) || isExactly<QFrame>(view) || isExactly<QWidget>(view);
}

// The control text colour, or the disabled one, for every state of the field.
void setTextColour(QWidget* field, bool enabled) {
    const QPalette standard = QApplication::palette(field);
    const QPalette::ColorGroup source = enabled ? QPalette::Active : QPalette::Disabled;
    QPalette palette = field->palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text}) {
        const QColor colour = standard.color(source, role);
        for (QPalette::ColorGroup group :
             {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            palette.setColor(group, role, colour);
        }
    }
    field->setPalette(palette);
}

void setContentEnabled(QWidget* box, int flag) {
    const auto children = box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        SetObjEnabled(child, flag);
    }
}

} // namespace

void SetObjEnabled(QWidget* view, int flag) {
    if (!view) {
        return;
    }
    const bool enabled = flag != 0;
    if (isBox(view)) {
        setContentEnabled(view, flag);
        return;
    }
    view->setEnabled(enabled);
    if (isTextField(view)) {
        setTextColour(view, enabled);
    }
}

void Open_Help_File() {
    const QString path = QDir(Resource_Path).filePath(QStringLiteral("Help.pdf"));
    if (!QFileInfo::exists(path)) {
        Show_MessageBox(QStringLiteral("Help file does not exist!"));
        return;
    }
    // Without a program for PDF documents the user is told where the file
    // is, so it can be opened by hand.
    if (!hooks::openUrl(QUrl::fromLocalFile(path))) {
        Show_MessageBox(QStringLiteral("No program to show PDF documents could be started.\n\n"
                                       "The help document is here:\n%1")
                            .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())));
    }
}
