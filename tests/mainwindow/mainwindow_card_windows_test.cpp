// The Card menu's card-size and template windows, and the small start and
// please-wait windows no program code opens.

#include "mainwindow_controller_fixture.h"

#include "editor/model/SKTText.h"
#include "mainwindow/controller/Card_Wizard.h"
#include "mainwindow/controller/DesignFile.h"
#include "mainwindow/controller/PleaseWait_Modeless.h"
#include "mainwindow/controller/Repeat_Image.h"
#include "mainwindow/controller/Start_Card.h"
#include "mainwindow/controller/Template_Wizard.h"
#include "mainwindow/controller/WindowEntries.h"
#include "ui_Card_Wizard.h"
#include "ui_Start_Card.h"
#include "ui_Template_Wizard.h"
#include "widgets/CardStepper.h"
#include "widgets/ImageBrowser.h"
#include "widgets/ImageBrowserModel.h"
#include "widgets/RadioMatrix.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <functional>

namespace {

// The alert texts without the leading line break every message carries.
QStringList shownTexts(const testsupport::ScriptedAlerts& alerts) {
    QStringList texts;
    for (const QString& text : alerts.texts()) {
        texts << text.trimmed();
    }
    return texts;
}

class CardWindowsTest : public ControllerFixture {
protected:
    void TearDown() override {
        hooks::setModalRunner({});
        hooks::setSavePanel({});
        window_entries::templateName.set({});
        window_entries::contactFields.set({});
        Selected_Template_Path.clear();
        ControllerFixture::TearDown();
    }

