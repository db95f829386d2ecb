#include "mainwindow/controller/Image_Library.h"

#include "core/MessageFunctions.h"
#include "core/StringFunctions.h"
#include "core/globals.h"
#include "ui_Image_Library.h"
#include "widgets/GuiHooks.h"
#include "widgets/ImageBrowser.h"

#include <QDir>
#include <QFileInfo>
#include <exception>

namespace {
// The one library of the run, for defaultInstance.
Image_Library* g_library = nullptr;

constexpr double kOpeningZoom = 0.4;
constexpr double kSliderSteps = 100.0; // slider units per zoom unit
} // namespace

Image_Library::Image_Library(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::Image_Library>()) {
    m_ui->setupUi(this);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(241, 244, 250));
    setPalette(palette);
    setAutoFillBackground(true);
    setModal(true);
    imageBrowser()->setZoomValue(kOpeningZoom);

    connect(m_ui->cat_cmbo_bx, &QComboBox::activated, this,
            [this] { comboBoxSelectionDidChange(); });
    connect(m_ui->imageBrowser, &ImageBrowser::selectionDidChange, this,
            [this] { imageBrowserSelectionDidChange(); });
    connect(m_ui->_zoom_slider, &QSlider::valueChanged, this, [this] { zoomSliderDidChange(); });
    connect(m_ui->OK_Button, &QPushButton::clicked, this, [this] { OK_Clicked(); });
    connect(m_ui->Cancel_Button, &QPushButton::clicked, this, [this] { Cancel_Clicked(); });
    g_library = this;
}

Image_Library::~Image_Library() {
    if (g_library == this) {
        g_library = nullptr;
    }
}

Image_Library* Image_Library::defaultInstance() {
    return g_library;
}

ImageBrowser* Image_Library::imageBrowser() const {
    return m_ui->imageBrowser;
}

QComboBox* Image_Library::categoryCombo() const {
    return m_ui->cat_cmbo_bx;
}

QLabel* Image_Library::categoryLabel() const {
    return m_ui->category_label;
}

QSlider* Image_Library::zoomSlider() const {
    return m_ui->_zoom_slider;
}

int Image_Library::Open_Library_Window() {
    try {
        imageBrowser()->setItems({});
        {
            const QSignalBlocker blocker(m_ui->_zoom_slider);
            m_ui->_zoom_slider->setValue(static_cast<int>(kOpeningZoom * kSliderSteps));
        }
        imageBrowser()->setZoomValue(kOpeningZoom);
        if (control_or_BG == QStringLiteral("C")) {
            setWindowTitle(QStringLiteral("Image Library"));
            Fill_Combobox();
            m_ui->cat_cmbo_bx->setVisible(true);
            m_ui->category_label->setVisible(true);
        } else {
            setWindowTitle(QStringLiteral("Background Image Library"));
            m_ui->cat_cmbo_bx->setVisible(false);
            m_ui->category_label->setVisible(false);
            Load_and_fill_backgrounds();
        }
        const int code = hooks::runModal(*this);
        hide();
        return code == 1 ? 1 : 0;
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
        return 0;
    }
}

QString Image_Library::capitalizedName(const QString& name) {
    QString result = name;
    bool wordStart = true;
    for (QChar& c : result) {
        if (c.isLetterOrNumber()) {
            c = wordStart ? c.toUpper() : c.toLower();
            wordStart = false;
        } else {
            wordStart = true;
        }
    }
    return result;
}

void Image_Library::Fill_Combobox() {
    QComboBox* combo = m_ui->cat_cmbo_bx;
    combo->clear();
    const QFileInfo root(QDir(Resource_Path).filePath(QStringLiteral("LibraryImage")));
    if (!root.exists() || !root.isDir()) {
        return;
    }
    // Name order is the stable form of the file system's listing order. The
    // real folder name is kept beside the shown one, so a file system that
    // tells case apart still finds the folder.
    const QFileInfoList folders =
        QDir(root.absoluteFilePath()).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& folder : folders) {
        combo->addItem(capitalizedName(folder.fileName()), folder.fileName());
    }
    if (combo->count() > 0) {
        combo->setCurrentIndex(0);
        comboBoxSelectionDidChange();
    }
}

void Image_Library::comboBoxSelectionDidChange() {
    try {
        const QComboBox* combo = m_ui->cat_cmbo_bx;
        if (combo->currentIndex() < 0) {
            return;
        }
        QString folderName = combo->currentData().toString();
        if (folderName.isEmpty()) {
            folderName = combo->currentText();
        }
        const QString folder =
            QDir(QDir(Resource_Path).filePath(QStringLiteral("LibraryImage"))).filePath(folderName);
        if (!QFileInfo(folder).isDir()) {
            return;
        }
        imageBrowser()->setItems({});
        addPicturesOfFolder(folder);
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
}

void Image_Library::Load_and_fill_backgrounds() {
    const QString folder = QDir(Resource_Path).filePath(QStringLiteral("Background"));
    if (!QFileInfo(folder).isDir()) {
        return;
    }
    imageBrowser()->setItems({});
    addPicturesOfFolder(folder);
}

void Image_Library::addPicturesOfFolder(const QString& folder) {
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    QList<MyImageObject> items;
    for (const QFileInfo& entry : entries) {
        const QString extension = entry.suffix().toLower();
        if (extension != QLatin1String("png") && extension != QLatin1String("jpg")) {
            continue;
        }
        const QString path = Trim_Str(QDir(folder).filePath(entry.fileName()));
        if (!path.isEmpty()) {
            items.append(MyImageObject{path, entry.fileName(), entry.fileName()});
        }
    }
    // One reset for the whole folder.
    imageBrowser()->setItems(items);
}

void Image_Library::addImageWithPath(const QString& path, const QString& name, const QString& uid) {
    const QString trimmed = Trim_Str(path);
    if (trimmed.isEmpty()) {
        return;
    }
    imageBrowser()->browserModel()->appendItem(MyImageObject{trimmed, name, uid});
}

void Image_Library::imageBrowserSelectionDidChange() {
    const QList<int> rows = imageBrowser()->selectionIndexes();
    if (rows.isEmpty()) {
        return; // deselecting keeps the last path
    }
    const QList<MyImageObject>& items = imageBrowser()->browserModel()->items();
    if (rows.first() < items.size()) {
        selected_image = items[rows.first()].imageRepresentation();
    }
}

void Image_Library::OK_Clicked() {
    if (!selected_image.isEmpty() && QFileInfo(selected_image).isFile()) {
        done(1);
        return;
    }
    Show_MessageBox(QStringLiteral("Please select image."));
}

void Image_Library::Cancel_Clicked() {
    selected_image.clear();
    done(0);
}

void Image_Library::reject() {
    Cancel_Clicked();
}

void Image_Library::zoomSliderDidChange() {
    imageBrowser()->setZoomValue(m_ui->_zoom_slider->value() / kSliderSteps);
    imageBrowser()->viewport()->update();
}
