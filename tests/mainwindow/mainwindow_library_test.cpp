// The picture library window in both modes, its item list, and how the main
// window applies what it answers.

#include "mainwindow_controller_fixture.h"

#include "mainwindow/controller/Image_Library.h"
#include "widgets/GuiHooks.h"
#include "widgets/ImageBrowser.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <functional>
#include <memory>

namespace {

class LibraryTest : public ControllerFixture {
protected:
    void TearDown() override {
        hooks::setModalRunner({});
        ControllerFixture::TearDown();
        Library_Selected_Image.clear();
        lib_window_sel_file.clear();
    }

    QString picture(const QString& folder, const QString& name) {
        const QString dir = QDir(m_resources).filePath(folder);
        QDir().mkpath(dir);
        const QString path = QDir(dir).filePath(name);
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(QColor(200, 120, 40));
        const QString suffix = QFileInfo(name).suffix().toLower();
        EXPECT_TRUE(image.save(path, suffix == QLatin1String("png") ? "PNG" : "JPEG"));
        return path;
    }

    static QStringList titles(const ImageBrowser* browser) {
        QStringList out;
        for (const MyImageObject& item : browser->browserModel()->items()) {
            out << item.imageTitle();
        }
        return out;
    }

    static void click(Image_Library& library, const char* button) {
        library.findChild<QPushButton*>(QString::fromLatin1(button))->click();
    }