    // A template: preview picture and design file of the same name.
    QString templateFile(const QString& folder, const QString& name, const char* format = "PNG",
                         const QByteArray& design = "design") {
        const QString dir = QDir(m_resources).filePath(folder);
        QDir().mkpath(dir);
        const QString preview = QDir(dir).filePath(name);
        QImage image(30, 20, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        EXPECT_TRUE(image.save(preview, format));
        QFile file(QDir(dir).filePath(QFileInfo(name).completeBaseName() + ".dcard"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(design);
        return preview;
    }

    static QByteArray readFile(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QStringList filesIn(const QString& folder) const {
        return QDir(QDir(m_resources).filePath(folder)).entryList(QDir::Files, QDir::Name);
    }

    // Card > Templates with `script` as the user inside the window, which
    // is then left with Escape.
    void inTemplates(const std::function<void(Template_Wizard&)>& script) {
        hooks::setModalRunner([&script](QDialog& dialog) {
            auto& window = dynamic_cast<Template_Wizard&>(dialog);
            window.show();
            QCoreApplication::processEvents();
            script(window);
            QTest::keyClick(&window, Qt::Key_Escape);
            return window.result();
        });
        m_controller->window()->findChild<QAction*>(QStringLiteral("Templates_action"))->trigger();
    }

    // The source pop-up stepped with the arrow keys: down to the user's
    // templates, up to the prepared ones.
    static void showSource(Template_Wizard& window, bool user) {
        QTest::keyClick(window.ui().cat_cmbo_bx, user ? Qt::Key_Down : Qt::Key_Up);
    }

    // A click on the preview titled `title` (with Ctrl it toggles).
    static void clickTemplate(Template_Wizard& window, const QString& title,
                              Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        ImageBrowser* browser = window.ui().imageBrowser;
        const QList<MyImageObject>& items = browser->browserModel()->items();
        for (int i = 0; i < items.size(); ++i) {
            if (items[i]._title == title) {
                const QRect place = browser->visualRect(browser->browserModel()->index(i, 0));
                QTest::mouseClick(browser->viewport(), Qt::LeftButton, modifiers, place.center());
                return;
            }
        }
        ADD_FAILURE() << "no template shown named " << title.toStdString();
    }

    static void screenshot(QWidget& widget, const QString& name) {
        const QByteArray folder = qgetenv("CARD_SCREENSHOT_DIR");
        if (folder.isEmpty()) {
            return;
        }
        widget.show();
        QCoreApplication::processEvents();
        widget.grab().save(QDir(QString::fromLocal8Bit(folder)).filePath(name));
    }
};

TEST_F(CardWindowsTest, CardSizeOpensOnTheFirstPvcSize) {
    start();
    std::vector<std::pair<QString, QString>> sizes;
    hooks::setModalRunner([&](QDialog& dialog) {
        auto& window = dynamic_cast<Card_Wizard&>(dialog);
        sizes.emplace_back(window.ui().width_Text->text(), window.ui().height_Text->text());
        EXPECT_EQ(window.ListData().size(), m_controller->pvc_card_arry.size());
        screenshot(window, QStringLiteral("card-size.png"));
        window.hide();
        window.CancelClick();
        return window.result();
    });
    clickMenuItem(openMenu("menuCard"), "Card_Size_action");
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(sizes[0], std::make_pair(QStringLiteral("85.598"), QStringLiteral("54.102")));
}

TEST_F(CardWindowsTest, OrientationTurnsTheSizeShownAtOnce) {
    start();
    std::vector<std::pair<QString, QString>> sizes;
    hooks::setModalRunner([&](QDialog& dialog) {
        auto& window = dynamic_cast<Card_Wizard&>(dialog);
        window.show();
        Ui::Card_Wizard& ui = window.ui();
        // The second paper size, then each orientation by the keyboard.
        ui.Category_ComboBox->setFocus();
        QTest::keyClick(ui.Category_ComboBox, Qt::Key_Down);
        ui.ColList->selectRow(1);
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up}) {
            sizes.emplace_back(ui.width_Text->text(), ui.height_Text->text());
            QTest::keyClick(ui.Preset_ComboBox, key);
        }
        sizes.emplace_back(ui.width_Text->text(), ui.height_Text->text());
        EXPECT_EQ(ui.Preset_ComboBox->currentText(), QStringLiteral("Horizontal"));
        window.hide();
        window.ui().OK_btn->click();
        return window.result();
    });
    clickMenuItem(openMenu("menuCard"), "Card_Size_action");
    ASSERT_EQ(sizes.size(), 3u);
    const auto& [width, height] = sizes[0];
    EXPECT_NE(width, height);
    EXPECT_EQ(sizes[1], std::make_pair(height, width));
    EXPECT_EQ(sizes[2], sizes[0]);
    // OK takes the size shown.
    EXPECT_NEAR(m_controller->canvasSize().width(),
                SKTWindowController::MM_to_Points_Convert(width.toFloat()), 0.01);
}

TEST_F(CardWindowsTest, OkSizesTheCanvasAndTheInspector) {
    start();
    hooks::setModalRunner([&](QDialog& dialog) {
        auto& window = dynamic_cast<Card_Wizard&>(dialog);
        window.ui().matrix_card_shape->selectCellAtRow(1, 0);
        window.card_shape_CellClick();
        window.ui().OK_btn->click();
        return window.result();
    });
    // Through the Card menu.
    auto* action = m_controller->window()->findChild<QAction*>(QStringLiteral("Card_Size_action"));
    ASSERT_NE(action, nullptr);
    action->trigger();
    EXPECT_EQ(Card_Shape, 1);
    const QSizeF size = m_controller->canvasSize();
    EXPECT_EQ(static_cast<float>(size.width()), SKTWindowController::MM_to_Points_Convert(85.598f));
    EXPECT_EQ(static_cast<float>(size.height()),
              SKTWindowController::MM_to_Points_Convert(54.102f));
    EXPECT_EQ(control<QLineEdit>("width_Text")->text(), QStringLiteral("85.598"));
    EXPECT_EQ(control<CardStepper>("height_Stepper")->doubleValue(), double(54.102f));
    EXPECT_EQ(control<RadioMatrix>("matrix_card_shape")->selectedRow(), 1);
}

TEST_F(CardWindowsTest, CancelKeepsTheShapeTheWindowFound) {
    start();
    Card_Shape = 2;
    hooks::setModalRunner([&](QDialog& dialog) {
        auto& window = dynamic_cast<Card_Wizard&>(dialog);
        window.ui().matrix_card_shape->selectCellAtRow(1, 0);
        window.card_shape_CellClick();
        EXPECT_EQ(Card_Shape, 1);
        window.reject(); // Escape
        return window.result();
    });
    const QSizeF before = m_controller->canvasSize();
    EXPECT_EQ(m_controller->Card_Size_Clicked(), 0);
    EXPECT_EQ(Card_Shape, 2);
    EXPECT_EQ(m_controller->canvasSize(), before);
}

TEST_F(CardWindowsTest, ContactFieldsButtonsOpenTheSettingsDialog) {
    start();
    std::vector<std::pair<int, QString>> calls;
    window_entries::contactFields.set([&](int mode, const QString& side) {
        calls.emplace_back(mode, side);
        return 0;
    });
    dynamic_cast<Card_Wizard&>(*Card_Wizard::defaultInstance()).ui().User_Profile_btn->click();
    Template_Wizard::defaultInstance()->ui().User_Profile_btn->click();
    ASSERT_EQ(calls.size(), 2u);
    for (const auto& call : calls) {
        EXPECT_EQ(call, std::make_pair(0, QString()));
    }
}

TEST_F(CardWindowsTest, TemplatesListPreviewsOnlyAndOkGivesTheDesignFile) {
    start();
    const QString party = templateFile("Templates", "Party.png");
    templateFile("Templates", "Wedding.jpg", "JPG");
    templateFile("Templates", "Other.jpeg", "JPG");
    Card_Shape = 2;
    QStringList titles;
    hooks::setModalRunner([&](QDialog& dialog) {
        auto& window = dynamic_cast<Template_Wizard&>(dialog);
        for (const MyImageObject& item : window.images()) {
            titles << item._title;
        }
        EXPECT_TRUE(window.ui().Delete_temp_btn->isHidden());
        screenshot(window, QStringLiteral("templates.png"));
        window.hide();
        window.ui().OK_btn->click();
        return window.result();
    });
    EXPECT_EQ(m_controller->Templates_Clicked(), 1);
    EXPECT_EQ(titles, QStringList({"Party.png", "Wedding.jpg"}));
    EXPECT_EQ(Selected_Template_Path, QDir(m_resources).filePath("Templates/Party.dcard"));
    EXPECT_EQ(Card_Shape, 2);
    EXPECT_TRUE(QFile::exists(party));
}

// Card > Templates: a template clicked in the window and confirmed with OK
// opens after the save question as a new design without a file name, so
// Save asks where; a damaged template keeps the current design and says so.
TEST_F(CardWindowsTest, OkOpensTheClickedTemplateAsANewDesign) {
    start();
    m_controller->Install_Design_File_Entries();
    QString panelAnswer;
    int savePanels = 0;
    hooks::setSavePanel([&](const hooks::SavePanelRequest&) {
        ++savePanels;
        return hooks::SavePanelAnswer(panelAnswer);
    });
    const QDir shipped(QStringLiteral(CARD_SOURCE_DIR "/resources/Templates"));
    const QDir prepared(QDir(m_resources).filePath("Templates"));
    const QDir user(QDir(m_resources).filePath("Templates/User"));
    QDir().mkpath(user.path());
    for (const char* extension : {".dcard", ".png"}) {
        ASSERT_TRUE(QFile::copy(shipped.filePath(QStringLiteral("Party") + extension),
                                prepared.filePath(QStringLiteral("Party") + extension)));
        ASSERT_TRUE(QFile::copy(shipped.filePath(QStringLiteral("Wedding") + extension),
                                user.filePath(QStringLiteral("Mine") + extension)));
    }
    templateFile("Templates", "Broken.png", "PNG", "not a design");
    // The main window is the active one, as for a user at its menus.
    MainWindowFrame* window = m_controller->window();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));

