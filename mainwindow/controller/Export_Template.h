#pragma once
// The template-name dialog: the user names the template the design is saved
// as. OK checks the name against the user template folder; Cancel leaves
// with 0.

#include <QDialog>
#include <QString>
#include <memory>

class QLineEdit;

namespace Ui {
class Export_Template;
}

class Export_Template : public QDialog {
    Q_OBJECT

public:
    explicit Export_Template(QWidget* parent = nullptr);
    ~Export_Template() override;
    Export_Template(const Export_Template&) = delete;
    Export_Template& operator=(const Export_Template&) = delete;

    QLineEdit* template_name() const;
    // Name of a template being replaced; empty in the normal case.
    QLineEdit* template_passed() const;

    // Resource_Path/Templates/User.
    static QString userTemplateFolder();
    // The name as stored: trimmed, reserved characters removed at both ends.
    // Empty when nothing usable is left, or when the cleaned name could
    // leave the template folder ("/", NUL, "." or "..").
    static QString cleanedTemplateName(const QString& typed);

    // Checks the name; on success export_template_name takes it and the
    // dialog ends with 1, otherwise it stays open.
    void OKPressed();
    // Empties the name and ends the dialog with 0.
    void CancelPressed();

private:
    std::unique_ptr<Ui::Export_Template> m_ui;
};
