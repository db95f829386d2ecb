#include "mainwindow/controller/Export_Template.h"

#include "core/MessageFunctions.h"
#include "core/StringFunctions.h"
#include "core/globals.h"
#include "ui_Export_Template.h"

#include <QDir>
#include <QFileInfo>
#include <QPalette>
#include <QPushButton>

Export_Template::Export_Template(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::Export_Template>()) {
    m_ui->setupUi(this);
    m_ui->template_passed->setVisible(false);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(241, 244, 250));
    setPalette(palette);
    setAutoFillBackground(true);
    connect(m_ui->OK_btn, &QPushButton::clicked, this, &Export_Template::OKPressed);
    connect(m_ui->Cancel_btn, &QPushButton::clicked, this, &Export_Template::CancelPressed);
}

Export_Template::~Export_Template() = default;

QLineEdit* Export_Template::template_name() const {
    return m_ui->template_name;
}

QLineEdit* Export_Template::template_passed() const {
    return m_ui->template_passed;
}

QString Export_Template::userTemplateFolder() {
    return QDir(QDir(Resource_Path).filePath(QStringLiteral("Templates")))
        .filePath(QStringLiteral("User"));
}

QString Export_Template::cleanedTemplateName(const QString& typed) {
    const QString name = Remove_Reserve_Char_In_File_Name(Trim_Str(typed));
    if (name.contains(QLatin1Char('/')) || name.contains(QChar(0)) || name == QLatin1String(".") ||
        name == QLatin1String("..")) {
        return QString();
    }
    return name;
}

void Export_Template::OKPressed() {
    const QString name = cleanedTemplateName(m_ui->template_name->text());
    if (name.isEmpty()) {
        Show_MessageBox(QStringLiteral("Please enter template name."));
        return;
    }
    const QString passed = Trim_Str(m_ui->template_passed->text());
    const bool exists = QFileInfo::exists(
        QDir(userTemplateFolder()).filePath(name + QStringLiteral(".") + design_file_EXT));
    if (passed.isEmpty()) {
        if (exists && Show_YES_NO_MessageBox(QStringLiteral(
                          "Template with this name already exists, Do you want to replace the "
                          "existing template?")) != 1) {
            return;
        }
    } else if (passed != name && exists) {
        Show_MessageBox(QStringLiteral("Template with this name already exists."));
        return;
    }
    export_template_name = name;
    done(1);
}

void Export_Template::CancelPressed() {
    m_ui->template_name->clear();
    done(0);
}