    const QString question = QStringLiteral("Do you want to save changes before opening document?");
    struct Row {
        const char* title;
        bool user;
        bool saveFirst; // Yes to the save question
        QStringList messages;
    };
    const Row rows[] = {
        {"Party.png",
         false,
         true,
         {question, "Invitation Card Design Log has been saved successfully."}},
        {"Mine.png", true, false, {question}},
        {"Broken.png", false, false, {question, "File is corrupt and cannot be opened."}},
    };
    const testsupport::ScriptedAlerts alerts({1}); // Yes to the first question only
    for (const Row& row : rows) {
        SCOPED_TRACE(row.title);
        // The current design: one text object, saved in a file of its own.
        m_controller->New_Project_Setting_Reset();
        auto marker = std::make_shared<SKTText>();
        m_document->insertGraphicsInList(SKTDocumentGraphicsKey, {marker}, {0});
        const QString current = QDir(m_temp.path()).filePath("current.dcard");
        QFile::remove(current);
        panelAnswer = current;
        ASSERT_EQ(m_controller->Save_project_file(false, 0), window_entries::SaveResult::Saved);
        m_controller->Set_Log_Name_In_Title();
        if (!row.saveFirst) {
            // What Yes would save is told apart from what was saved before.
            m_document->insertGraphicsInList(SKTDocumentGraphicsKey, {std::make_shared<SKTText>()},
                                             {0});
        }
        const QString title = window->windowTitle();
        const QString design = (row.user ? user : prepared)
                                   .filePath(QFileInfo(row.title).completeBaseName() + ".dcard");
        const QByteArray templateBytes = readFile(design);
        const qsizetype before = alerts.texts().size();
        const int panelsBefore = savePanels;

        hooks::setModalRunner([&](QDialog& dialog) {
            auto& templates = dynamic_cast<Template_Wizard&>(dialog);
            templates.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&templates));
            if (row.user) {
                showSource(templates, true);
            }
            clickTemplate(templates, row.title);
            QTest::mouseClick(templates.ui().OK_btn, Qt::LeftButton);
            return templates.result();
        });
        clickMenuItem(openMenu("menuCard"), "Templates_action");
        hooks::setModalRunner({});