    static void select(ImageBrowser* browser, int row) {
        browser->selectionModel()->select(browser->model()->index(row, 0),
                                          QItemSelectionModel::ClearAndSelect);
    }
};

TEST_F(LibraryTest, ObjectModeListsCapitalisedCategoriesAndTheirPngAndJpgFiles) {
    picture(QStringLiteral("LibraryImage/wedding cards"), QStringLiteral("b.PNG"));
    picture(QStringLiteral("LibraryImage/wedding cards"), QStringLiteral("a.Jpg"));
    picture(QStringLiteral("LibraryImage/wedding cards"), QStringLiteral("c.jpeg"));
    picture(QStringLiteral("LibraryImage/wedding cards"), QStringLiteral("d.gif"));
    QDir().mkpath(
        QDir(m_resources).filePath(QStringLiteral("LibraryImage/wedding cards/inner.png")));
    picture(QStringLiteral("LibraryImage/zOO"), QStringLiteral("z.png"));
    start();
    QStringList seen;
    QString title;
    hooks::setModalRunner([&](QDialog& dialog) {
        auto& library = static_cast<Image_Library&>(dialog);
        title = dialog.windowTitle();
        for (int i = 0; i < library.categoryCombo()->count(); ++i) {
            seen << library.categoryCombo()->itemText(i) + "|" +
                        library.categoryCombo()->itemData(i).toString();
        }
        EXPECT_FALSE(library.categoryCombo()->isHidden());
        EXPECT_FALSE(library.categoryLabel()->isHidden());
        EXPECT_EQ(titles(library.imageBrowser()), (QStringList{"a.Jpg", "b.PNG"}));
        EXPECT_DOUBLE_EQ(library.imageBrowser()->zoomValue(), 0.4);
        click(library, "Cancel_Button");
        return dialog.result();
    });
    EXPECT_EQ(m_controller->Open_Image_Library(false), 0);
    EXPECT_EQ(title, QStringLiteral("Image Library"));
    EXPECT_EQ(seen, (QStringList{"Wedding Cards|wedding cards", "Zoo|zOO"}));
}

TEST_F(LibraryTest, CapitalisedNamesFollowWords) {
    const std::pair<const char*, const char*> cases[] = {
        {"wedding cards", "Wedding Cards"},
        {"BIRTHDAY", "Birthday"},
        {"new-year 2027", "New-Year 2027"},
        {"", ""},
    };
    for (const auto& [name, shown] : cases) {
        EXPECT_EQ(Image_Library::capitalizedName(QString::fromUtf8(name)),
                  QString::fromUtf8(shown));
    }
}

TEST_F(LibraryTest, BackgroundModeHidesTheCategoriesAndSetsTheCurrentSide) {
    const QString path = picture(QStringLiteral("Background"), QStringLiteral("sky.jpg"));
    picture(QStringLiteral("Background"), QStringLiteral("sea.jpeg"));
    start();
    m_controller->Select_back_side();
    hooks::setModalRunner([&](QDialog& dialog) {
        auto& library = static_cast<Image_Library&>(dialog);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Background Image Library"));
        EXPECT_TRUE(library.categoryCombo()->isHidden());
        EXPECT_EQ(titles(library.imageBrowser()), QStringList{"sky.jpg"});
        select(library.imageBrowser(), 0);
        click(library, "OK_Button");
        return dialog.result();
    });
    EXPECT_EQ(m_controller->Open_Image_Library(true), 1);
    EXPECT_EQ(lib_window_sel_file, path);
    EXPECT_EQ(m_controller->Back_card_Prop.Card_BG_Image_Path(), path);
    EXPECT_EQ(m_controller->Back_card_Prop.Card_fill_style(), QStringLiteral("I"));
    EXPECT_EQ(m_controller->Front_card_Prop.Card_BG_Image_Path(), QString());
    EXPECT_EQ(Library_Selected_Image, QString());
}

TEST_F(LibraryTest, ObjectModeOkGivesTheNextPictureObjectItsFile) {
    const QString path =
        picture(QStringLiteral("LibraryImage/flowers"), QStringLiteral("rose.png"));
    start();
    hooks::setModalRunner([&](QDialog& dialog) {
        auto& library = static_cast<Image_Library&>(dialog);
        select(library.imageBrowser(), 0);
        click(library, "OK_Button");
        return dialog.result();
    });
    EXPECT_EQ(m_controller->Open_Image_Library(false), 1);
    EXPECT_EQ(Library_Selected_Image, path);
    EXPECT_EQ(lib_window_sel_file, path);
    EXPECT_EQ(m_controller->Front_card_Prop.Card_BG_Image_Path(), QString());
}

TEST_F(LibraryTest, OkWithoutAFileAsksAndStaysOpenCancelClears) {
    const QString path =
        picture(QStringLiteral("LibraryImage/flowers"), QStringLiteral("rose.png"));
    start();
    Image_Library* library = m_controller->imageLibrary();
    library->selected_image = QDir(m_temp.path()).filePath(QStringLiteral("gone.png"));
    bool closedAfterOk = true;
    hooks::setModalRunner([&](QDialog& dialog) {
        dialog.setResult(-1);
        click(static_cast<Image_Library&>(dialog), "OK_Button");
        closedAfterOk = dialog.result() != -1;
        select(library->imageBrowser(), 0);
        EXPECT_EQ(library->selected_image, path);
        click(static_cast<Image_Library&>(dialog), "Cancel_Button");
        return dialog.result();
    });
    EXPECT_EQ(m_controller->Open_Image_Library(false), 0);
    EXPECT_FALSE(closedAfterOk);
    EXPECT_EQ(m_alerts.texts(), QStringList{QStringLiteral("\nPlease select image.")});
    EXPECT_EQ(library->selected_image, QString());
    EXPECT_EQ(Library_Selected_Image, QString());
}

TEST_F(LibraryTest, DeleteRemovesTheItemButKeepsTheFile) {
    const QString path = picture(QStringLiteral("LibraryImage/flowers"), QStringLiteral("a.png"));
    picture(QStringLiteral("LibraryImage/flowers"), QStringLiteral("b.png"));
    start();
    hooks::setModalRunner([&](QDialog& dialog) {
        ImageBrowser* browser = static_cast<Image_Library&>(dialog).imageBrowser();
        select(browser, 0);
        QTest::keyClick(browser, Qt::Key_Delete);
        EXPECT_EQ(titles(browser), QStringList{"b.png"});
        click(static_cast<Image_Library&>(dialog), "Cancel_Button");
        return dialog.result();
    });
    m_controller->Open_Image_Library(false);
    EXPECT_TRUE(QFileInfo::exists(path));
}

TEST_F(LibraryTest, ZoomSliderSetsTheBrowserZoomWithinItsRange) {
    start();
    Image_Library* library = m_controller->imageLibrary();
    QSlider* slider = library->zoomSlider();
    EXPECT_EQ(slider->minimum() / 100.0, 0.1);
    EXPECT_EQ(slider->maximum() / 100.0, 1.0);
    slider->setValue(70);
    EXPECT_DOUBLE_EQ(library->imageBrowser()->zoomValue(), 0.7);
}

TEST_F(LibraryTest, BrowserMovesABlockToTheDestinationLessTheRowsBefore) {
    struct Case {
        QList<int> rows;
        int destination;
        QStringList expected;
    };
    const Case cases[] = {
        {{0, 1}, 3, {"2", "0", "1", "3", "4"}},
        {{3}, 0, {"3", "0", "1", "2", "4"}},
        {{1, 4}, 5, {"0", "2", "3", "1", "4"}},
        {{2}, 2, {"0", "1", "2", "3", "4"}},
    };
    for (const Case& c : cases) {
        ImageBrowserModel model;
        QList<MyImageObject> items;
        for (int i = 0; i < 5; ++i) {
            items.append(MyImageObject{QString(), QString::number(i), QString::number(i)});
        }
        model.setItems(items);
        EXPECT_TRUE(model.moveItems(c.rows, c.destination));
        QStringList order;
        for (const MyImageObject& item : model.items()) {
            order << item.imageTitle();
        }
        EXPECT_EQ(order, c.expected) << c.destination;
    }
    ImageBrowserModel model;
    model.setItems({MyImageObject{}});
    EXPECT_FALSE(model.moveItems({3}, 0));
}

TEST_F(LibraryTest, LibraryRendersInBothModes) {
    picture(QStringLiteral("LibraryImage/party"), QStringLiteral("one.png"));
    picture(QStringLiteral("LibraryImage/party"), QStringLiteral("two.jpg"));
    picture(QStringLiteral("Background"), QStringLiteral("sky.png"));
    start();
    const QString folder = qEnvironmentVariable("CARD_SCREENSHOT_DIR");
    for (const bool background : {false, true}) {
        SCOPED_TRACE(background);
        hooks::setModalRunner([&](QDialog& dialog) {
            dialog.show();
            auto* browser = static_cast<Image_Library&>(dialog).imageBrowser();
            QCoreApplication::processEvents();
            browser->browserModel()->waitForThumbnails();
            QCoreApplication::processEvents();
            const QImage shot = dialog.grab().toImage();
            EXPECT_FALSE(shot.isNull());
            // The window's own background colour shows in a corner.
            EXPECT_EQ(QColor(shot.pixel(2, shot.height() - 2)), QColor(241, 244, 250));
            // Every listed item shows its thumbnail.
            const int rows = browser->model()->rowCount();
            EXPECT_EQ(rows, background ? 1 : 2);
            for (int row = 0; row < rows; ++row) {
                const QVariant icon =
                    browser->model()->data(browser->model()->index(row, 0), Qt::DecorationRole);
                EXPECT_FALSE(icon.value<QPixmap>().isNull()) << row;
            }
            if (!folder.isEmpty()) {
                QDir().mkpath(folder);
                EXPECT_TRUE(shot.save(
                    QDir(folder).filePath(background ? QStringLiteral("background_library.png")
                                                     : QStringLiteral("image_library.png"))));
            }
            click(static_cast<Image_Library&>(dialog), "Cancel_Button");
            return dialog.result();
        });
        m_controller->Open_Image_Library(background);
    }
}

TEST_F(LibraryTest, ADragFromTheBrowserCarriesNothingTheCanvasTakes) {
    picture(QStringLiteral("Background"), QStringLiteral("sky.png"));
    picture(QStringLiteral("Background"), QStringLiteral("sea.jpg"));
    start();
    QWidget* window = m_controller->window();
    window->resize(1100, 760);
    window->show();
    QCoreApplication::processEvents();
    auto* browser = control<ImageBrowser>("imageBrowser");
    ASSERT_NE(browser, nullptr);
    ASSERT_EQ(titles(browser), (QStringList{"sea.jpg", "sky.png"}));
    select(browser, 0);
    browser->selectionModel()->select(browser->model()->index(1, 0), QItemSelectionModel::Select);
    const QString background = m_controller->Front_card_Prop.Card_BG_Image_Path();

    // What a drag of the selected items carries.
    const QModelIndexList indexes = browser->selectionModel()->selectedIndexes();
    ASSERT_EQ(indexes.size(), 2);
    const int reads = browser->browserModel()->requestedThumbnailCount();
    const std::unique_ptr<QMimeData> data(browser->model()->mimeData(indexes));
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->formats().isEmpty());
    EXPECT_FALSE(data->hasUrls());
    EXPECT_FALSE(data->hasText());
    EXPECT_FALSE(data->hasImage());
    EXPECT_EQ(browser->browserModel()->requestedThumbnailCount(), reads); // no picture read

