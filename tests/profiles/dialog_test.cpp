// The contact-field dialogs: opening, source switching, validation, commit,
// OK and Cancel, the spreadsheet and photo lines, preview.

#include "profiles_fixture.h"

#include "dataseries/ExcelTempFolder.h"
#include "dataseries/SSZipArchive.h"
#include "dataseries/windows/Data_From_Excel.h"
#include "dataseries/windows/Import_Excel.h"
#include "dataseries/windows/View_Data_Series.h"
#include "editor/model/SKTLine.h"

#include <QImage>
#include <QLabel>
#include <QTableWidget>
#include <QTest>

namespace {

class DialogTest : public ProfilesFixture {
protected:
    Show_User_Profile& dialog() const { return *Show_User_Profile::defaultInstance(); }

    // Opens the card-side dialog for the current side, runs `script` inside
    // the modal run and answers the dialog's result.
    int openSide(const std::function<void(Show_User_Profile&)>& script) {
        m_script = [script](QDialog& d) { script(static_cast<Show_User_Profile&>(d)); };
        return m_controller->Open_User_Profile_Window(
            1, Current_Card_Side_Is_Back() ? QStringLiteral("B") : QStringLiteral("F"));
    }

    static void choose(QComboBox* combo, int index) {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
};

TEST_F(DialogTest, OpeningLoadsVisibleTextAndPictureObjectsOfTheSide) {
    startWithSeries({{QStringLiteral("cities"), QStringLiteral("Paris\nRome\n")}});
    importTable();
    addText(0, QStringLiteral("Fup_Name"), QStringLiteral("Ann"));
    addText(0, QStringLiteral("Fup_Title"), QStringLiteral("hidden"), QRectF(0, 0, 9, 9), false);
    auto line = std::make_shared<SKTLine>();
    line->control_ID = QStringLiteral("Fup_Company");
    line->Text_Value = QStringLiteral("line");
    insert(0, line);
    addText(0, QStringLiteral("Fup_PhoneNO"), QStringLiteral("first"));
    addText(0, QStringLiteral("Fup_PhoneNO"), QStringLiteral("later"));
    auto website = addText(0, QStringLiteral("Fup_Website"), QStringLiteral("object text"));
    website->Set_Data_source_type(1);
    website->Set_Batch_List_Index(0);
    auto unique = addText(0, QStringLiteral("Fup_UniqueNo"), QStringLiteral("u"));
    unique->Set_Data_source_type(2);
    unique->Set_Excel_binding_Index(1);
    auto email = addText(0, QStringLiteral("Fup_EmailID"), QStringLiteral("e"));
    email->Set_Data_source_type(1);
    email->Set_Batch_List_Index(7); // beyond the listed series

    // A picture object gives its file path; the photo well stays empty.
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const QString photoPath = QDir(m_temp.path()).filePath(QStringLiteral("photo.png"));
    ASSERT_TRUE(picture.save(photoPath));
    auto photo = std::make_shared<SKTImage>();
    photo->control_ID = QStringLiteral("Fup_Photo");
    photo->setFilePath(photoPath);
    insert(0, photo);

    QString title, photoValue;
    bool wellEmpty = false;
    QStringList values;
    QList<int> sources, choices;
    bool nameTicked = false, titleTicked = true;
    openSide([&](Show_User_Profile& d) {
        title = d.windowTitle();
        photoValue = d.row(10).value->text();
        wellEmpty = d.photoWell()->pixmap().isNull();
        for (int i = 0; i < 10; ++i) {
            values << d.row(i).value->text();
            sources << d.row(i).source->currentIndex();
            choices << d.row(i).seriesColumn->currentIndex();
        }
        nameTicked = d.row(0).valueChk->isChecked();
        titleTicked = d.row(1).valueChk->isChecked();
        d.Cancel_Btn_Clicked();
    });
    EXPECT_EQ(title, QStringLiteral("Front Side User Profile Information"));
    EXPECT_EQ(values, (QStringList{"Ann", "", "", "", "", "later", "", "e", "Paris", "Berlin"}));
    EXPECT_EQ(sources, (QList<int>{0, 0, 0, 0, 0, 0, 0, 1, 1, 2}));
    EXPECT_EQ(choices, (QList<int>{-1, -1, -1, -1, -1, -1, -1, -1, 0, 1}));
    EXPECT_TRUE(nameTicked);
    EXPECT_FALSE(titleTicked);
    EXPECT_EQ(photoValue, photoPath);
    EXPECT_TRUE(wellEmpty);
    EXPECT_EQ(dialog().row(9).source->count(), 3);
}

TEST_F(DialogTest, BackSideTitleAndEmptyRowsWithoutObjects) {
    startWithSeries();
    Card_Front_Or_Back = 1;
    QString title;
    QStringList values;
    openSide([&](Show_User_Profile& d) {
        title = d.windowTitle();
        for (int i = 0; i < 11; ++i) {
            values << d.row(i).value->text() + QString::number(d.row(i).source->currentIndex());
        }
        d.Cancel_Btn_Clicked();
    });
    EXPECT_EQ(title, QStringLiteral("Back Side User Profile Information"));
    EXPECT_EQ(values, QStringList(11, QStringLiteral("0")));
}

TEST_F(DialogTest, ValidationNamesTheFirstBoundRowWithoutAChoice) {
    startWithSeries({{QStringLiteral("s"), QStringLiteral("x")}});
    importTable();
    dialog().Add_Excel_in_Data_Source_Combo();
    struct Case {
        int row;
        int source;
        const char* message;
    };
    for (const Case& c : {Case{1, 1, "\nPlease select the source for 'Position / Title'"},
                          Case{8, 2, "\nPlease select the source for 'Website'"}}) {
        const int answer = openSide([&](Show_User_Profile& d) {
            choose(d.row(c.row).source, c.source);
            d.OK_Btn_Clicked();
            EXPECT_NE(d.result(), 1); // still open
            d.Cancel_Btn_Clicked();
        });
        EXPECT_EQ(answer, 0);
        ASSERT_FALSE(m_alerts.texts().isEmpty());
        EXPECT_EQ(m_alerts.texts().last(), QString::fromLatin1(c.message));
    }
    EXPECT_EQ(record(0).fields[1].value, QString());
    EXPECT_EQ(Fill_User_Profile, 0);
}

TEST_F(DialogTest, CommitWritesEachRowBySourceAndKeepsBindingsOfRowsWithoutSource) {
    startWithSeries({{QStringLiteral("alpha"), QStringLiteral("A1\nA2")},
                     {QStringLiteral("beta"), QStringLiteral("B1")}});
    importTable();
    record(0).fields[3].seriesBound = true;
    record(0).fields[3].seriesName = QStringLiteral("kept");
    record(0).fields[3].seriesIndex = 4;
    const int answer = openSide([&](Show_User_Profile& d) {
        d.Add_Excel_in_Data_Source_Combo();
        d.row(0).value->setText(QStringLiteral("typed"));
        choose(d.row(1).source, 1);
        const int beta = d.row(1).seriesColumn->findText(QStringLiteral("beta"));
        choose(d.row(1).seriesColumn, beta);
        choose(d.row(2).source, 2);
        choose(d.row(2).seriesColumn, 2);
        d.row(3).source->setCurrentIndex(-1); // no source chosen
        d.row(3).value->setText(QStringLiteral("slogan"));
        d.excelPathField()->setText(QStringLiteral("/data/book.xlsx"));
        d.OK_Btn_Clicked();
    });
    ASSERT_EQ(answer, 1);
    EXPECT_EQ(Fill_User_Profile, 1);
    const auto& f = record(0).fields;
    EXPECT_EQ(f[0].value, QStringLiteral("typed"));
    EXPECT_FALSE(f[0].seriesBound);
    EXPECT_FALSE(f[0].columnBound);
    EXPECT_EQ(f[1].value, QStringLiteral("B1"));
    EXPECT_TRUE(f[1].seriesBound);
    EXPECT_EQ(f[1].seriesName, QStringLiteral("beta"));
    EXPECT_EQ(f[1].seriesIndex, 1);
    EXPECT_EQ(f[2].value, QStringLiteral("10115"));
    EXPECT_TRUE(f[2].columnBound);
    EXPECT_EQ(f[2].columnIndex, 2);
    EXPECT_EQ(f[3].value, QStringLiteral("slogan"));
    EXPECT_TRUE(f[3].seriesBound);
    EXPECT_EQ(f[3].seriesName, QStringLiteral("kept"));
    EXPECT_EQ(f[3].seriesIndex, 4);
    EXPECT_TRUE(record(0).enabled);
    EXPECT_TRUE(record(0).excelBinding);
    EXPECT_EQ(Excel_Binding_Use, 1);
    EXPECT_EQ(Excel_Source_Path, QStringLiteral("/data/book.xlsx"));
    // Opening places nothing; the placement then puts the four rows with a
    // value on the front.
    EXPECT_TRUE(view(0).graphics().isEmpty());
    m_controller->Fill_User_profile_info_front_side();
    EXPECT_EQ(view(0).graphics().size(), 4);
}

TEST_F(DialogTest, OkCommitsTheRecordsOfItsSideCode) {
    startWithSeries();
    struct Case {
        const char* side;
        bool front, back;
    };
    for (const Case& c : {Case{"B", false, true}, Case{"", true, true}, Case{"F", true, false}}) {
        record(0).Reset_All_Values();
        record(1).Reset_All_Values();
        Show_User_Profile& d = dialog();
        d.Reset_all_Ctrl();
        d.load_side = QString::fromLatin1(c.side);
        d.row(0).value->setText(QStringLiteral("Ann"));
        d.setResult(0);
        d.OK_Btn_Clicked();
        EXPECT_EQ(d.result(), 1) << c.side;
        EXPECT_EQ(record(0).fields[0].value == QLatin1String("Ann"), c.front) << c.side;
        EXPECT_EQ(record(1).fields[0].value == QLatin1String("Ann"), c.back) << c.side;
    }
}

TEST_F(DialogTest, CancelKeepsThePathOnlyWithImportedRowsAndChangesNoRecord) {
    startWithSeries();
    Excel_Source_Path = QStringLiteral("/before.xlsx");
    for (bool rows : {false, true}) {
        if (rows) {
            importTable();
        }
        const int answer = openSide([](Show_User_Profile& d) {
            d.row(0).value->setText(QStringLiteral("not kept"));
            d.excelPathField()->setText(QStringLiteral("/typed.xlsx"));
            d.Cancel_Btn_Clicked();
        });
        EXPECT_EQ(answer, 0);
        EXPECT_EQ(Excel_Source_Path,
                  rows ? QStringLiteral("/typed.xlsx") : QStringLiteral("/before.xlsx"));
    }
    EXPECT_EQ(record(0).fields[0].value, QString());
    EXPECT_EQ(Fill_User_Profile, 0);
    EXPECT_TRUE(view(0).graphics().isEmpty());
}

TEST_F(DialogTest, ExcelItemsAreAddedOnceAndRemovedOnlyFromThreeItemCombos) {
    startWithSeries();
    Show_User_Profile& d = dialog();
    d.Remove_Excel_in_Data_Source_Combo();
    d.Add_Excel_in_Data_Source_Combo();
    d.Add_Excel_in_Data_Source_Combo();
    for (int i = 0; i < 11; ++i) {
        ASSERT_EQ(d.row(i).source->count(), 3);
        EXPECT_EQ(d.row(i).source->itemText(2), QStringLiteral("Excel"));
    }
    d.row(4).source->addItem(QStringLiteral("fourth"));
    d.Remove_Excel_in_Data_Source_Combo();
    EXPECT_EQ(d.row(0).source->count(), 2);
    EXPECT_EQ(d.row(4).source->count(), 4);
    d.row(4).source->removeItem(3);
    d.Remove_Excel_in_Data_Source_Combo();
    EXPECT_EQ(d.row(4).source->count(), 2);
    // The other dialog's combos are its own.
    EXPECT_EQ(User_profile::defaultInstance()->row(0).source->count(), 2);
}

TEST_F(DialogTest, SpreadsheetBrowseRemovesTheUnpackFolderAndChecksThePath) {
    startWithSeries();
    const QString ziptmp = Excel_Temp_Folder_Path();
    ASSERT_FALSE(ziptmp.isEmpty());
    ASSERT_TRUE(QDir().mkpath(ziptmp));
    const QString missing = QDir(m_temp.path()).filePath(QStringLiteral("missing.xlsx"));
    m_panelAnswer = {missing};
    Show_User_Profile& d = dialog();
    d.Browse_excel_Btn_Clicked();
    EXPECT_FALSE(QFileInfo::exists(ziptmp));
    ASSERT_EQ(m_panelRequests.size(), 1u);
    EXPECT_EQ(m_panelRequests[0].allowedTypes, (QStringList{"xlsx", "XLSX"}));
    EXPECT_EQ(d.excelPathField()->text(), missing);
    EXPECT_EQ(m_alerts.texts(), QStringList{QStringLiteral("\nPlease select valid file path.")});
    // Cancel in the panel changes nothing.
    m_panelAnswer = {};
    d.excelPathField()->setText(QStringLiteral("kept"));
    d.Browse_excel_Btn_Clicked();
    EXPECT_EQ(d.excelPathField()->text(), QStringLiteral("kept"));
}

// A workbook packed by the project's own zip writer: one sheet of one
// column whose title and cells are shared strings.
QString packWorkbook(const QString& folder, const QString& name, const QByteArray& strings) {
    const QString parts = QDir(folder).filePath(name + QStringLiteral(".parts"));
    QDir().mkpath(parts + QStringLiteral("/xl/worksheets"));
    const auto write = [&](const QString& part, const QByteArray& bytes) {
        QFile file(QDir(parts).filePath(part));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    const QByteArray ns = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";
    EXPECT_TRUE(write(QStringLiteral("xl/worksheets/sheet1.xml"),
                      "<worksheet " + ns +
                          "><sheetData><row><c r=\"A1\" t=\"s\"><v>0</v></c></row>"
                          "<row><c r=\"A2\" t=\"s\"><v>1</v></c></row></sheetData></worksheet>"));
    EXPECT_TRUE(write(QStringLiteral("xl/sharedStrings.xml"), strings));
    const QString book = QDir(folder).filePath(name + QStringLiteral(".xlsx"));
    EXPECT_TRUE(SSZipArchive::createZipFileAtPath(book, {parts + QStringLiteral("/xl")}));
    return book;
}

TEST_F(DialogTest, ARefusedWorkbookLeavesTheBoundPathAndTableAsTheyWere) {
    startWithSeries();
    const QByteArray strings = "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/"
                               "2006/main\"><si><t>City</t></si><si><t>Lyon</t></si></sst>";
    const QString good = packWorkbook(m_temp.path(), QStringLiteral("good"), strings);
    const QString damaged =
        packWorkbook(m_temp.path(), QStringLiteral("damaged"), strings.left(strings.size() - 12));
    QStringList shownPaths;
    m_script = [&](QDialog& d) {
        d.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
        const auto click = [&d](const char* name) {
            QTest::mouseClick(d.findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
        };
        if (qobject_cast<Import_Excel*>(&d)) {
            click("select_all_btn");
            click("ok_btn");
        } else if (auto* profile = qobject_cast<Show_User_Profile*>(&d)) {
            m_panelAnswer = {good};
            click("excel_browse_btn");
            shownPaths << profile->excelPathField()->text();
            m_panelAnswer = {damaged};
            click("excel_browse_btn");
            shownPaths << profile->excelPathField()->text();
            click("ok_btn");
        }
        d.hide();
    };
    ASSERT_EQ(m_controller->Open_User_Profile_Window(1, QStringLiteral("F")), 1);
    EXPECT_EQ(shownPaths, QStringList({good, good}));
    EXPECT_EQ(m_alerts.texts(),
              QStringList({QStringLiteral("\nEither file is corrupted or selected file contains "
                                          "invalid characters.")}));
    // The binding committed, and saved with the design, is the good workbook's.
    EXPECT_EQ(Excel_Source_Path, good);
    EXPECT_EQ(Excel_Binding_Use, 1);
    ASSERT_EQ(Imported_Table().rowCount(), 1);
    EXPECT_EQ(Imported_Table().Value_At(0, 1), QStringLiteral("Lyon"));
    EXPECT_EQ(dialog().row(0).source->count(), 3);
}

TEST_F(DialogTest, PhotoBrowseClearResetAndViewWithoutSeries) {
    startWithSeries();
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(Qt::green);
    const QString path = QDir(m_temp.path()).filePath(QStringLiteral("me.png"));
    ASSERT_TRUE(image.save(path));
    Show_User_Profile& d = dialog();
    d.Reset_all_Ctrl();
    m_panelAnswer = {path};
    d.Browse_image_Btn_Clicked();
    ASSERT_EQ(m_panelRequests.size(), 1u);
    EXPECT_EQ(m_panelRequests[0].allowedTypes,
              (QStringList{"jpg", "jpeg", "jpe", "jfif", "gif", "bmp", "png", "tif", "tiff"}));
    EXPECT_EQ(d.row(10).value->text(), path);
    EXPECT_FALSE(d.photoWell()->pixmap().isNull());
    // A file that does not load keeps its path and the well's picture.
    const QString broken = QDir(m_temp.path()).filePath(QStringLiteral("broken.png"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();
    d.Set_User_Image(QStringLiteral("  ") + broken);
    EXPECT_EQ(d.row(10).value->text(), broken);
    EXPECT_FALSE(d.photoWell()->pixmap().isNull());
    // Cancel in the panel clears the library picture.
    Library_Selected_Image = QStringLiteral("x");
    m_panelAnswer = {};
    d.Browse_image_Btn_Clicked();
    EXPECT_EQ(Library_Selected_Image, QString());
    d.Clear_image_Btn_Clicked();
    EXPECT_EQ(d.row(10).value->text(), QString());
    EXPECT_TRUE(d.photoWell()->pixmap().isNull());
    // Reset unticks and empties.
    d.row(2).value->setText(QStringLiteral("x"));
    d.row(2).valueChk->setChecked(true);
    choose(d.row(5).source, 1);
    d.Reset_all_Ctrl();
    EXPECT_EQ(d.row(2).value->text(), QString());
    EXPECT_FALSE(d.row(2).valueChk->isChecked());
    EXPECT_EQ(d.row(5).source->currentIndex(), 0);
    EXPECT_FALSE(d.row(5).value->isReadOnly());
    // View without a series chosen.
    d.View_Data_Series_By_Name(*d.row(0).seriesColumn);
    EXPECT_EQ(m_alerts.texts().last(), QStringLiteral("\nPlease select the series."));
}

TEST_F(DialogTest, SourceSwitchSetsEditabilityAndFirstValueFollowsItsOwnRow) {
    startWithSeries({{QStringLiteral("towns"), QStringLiteral("Lyon\nNice")}});
    Show_User_Profile& d = dialog();
    d.Reset_all_Ctrl();
    choose(d.row(4).source, 1);
    EXPECT_TRUE(d.row(4).value->isReadOnly());
    EXPECT_TRUE(d.row(4).seriesColumn->isEnabled());
    EXPECT_TRUE(d.row(4).view->isEnabled());
    EXPECT_EQ(d.row(4).seriesColumn->count(), 1);
    choose(d.row(4).seriesColumn, 0);
    EXPECT_EQ(d.row(4).value->text(), QStringLiteral("Lyon"));
    EXPECT_EQ(d.row(0).value->text(), QString());
    // A ticked value box makes a bound value editable again.
    d.row(4).valueChk->click();
    EXPECT_FALSE(d.row(4).value->isReadOnly());
    // Back to manual: the value stays and is editable; the list empties.
    choose(d.row(4).source, 0);
    EXPECT_EQ(d.row(4).value->text(), QStringLiteral("Lyon"));
    EXPECT_FALSE(d.row(4).value->isReadOnly());
    EXPECT_EQ(d.row(4).seriesColumn->count(), 0);
    EXPECT_FALSE(d.row(4).view->isEnabled());
    // The photo row's buttons follow its source.
    choose(d.row(10).source, 1);
    EXPECT_FALSE(dialog().findChild<QPushButton*>(QStringLiteral("browse_pic_btn"))->isEnabled());
    // A missing series file gives an empty value.
    QFile::remove(QDir(Data_Folder_Path).filePath(QStringLiteral("towns.txt")));
    d.row(4).value->setText(QStringLiteral("x"));
    choose(d.row(4).source, 1);
    d.row(4).seriesColumn->addItem(QStringLiteral("towns"));
    choose(d.row(4).seriesColumn, 0);
    EXPECT_EQ(d.row(4).value->text(), QString());
}

TEST_F(DialogTest, PreviewThenCancelLeavesCardRecordsAndHistoryAsBefore) {
    startWithSeries();
    auto name =
        addText(0, QStringLiteral("Fup_Name"), QStringLiteral("Card name"), QRectF(30, 30, 90, 20));
    m_controller->Front_user_profile.fields[0].value = QStringLiteral("committed");
    const QByteArray before = SKTGraphic::pasteboardDataWithGraphics(view(0).graphics());
    const bool couldUndo = m_document->canUndo();
    last_ctrl_X = 33;
    last_ctrl_Y = 44;
    SKTGraphicList previewed;
    const int answer = openSide([&](Show_User_Profile& d) {
        d.row(0).value->setText(QStringLiteral("Typed name"));
        d.row(5).value->setText(QStringLiteral("555"));
        d.Preview_Btn_Clicked();
        previewed = d.Graphics_array;
        EXPECT_FALSE(d.previewPicture()->pixmap().isNull());
        d.Cancel_Btn_Clicked();
    });
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(SKTGraphic::pasteboardDataWithGraphics(view(0).graphics()), before);
    EXPECT_EQ(name->Text_Value, QStringLiteral("Card name"));
    EXPECT_EQ(m_controller->Front_user_profile.fields[0].value, QStringLiteral("committed"));
    EXPECT_EQ(m_controller->Back_user_profile.fields[0].value, QString());
    EXPECT_EQ(m_document->canUndo(), couldUndo);
    EXPECT_EQ(last_ctrl_X, 33.0f);
    EXPECT_EQ(last_ctrl_Y, 44.0f);
    QStringList texts;
    for (const auto& graphic : previewed) {
        if (graphic->ctrl_is_visible) {
            texts << graphic->Text_Value;
        }
    }
    texts.sort();
    EXPECT_EQ(texts, (QStringList{"555", "Typed name"}));
    for (const auto& graphic : previewed) {
        EXPECT_NE(graphic, name);
    }
}

TEST_F(DialogTest, WizardDialogStartsEmptyWithSideCombosOnTwoAndCommitsBothRecords) {
    startWithSeries({{QStringLiteral("list"), QStringLiteral("L1")}});
    addText(0, QStringLiteral("Fup_Name"), QStringLiteral("On the card"));
    QString title, value;
    QList<int> sides;
    bool sideShown = false;
    m_script = [&](QDialog& dlg) {
        auto& d = static_cast<User_profile&>(dlg);
        title = d.windowTitle();
        value = d.row(0).value->text();
        for (int i = 0; i < 11; ++i) {
            sides << d.row(i).side->currentIndex();
        }
        sideShown = !d.row(0).side->isHidden();
        d.row(0).value->setText(QStringLiteral("Both"));
        choose(d.row(5).source, 1);
        choose(d.row(5).seriesColumn, 0);
        choose(d.row(0).side, 0); // read by nothing
        d.OK_Btn_Clicked();
    };
    EXPECT_EQ(m_controller->Open_User_Profile_Window(0, QStringLiteral("  ")), 1);
    EXPECT_EQ(title, QStringLiteral("User Profile Information"));
    EXPECT_EQ(value, QString());
    EXPECT_EQ(sides, QList<int>(11, 2));
    EXPECT_TRUE(sideShown);
    EXPECT_EQ(Fill_User_Profile, 1);
    for (int i = 0; i < 11; ++i) {
        const auto& f = record(0).fields[static_cast<std::size_t>(i)];
        const auto& b = record(1).fields[static_cast<std::size_t>(i)];
        EXPECT_EQ(f.value, b.value);
        EXPECT_EQ(f.seriesBound, b.seriesBound);
        EXPECT_EQ(f.seriesName, b.seriesName);
        EXPECT_EQ(f.seriesIndex, b.seriesIndex);
        EXPECT_EQ(f.columnBound, b.columnBound);
    }
    EXPECT_EQ(record(1).fields[5].value, QStringLiteral("L1"));
    EXPECT_EQ(record(1).fields[5].seriesName, QStringLiteral("list"));
    // The wizard places nothing.
    EXPECT_EQ(view(0).graphics().size(), 1);
}

TEST_F(DialogTest, ScreenshotsOfBothDialogs) {
    startWithSeries();
    const QString folder = qEnvironmentVariable("CARD_SCREENSHOT_DIR");
    struct Shot {
        QDialog* dialog;
        const char* file;
    };
    for (const Shot& s : {Shot{&dialog(), "contact_fields_side.png"},
                          Shot{User_profile::defaultInstance(), "contact_fields_wizard.png"}}) {
        s.dialog->adjustSize();
        const QImage shot = s.dialog->grab().toImage();
        ASSERT_FALSE(shot.isNull());
        // The dialog background colour shows at its corner.
        EXPECT_EQ(QColor(shot.pixel(2, 2)), QColor(241, 244, 250));
        if (!folder.isEmpty()) {
            QDir().mkpath(folder);
            EXPECT_TRUE(shot.save(QDir(folder).filePath(QString::fromLatin1(s.file))));
        }
    }
}

TEST_F(DialogTest, ViewExcelSeriesAndRowViewButtonsOpenTheirWindows) {
    startWithSeries({{QStringLiteral("towns"), QStringLiteral("Lyon\nNice")}});
    importTable();
    int managerOpenings = 0;
    window_entries::seriesManager.set([&managerOpenings] { ++managerOpenings; });
    const struct {
        const char* name;
        ContactFieldDialog* dialog;
    } cases[] = {{"card side", Show_User_Profile::defaultInstance()},
                 {"no side", User_profile::defaultInstance()}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ContactFieldDialog& d = *c.dialog;
        d.Reset_all_Ctrl();
        QStringList opened;
        int tableRows = -1;
        QString seriesName;
        QStringList seriesValues;
        m_script = [&](QDialog& shown) {
            opened << QString::fromLatin1(shown.metaObject()->className());
            if (auto* table = qobject_cast<Data_From_Excel*>(&shown)) {
                tableRows = table->ColList()->rowCount();
            }
            if (auto* viewer = qobject_cast<View_Data_Series*>(&shown)) {
                seriesName = viewer->file_name;
                seriesValues = viewer->shownValues();
            }
        };
        // View Excel shows the imported table.
        d.findChild<QPushButton*>(QStringLiteral("view_excel_btn"))->click();
        EXPECT_EQ(opened, QStringList{QStringLiteral("Data_From_Excel")});
        EXPECT_EQ(tableRows, 2);
        // Series opens the series manager of the main window.
        const int before = managerOpenings;
        d.findChild<QPushButton*>(QStringLiteral("batch_series_btn"))->click();
        EXPECT_EQ(managerOpenings, before + 1);
        // A row's View button shows the series chosen in that row.
        opened.clear();
        choose(d.row(3).source, 1);
        choose(d.row(3).seriesColumn, d.row(3).seriesColumn->findText(QStringLiteral("towns")));
        ASSERT_TRUE(d.row(3).view->isEnabled());
        d.row(3).view->click();
        EXPECT_EQ(opened, QStringList{QStringLiteral("View_Data_Series")});
        EXPECT_EQ(seriesName, QStringLiteral("towns"));
        EXPECT_EQ(seriesValues, (QStringList{QStringLiteral("Lyon"), QStringLiteral("Nice")}));
        // Without a chosen series it asks for one and opens nothing.
        opened.clear();
        d.row(3).seriesColumn->setCurrentIndex(-1);
        d.row(3).view->click();
        EXPECT_TRUE(opened.isEmpty());
        EXPECT_EQ(m_alerts.texts().last(), QStringLiteral("\nPlease select the series."));
        d.Reset_all_Ctrl();
    }
    window_entries::seriesManager.set({});
    m_script = {};
}

} // namespace