        QStringList shown;
        for (const QString& text : alerts.texts().mid(before)) {
            shown << text.trimmed();
        }
        EXPECT_EQ(shown, row.messages);
        const auto saved = design_file::Read_Design_File(current);
        ASSERT_TRUE(saved.has_value());
        EXPECT_EQ(saved->frontObjects.size(), 1) << "the current design saved only on Yes";
        const auto opened = design_file::Read_Design_File(design);
        if (!opened) {
            // Damaged: the current design, its file and its title stay.
            EXPECT_EQ(m_document->graphics().size(), 2);
            EXPECT_EQ(m_document->graphics().last(), marker);
            EXPECT_EQ(Project_File_Name, current);
            EXPECT_EQ(window->windowTitle(), title);
            continue;
        }
        EXPECT_EQ(m_document->graphics().size(), opened->frontObjects.size());
        EXPECT_EQ(m_document->graphics_back().size(), opened->backObjects.size());
        EXPECT_FALSE(m_document->graphics().contains(marker));
        EXPECT_EQ(m_controller->Front_card_Prop.Card_Size(), opened->front.Card_Size());
        EXPECT_EQ(m_controller->Front_card_Prop.Card_Create_Mode(), QStringLiteral("T"));
        // The card tab's size list is the one of the category it shows.
        const bool paper = opened->front.Card_Category() != QStringLiteral("PVC Card");
        EXPECT_EQ(m_controller->ListData().size(),
                  (paper ? m_controller->paper_card_arry : m_controller->pvc_card_arry).size())
            << opened->front.Card_Category().toStdString();
        EXPECT_EQ(Project_File_Name, QString());
        EXPECT_EQ(window->windowTitle(), m_controller->App_Name);
        // Save asks for a name (cancelled here) and the template stays.
        panelAnswer.clear();
        clickMenuItem(openMenu("menuFile"), "Save_action");
        EXPECT_EQ(savePanels, panelsBefore + 1);
        EXPECT_EQ(readFile(design), templateBytes);
    }
}

TEST_F(CardWindowsTest, NoTemplateAsksForOneAndCancelEmptiesThePath) {
    start();
    hooks::setModalRunner([&](QDialog& dialog) {
        auto& window = dynamic_cast<Template_Wizard&>(dialog);
        window.OK_Click();
        window.Delete_Template_Click();
        window.reject();
        return window.result();
    });
    EXPECT_EQ(m_controller->Templates_Clicked(), 0);
    EXPECT_EQ(shownTexts(m_alerts),
              QStringList({"Please select template.", "Please select template."}));
    EXPECT_EQ(Selected_Template_Path, QString());
}

TEST_F(CardWindowsTest, UserTemplateIdsGrowAcrossOpenings) {
    start();
    templateFile("Templates/User", "A.png");
    templateFile("Templates/User", "B.png");
    QStringList ids;
    hooks::setModalRunner([&](QDialog& dialog) {
        auto& window = dynamic_cast<Template_Wizard&>(dialog);
        window.ui().cat_cmbo_bx->setCurrentIndex(1);
        window.sourceChosen();
        EXPECT_FALSE(window.ui().Copy_temp_btn->isHidden());
        for (const MyImageObject& item : window.images()) {
            ids << item._uid;
        }
        window.ui().cat_cmbo_bx->setCurrentIndex(0);
        window.sourceChosen();
        EXPECT_TRUE(window.ui().Copy_temp_btn->isHidden());
        return 0;
    });
    const std::uint64_t first = User_Defined_File;
    m_controller->Templates_Clicked();
    m_controller->Templates_Clicked();
    ASSERT_EQ(ids.size(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ids[i], QStringLiteral("TEMP%1.png").arg(first + std::uint64_t(i)));
    }
}