    // Dropped over the front canvas: no widget from the canvas up to the
    // window takes drops, and the events offered directly are refused.
    QWidget* canvas = m_controller->canvasOfSide(0);
    ASSERT_NE(canvas, nullptr);
    for (QWidget* w = canvas; w; w = w->parentWidget()) {
        EXPECT_FALSE(w->acceptDrops()) << w->metaObject()->className();
    }
    const qsizetype before = m_document->graphics().size();
    const QPointF at(canvas->width() / 2.0, canvas->height() / 2.0);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton,
                          Qt::NoModifier);
    QCoreApplication::sendEvent(canvas, &enter);
    EXPECT_FALSE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton,
                    Qt::NoModifier);
    QCoreApplication::sendEvent(canvas, &drop);
    EXPECT_FALSE(drop.isAccepted());
    EXPECT_EQ(m_document->graphics().size(), before);
    EXPECT_EQ(m_controller->Front_card_Prop.Card_BG_Image_Path(), background);

    // The browser itself refuses a drop that does not come from its own
    // drag, and keeps its items.
    QDragEnterEvent foreign(QPoint(5, 5), Qt::MoveAction, data.get(), Qt::LeftButton,
                            Qt::NoModifier);
    QCoreApplication::sendEvent(browser->viewport(), &foreign);
    EXPECT_FALSE(foreign.isAccepted());
    EXPECT_EQ(titles(browser), (QStringList{"sea.jpg", "sky.png"}));
    window->hide();
}

} // namespace

