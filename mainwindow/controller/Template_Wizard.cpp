#include "mainwindow/controller/Template_Wizard.h"

#include "core/FileFunctions.h"
#include "core/MessageFunctions.h"
#include "core/globals.h"
#include "mainwindow/controller/WindowEntries.h"
#include "mainwindow/controller/WizardGlobals.h"
#include "ui_Template_Wizard.h"
#include "widgets/AppOwned.h"
#include "widgets/GuiHooks.h"
#include "widgets/ImageBrowserModel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <exception>

namespace {

QPointer<Template_Wizard> g_templateWizard;

QString templatesFolder() {
    return QDir(Resource_Path).filePath(QStringLiteral("Templates"));
}

QString userFolder() {
    return QDir(templatesFolder()).filePath(QStringLiteral("User"));
}

// The design file beside a preview: the same path with "dcard".
QString designFileOf(const QString& preview) {
    const QFileInfo info(preview);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".dcard"));
}

const QString kSelectTemplate = QStringLiteral("Please select template.");

} // namespace

Template_Wizard* Template_Wizard::defaultInstance() {
    return appOwnedInstance(g_templateWizard);
}

Template_Wizard::Template_Wizard(QWidget* parent)
    : CardSizeWindow(parent), m_ui(std::make_unique<Ui::Template_Wizard>()) {
    m_ui->setupUi(this);
    colour();
    Ui::Template_Wizard& ui = *m_ui;
    attachSizeControls(ui.Preset_ComboBox, ui.Category_ComboBox, ui.width_Stepper, ui.width_Text,
                       ui.height_Stepper, ui.height_Text, ui.ColList);
    connect(ui.cat_cmbo_bx, &QComboBox::activated, this, [this] { sourceChosen(); });
    connect(ui.imageBrowser, &ImageBrowser::selectionDidChange, this,
            [this] { imageBrowserSelectionDidChange(); });
    connect(ui.imageBrowser, &ImageBrowser::itemsChanged, this,
            [this] { m_images = m_ui->imageBrowser->browserModel()->items(); });
    connect(ui._zoom_slider, &QSlider::sliderMoved, this, [this] { zoomSliderDidChange(); });
    connect(ui.OK_btn, &QPushButton::clicked, this, [this] { OK_Click(); });
    connect(ui.Cancel_btn, &QPushButton::clicked, this, [this] { CancelClick(); });
    connect(ui.Delete_temp_btn, &QPushButton::clicked, this, [this] { Delete_Template_Click(); });
    connect(ui.Copy_temp_btn, &QPushButton::clicked, this, [this] { Copy_Templatee_Click(); });
    connect(ui.Rename_temp_btn, &QPushButton::clicked, this, [this] { Rename_Template_Click(); });
    connect(ui.User_Profile_btn, &QPushButton::clicked, this, [this] { User_Profile_Click(); });
}

Template_Wizard::~Template_Wizard() = default;

int Template_Wizard::Open_Template_Window() {
    try {
        Ui::Template_Wizard& ui = *m_ui;
        ui.cat_cmbo_bx->setCurrentIndex(0);
        ui.Preset_ComboBox->setCurrentIndex(0);
        ui.Category_ComboBox->setCurrentIndex(0);
        categoryChosen();
        m_images.clear();
        ui.imageBrowser->setItems(m_images);
        ui._zoom_slider->setValue(60);
        ui.imageBrowser->setZoomValue(0.6);
        Show_Hide_Template_Buttons(true);
        // Renaming needs the template-name window.
        ui.Rename_temp_btn->setEnabled(static_cast<bool>(window_entries::templateName.get()));
        Fill_Templates();
        const int result = hooks::runModal(*this);
        hide();
        return result;
    } catch (const std::exception& error) {
        Show_NSLog_Message(QString::fromLocal8Bit(error.what()));
        return 0;
    }
}

void Template_Wizard::fillFrom(const QString& folder, bool user) {
    Show_NSLog_Message(folder);
    if (!QFileInfo(folder).isDir()) {
        return;
    }
    m_images.clear();
    m_ui->imageBrowser->setItems(m_images);
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString extension = QFileInfo(name).suffix().toLower();
        if (extension != QStringLiteral("png") && extension != QStringLiteral("jpg")) {
            continue;
        }
        QString uid = name;
        if (user) {
            uid = QStringLiteral("TEMP%1.png").arg(User_Defined_File);
            ++User_Defined_File;
        }
        m_images.append(MyImageObject{dir.filePath(name), name, uid});
    }
    m_ui->imageBrowser->setItems(m_images);
    if (!m_images.isEmpty()) {
        m_ui->imageBrowser->selectionModel()->select(
            m_ui->imageBrowser->browserModel()->index(0, 0), QItemSelectionModel::ClearAndSelect);
        Selected_Template_Path = m_images.first()._path;
    }
}

void Template_Wizard::Fill_Templates() {
    fillFrom(templatesFolder(), false);
}

void Template_Wizard::Fill_Templates_User_Defined() {
    fillFrom(userFolder(), true);
}

void Template_Wizard::sourceChosen() {
    if (m_ui->cat_cmbo_bx->currentIndex() == 0) {
        Fill_Templates();
        Show_Hide_Template_Buttons(true);
    } else {
        Fill_Templates_User_Defined();
        Show_Hide_Template_Buttons(false);
    }
}

