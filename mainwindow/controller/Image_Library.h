#pragma once
// The picture library: a modal window in which the user picks one picture
// file of the resource folder. In object mode ("C") it shows one category
// (a sub-folder of "LibraryImage") at a time, chosen in a combo box; in
// background mode (any other letter) it shows the "Background" folder. Its
// items are the browser's list; deleting or moving them never touches a
// file.

#include <QDialog>
#include <QString>
#include <memory>

class ImageBrowser;
class QComboBox;
class QLabel;
class QSlider;

namespace Ui {
class Image_Library;
}

class Image_Library : public QDialog {
    Q_OBJECT

public:
    explicit Image_Library(QWidget* parent = nullptr);
    ~Image_Library() override;
    Image_Library(const Image_Library&) = delete;
    Image_Library& operator=(const Image_Library&) = delete;

    // The library of the run (the one made last), or none.
    static Image_Library* defaultInstance();

    // Rebuilds the items for the mode, runs the window modally and answers
    // 1 when the user confirmed a picture, 0 otherwise.
    int Open_Library_Window();

    // Category names (capitalised) with the real folder name as item data.
    void Fill_Combobox();
    // The pictures of the chosen category.
    void comboBoxSelectionDidChange();
    // The pictures of the "Background" folder.
    void Load_and_fill_backgrounds();
    // Appends an item; a path empty once trimmed adds nothing.
    void addImageWithPath(const QString& path, const QString& name, const QString& uid);
    void imageBrowserSelectionDidChange();
    // Ends the run with 1 when selected_image names an existing file; else
    // says "Please select image." and stays open.
    void OK_Clicked();
    // Clears the selection and ends the run with 0.
    void Cancel_Clicked();
    void zoomSliderDidChange();

    // Closing the window counts as Cancel.
    void reject() override;

    // First letter of each word upper case, the rest lower case.
    static QString capitalizedName(const QString& name);

    // "C" object mode, any other value background mode.
    QString control_or_BG = QStringLiteral("C");
    // Full path of the item last selected.
    QString selected_image;

    ImageBrowser* imageBrowser() const;
    QComboBox* categoryCombo() const;
    QLabel* categoryLabel() const;
    QSlider* zoomSlider() const;

private:
    // Adds the png and jpg files of a folder in name order.
    void addPicturesOfFolder(const QString& folder);

    std::unique_ptr<Ui::Image_Library> m_ui;
};