TEST_F(CardWindowsTest, CopyTwiceDeleteAndCopyNames) {
    start();
    // A folder named like the template must not change.
    const QString folder = "Templates/User";
    templateFile(folder, "Party.png");
    const testsupport::ScriptedAlerts alerts({}, 1);
    inTemplates([&](Template_Wizard& window) {
        showSource(window, true);
        for (int i = 0; i < 2; ++i) {
            clickTemplate(window, "Party.png");
            window.ui().Copy_temp_btn->click();
        }
        clickTemplate(window, "Party (copy 1).png");
        window.ui().Delete_temp_btn->click();
    });
    EXPECT_EQ(filesIn(folder), QStringList({"Party (copy 2).dcard", "Party (copy 2).png",
                                            "Party.dcard", "Party.png"}));
    EXPECT_EQ(shownTexts(alerts).count("Do you want to make copy of this template?"), 2);
    EXPECT_EQ(shownTexts(alerts).count("Do you want to delete this template?"), 1);

    const std::vector<std::pair<QString, QString>> names = {
        {"/t/Party/Party.png", "/t/Party/Party (copy 1).png"},
        {"/t/Party.png/x.jpg", "/t/Party.png/x (copy 1).jpg"},
    };
    for (const auto& [path, expected] : names) {
        EXPECT_EQ(Template_Wizard::Create_New_File_Path(path), expected);
    }
    const QString nested = templateFile("Templates/User/Party", "Party.png");
    EXPECT_EQ(Template_Wizard::Create_New_File_Path(nested),
              QDir(m_resources).filePath("Templates/User/Party/Party (copy 1).png"));
}

// Delete, Copy and Rename touch only a user template the window shows and
// the user selected: never the prepared template chosen before switching
// to an empty user list, nor a user template the user deselected.
TEST_F(CardWindowsTest, TemplateButtonsActOnlyOnASelectedUserTemplate) {
    start();
    templateFile("Templates", "Party.png");
    const testsupport::ScriptedAlerts alerts({}, 1); // Yes to every question
    window_entries::templateName.set([](const QString&, QString& chosen) {
        chosen = QStringLiteral("Moved");
        return 1;
    });
    struct Row {
        const char* button;
        bool userTemplate; // a user template shown, then deselected
    };
    const Row rows[] = {{"Delete_temp_btn", false}, {"Copy_temp_btn", false},
                        {"Rename_temp_btn", false}, {"Delete_temp_btn", true},
                        {"Copy_temp_btn", true},    {"Rename_temp_btn", true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.button) + (row.userTemplate ? " deselected" : " empty"));
        QDir(QDir(m_resources).filePath("Templates/User")).removeRecursively();
        QDir(m_resources).mkpath("Templates/User");
        if (row.userTemplate) {
            templateFile("Templates/User", "Mine.png");
        }
        const QStringList prepared = filesIn("Templates");
        const QStringList user = filesIn("Templates/User");
        const qsizetype before = alerts.texts().size();
        inTemplates([&](Template_Wizard& window) {
            clickTemplate(window, "Party.png");
            showSource(window, true);
            if (row.userTemplate) {
                clickTemplate(window, "Mine.png", Qt::ControlModifier);
            }
            window.findChild<QPushButton*>(QString::fromLatin1(row.button))->click();
        });
        EXPECT_EQ(filesIn("Templates"), prepared);
        EXPECT_EQ(filesIn("Templates/User"), user);
        EXPECT_EQ(shownTexts(alerts).mid(before), QStringList{"Please select template."});
    }
}