void Template_Wizard::Show_Hide_Template_Buttons(bool hide) {
    m_ui->Delete_temp_btn->setVisible(!hide);
    m_ui->Copy_temp_btn->setVisible(!hide);
    m_ui->Rename_temp_btn->setVisible(!hide);
}

void Template_Wizard::imageBrowserSelectionDidChange() {
    const QList<int> rows = m_ui->imageBrowser->selectionIndexes();
    const QList<MyImageObject>& items = m_ui->imageBrowser->browserModel()->items();
    if (!rows.isEmpty() && rows.first() < items.size()) {
        Selected_Template_Path = items[rows.first()]._path;
    }
}

void Template_Wizard::zoomSliderDidChange() {
    m_ui->imageBrowser->setZoomValue(m_ui->_zoom_slider->value() / 100.0);
}

QString Template_Wizard::selectedUserTemplate() const {
    // Only a template of the user's own list, shown and chosen there: an
    // earlier choice among the prepared templates is never touched.
    const QList<int> rows = m_ui->imageBrowser->selectionIndexes();
    const QList<MyImageObject>& items = m_ui->imageBrowser->browserModel()->items();
    if (m_ui->cat_cmbo_bx->currentIndex() != 0 && !rows.isEmpty() && rows.first() < items.size()) {
        const QFileInfo chosen(items[rows.first()]._path);
        const QFileInfo folder(userFolder());
        if (chosen.isFile() && chosen.absoluteDir().canonicalPath() == folder.canonicalFilePath()) {
            return chosen.filePath();
        }
    }
    Show_MessageBox(kSelectTemplate);
    return QString();
}

bool Template_Wizard::checkSelection() const {
    if (Selected_Template_Path.isEmpty() || !QFileInfo::exists(Selected_Template_Path)) {
        Show_MessageBox(kSelectTemplate);
        return false;
    }
    return true;
}

void Template_Wizard::OK_Click() {
    if (!checkSelection()) {
        return;
    }
    // The card shape stays as it was: the design file read later brings its
    // own.
    Selected_Template_Path = designFileOf(Selected_Template_Path);
    done(1);
}

void Template_Wizard::CancelClick() {
    Selected_Template_Path.clear();
    done(0);
}

void Template_Wizard::Delete_Template_Click() {
    const QString preview = selectedUserTemplate();
    if (preview.isEmpty()) {
        return;
    }
    if (Show_YES_NO_MessageBox(QStringLiteral("Do you want to delete this template?")) != 1) {
        return;
    }
    Delete_File(preview);
    Delete_File(designFileOf(preview));
    Fill_Templates_User_Defined();
}

QString Template_Wizard::Create_New_File_Path(const QString& path) {
    const QFileInfo info(path);
    const QString base = info.completeBaseName();
    const QString extension = info.suffix();
    for (int n = 1;; ++n) {
        // Only the file's own name changes, not a folder named like it.
        const QString name = QStringLiteral("%1 (copy %2).%3").arg(base).arg(n).arg(extension);
        const QString candidate = info.dir().filePath(name);
        if (!QFileInfo::exists(candidate)) {
            return candidate;
        }
    }
}

void Template_Wizard::Copy_Templatee_Click() {
    const QString preview = selectedUserTemplate();
    if (preview.isEmpty()) {
        return;
    }
    if (Show_YES_NO_MessageBox(QStringLiteral("Do you want to make copy of this template?")) != 1) {
        return;
    }
    const QString copy = Create_New_File_Path(preview);
    QFile::copy(preview, copy);
    QFile::copy(designFileOf(preview), designFileOf(copy));
    Fill_Templates_User_Defined();
}

void Template_Wizard::Rename_Template_Click() {
    const QString oldPreview = selectedUserTemplate();
    if (oldPreview.isEmpty()) {
        return;
    }
    const auto askName = window_entries::templateName.get();
    if (!askName) {
        return;
    }
    const QString oldDesign = designFileOf(oldPreview);
    QString chosen;
    if (askName(QFileInfo(oldPreview).completeBaseName(), chosen) != 1) {
        return;
    }
    const QString base = QDir(userFolder()).filePath(chosen);
    const QString newPreview = base + QStringLiteral(".png");
    const QString newDesign = base + QStringLiteral(".dcard");
    if (newPreview == oldPreview) {
        return;
    }
    // Each file is copied first (never onto itself) and the old ones go only
    // when every copy exists.
    QStringList made;
    const auto copyOver = [&made](const QString& from, const QString& to) {
        if (from == to) {
            return true;
        }
        if (!QFile::copy(from, to)) {
            Show_MessageBox(QStringLiteral("Could not copy the template to \"%1\".").arg(to));
            return false;
        }
        made << to;
        return true;
    };
    if (!copyOver(oldPreview, newPreview) || !copyOver(oldDesign, newDesign)) {
        for (const QString& path : made) {
            QFile::remove(path);
        }
        return;
    }
    if (oldPreview != newPreview) {
        Delete_File(oldPreview);
    }
    if (oldDesign != newDesign) {
        Delete_File(oldDesign);
    }
    Fill_Templates_User_Defined();
}