namespace {

// Each control that confirms a library picture, pressed as the user would,
// with the picture it leaves where the control puts it: the Library tool
// places a picture object with the file, the picture tab's Library button
// gives the selected picture object the file, the card tab's Library button
// and Card > Background make it the current side's background.
TEST_F(LibraryTest, EachLibraryControlAppliesTheConfirmedPicture) {
    const QString rose =
        picture(QStringLiteral("LibraryImage/flowers"), QStringLiteral("rose.png"));
    const QString tulip =
        picture(QStringLiteral("LibraryImage/flowers"), QStringLiteral("tulip.png"));
    const QString sky = picture(QStringLiteral("Background"), QStringLiteral("sky.jpg"));
    const QString sea = picture(QStringLiteral("Background"), QStringLiteral("sea.jpg"));
    start();
    QString choice;
    hooks::setModalRunner([&](QDialog& dialog) {
        auto& library = static_cast<Image_Library&>(dialog);
        dialog.show();
        QCoreApplication::processEvents();
        ImageBrowser* browser = library.imageBrowser();
        const int row = int(titles(browser).indexOf(choice));
        EXPECT_GE(row, 0) << choice.toStdString();
        const QRect place = browser->visualRect(browser->model()->index(row, 0));
        QTest::mouseClick(browser->viewport(), Qt::LeftButton, Qt::NoModifier, place.center());
        click(library, "OK_Button");
        return dialog.result();
    });
    const auto picturePath = [this] {
        for (const auto& graphic : m_document->graphics()) {
            if (graphic->className() == QLatin1String("SKTImage")) {
                return graphic->_file_path;
            }
        }
        return QString();
    };
    const struct {
        const char* control;
        QString chosen;
        std::function<QString()> placed;
    } rows[] = {
        {"Image_Library_Tool", rose, picturePath},
        {"Manual_Library_Browse_Btn", tulip, picturePath},
        {"Card_Image_Library_Btn", sky,
         [this] { return m_controller->Front_card_Prop.Card_BG_Image_Path(); }},
        {"Card_Bckgrnd_action", sea,
         [this] { return m_controller->Back_card_Prop.Card_BG_Image_Path(); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.control);
        choice = QFileInfo(row.chosen).fileName();
        if (QAction* action = m_controller->window()->findChild<QAction*>(row.control)) {
            control<QAbstractButton>("Back_Card_Btn")->click();
            action->trigger();
        } else {
            if (QString::fromLatin1(row.control).startsWith(QLatin1String("Card_"))) {
                // The card tabs come with Card > Properties; the library
                // button with the picture fill ticked.
                m_controller->window()
                    ->findChild<QAction*>(QStringLiteral("Card_Prop_action"))
                    ->trigger();
                control<QAbstractButton>("Card_fill_chk")->click();
                control<QAbstractButton>("Card_Image_fill_rd")->click();
                EXPECT_TRUE(control<QAbstractButton>(row.control)->isEnabled());
            }
            control<QAbstractButton>(row.control)->click();
        }
        EXPECT_EQ(row.placed(), row.chosen);
    }
    EXPECT_EQ(m_controller->Back_card_Prop.Card_fill_style(), QStringLiteral("I"));
    EXPECT_EQ(m_controller->Front_card_Prop.Card_fill_style(), QStringLiteral("I"));
    EXPECT_TRUE(m_alerts.texts().isEmpty()) << m_alerts.texts().join('|').toStdString();
}

} // namespace