TEST_F(CardWindowsTest, RenameCopiesThenDeletesAndNeverLosesTheDesign) {
    start();
    const QString folder = "Templates/User";
    templateFile(folder, "Party.jpg", "JPG", "party design");
    QString answer;
    QString offered;
    window_entries::templateName.set([&](const QString& current, QString& chosen) {
        offered = current;
        chosen = answer;
        return 1;
    });
    // Renames the shown template `from` to `to` through the window.
    const auto rename = [&](const QString& from, const QString& to) {
        answer = to;
        inTemplates([&](Template_Wizard& window) {
            showSource(window, true);
            clickTemplate(window, from);
            window.ui().Rename_temp_btn->click();
        });
        EXPECT_EQ(offered, QFileInfo(from).completeBaseName());
    };
    // Same name: the jpg preview becomes a png, the design file stays.
    rename("Party.jpg", "Party");
    EXPECT_EQ(filesIn(folder), QStringList({"Party.dcard", "Party.png"}));
    QFile design(QDir(m_resources).filePath(folder + "/Party.dcard"));
    ASSERT_TRUE(design.open(QIODevice::ReadOnly));
    EXPECT_EQ(design.readAll(), QByteArray("party design"));
    design.close();

    // Its own png name: nothing happens.
    rename("Party.png", "Party");
    EXPECT_EQ(filesIn(folder), QStringList({"Party.dcard", "Party.png"}));

    // A new name moves both files.
    rename("Party.png", "Feast");
    EXPECT_EQ(filesIn(folder), QStringList({"Feast.dcard", "Feast.png"}));

    // A copy that fails (its target exists) keeps both old files and shows
    // where it failed.
    templateFile(folder, "Gala.png");
    QFile::remove(QDir(m_resources).filePath(folder + "/Gala.dcard"));
    rename("Feast.png", "Gala");
    EXPECT_TRUE(QFile::exists(QDir(m_resources).filePath(folder + "/Feast.png")));
    EXPECT_TRUE(QFile::exists(QDir(m_resources).filePath(folder + "/Feast.dcard")));
    EXPECT_TRUE(shownTexts(m_alerts).last().contains(QStringLiteral("Gala.png")));
}

TEST_F(CardWindowsTest, RenameWaitsForTheTemplateNameWindow) {
    start();
    hooks::setModalRunner([&](QDialog& dialog) {
        auto& window = dynamic_cast<Template_Wizard&>(dialog);
        EXPECT_FALSE(window.ui().Rename_temp_btn->isEnabled());
        return 0;
    });
    m_controller->Templates_Clicked();
    window_entries::templateName.set([](const QString&, QString&) { return 0; });
    hooks::setModalRunner([&](QDialog& dialog) {
        EXPECT_TRUE(dynamic_cast<Template_Wizard&>(dialog).ui().Rename_temp_btn->isEnabled());
        return 0;
    });
    m_controller->Templates_Clicked();
}

TEST_F(CardWindowsTest, StartCardChoicesAndCancel) {
    Start_Card& window = *Start_Card::defaultInstance();
    const std::vector<std::pair<QRadioButton*, QString>> choices = {
        {window.ui().Using_Wizard_rd, "W"},
        {window.ui().Open_Log_rd, "L"},
        {window.ui().Using_Template_rd, "T"},
    };
    for (const auto& [button, code] : choices) {
        button->click();
        EXPECT_EQ(Start_Card_Option, code);
    }
    window.ui().OK_btn->click();
    EXPECT_EQ(window.result(), 1);
    EXPECT_FALSE(m_exitCode.has_value());
    window.ui().Cancel_btn->click();
    EXPECT_EQ(window.result(), 0);
    EXPECT_EQ(Start_Card_Option, QString());
    ASSERT_TRUE(m_exitCode.has_value());
    EXPECT_EQ(*m_exitCode, 0);
    Start_Card_Option = QStringLiteral("T");
}

TEST_F(CardWindowsTest, PleaseWaitIsColouredAndNotShown) {
    PleaseWait_Modeless* wait = PleaseWait_Modeless::defaultInstance();
    EXPECT_EQ(wait, PleaseWait_Modeless::defaultInstance());
    EXPECT_FALSE(wait->isVisible());
    EXPECT_EQ(wait->palette().color(QPalette::Window), QColor(241, 244, 250));
}

TEST_F(CardWindowsTest, BannerRepeatsItsPicture) {
    Repeat_Image banner;
    QImage tile(4, 4, QImage::Format_RGB32);
    tile.fill(Qt::red);
    tile.setPixelColor(0, 0, Qt::blue);
    banner.setTile(tile);
    banner.resize(10, 6);
    const QImage shot = banner.grab().toImage();
    for (const QPoint& p : {QPoint(0, 0), QPoint(4, 0), QPoint(8, 4)}) {
        EXPECT_EQ(shot.pixelColor(p), QColor(Qt::blue)) << p.x() << "," << p.y();
    }
    EXPECT_EQ(shot.pixelColor(1, 0), QColor(Qt::red));
}

} // namespace
