// Placing a side's contact-field record on its canvas.

#include "profiles_fixture.h"

#include "editor/model/SKTLine.h"
#include "profiles/ContactFieldRows.h"

#include <QFile>
#include <QImage>
#include <QMap>
#include <QToolButton>
#include <QXmlStreamReader>
#include <QtGlobal>
#include <stdexcept>

namespace {

// Collects what goes to the system log while it lives.
class LogLines {
public:
    LogLines() { s_previous = qInstallMessageHandler(&LogLines::handler); }
    ~LogLines() {
        qInstallMessageHandler(s_previous);
        lines().clear();
    }
    LogLines(const LogLines&) = delete;
    LogLines& operator=(const LogLines&) = delete;
    QStringList messages() const { return lines(); }

private:
    static void handler(QtMsgType, const QMessageLogContext&, const QString& text) {
        lines().append(text);
    }
    static QStringList& lines() {
        static QStringList collected;
        return collected;
    }
    static inline QtMessageHandler s_previous = nullptr;
};

// The main window's services, except that the picture tool cannot be
// chosen: the placement meets an exception at the photo field.
class PictureToolRefused : public MainWindowServices {
public:
    explicit PictureToolRefused(SKTWindowController& controller) : m_controller(controller) {}
    void Fill_Data_Set_File_Name_In_Combo(QComboBox& combo) override {
        m_controller.Fill_Data_Set_File_Name_In_Combo(combo);
    }
    void Fill_Excel_Col_Name_In_Combo(QComboBox& combo) override {
        m_controller.Fill_Excel_Col_Name_In_Combo(combo);
    }
    QString Get_First_Value_Of_Dataset(const QString& name) override {
        return m_controller.Get_First_Value_Of_Dataset(name);
    }
    QString Get_First_Value_Of_Excel_Binding(int column) override {
        return m_controller.Get_First_Value_Of_Excel_Binding(column);
    }
    void Refresh_Canvas() override { m_controller.Refresh_Canvas(); }
    User_Profile_Class* userProfile(int side) override { return m_controller.userProfile(side); }
    SKTGraphicView* graphicViewOfSide(int side) const override {
        return m_controller.graphicViewOfSide(side);
    }
    void Select_Drawing_Tool(int tool) override {
        if (tool == 8) {
            throw std::runtime_error("picture tool refused");
        }
        m_controller.Select_Drawing_Tool(tool);
    }
    QComboBox* dataSourceTypeCombo() const override { return m_controller.dataSourceTypeCombo(); }
    QSizeF frontCardSize() const override { return m_controller.frontCardSize(); }

private:
    SKTWindowController& m_controller;
};

class PlacementTest : public ProfilesFixture {
protected:
    void SetUp() override {
        ProfilesFixture::SetUp();
        startWithSeries();
        Fill_User_Profile = 1;
    }

    // The placeholder frame of a contact field as the dialog's interface
    // file gives it (landscape "<row>_default", portrait "<row>_default_V").
    static QRectF templateOf(const QString& id, bool portrait) {
        static const QMap<QString, QRectF> frames = interfaceFrames();
        const qsizetype row = User_Profile_Class::valueIdentifiers().indexOf(id);
        if (row < 0) {
            return {};
        }
        const QString name = QString::fromLatin1(contactFieldRows()[std::size_t(row)].placeholder) +
                             (portrait ? QStringLiteral("_default_V") : QStringLiteral("_default"));
        EXPECT_TRUE(frames.contains(name)) << name.toStdString();
        return frames.value(name);
    }

    // Every widget's geometry in the dialog's interface file, by name.
    static QMap<QString, QRectF> interfaceFrames() {
        QFile file(QStringLiteral(CARD_SOURCE_DIR "/profiles/Show_User_Profile.ui"));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QMap<QString, QRectF> frames;
        QString widget;
        while (!xml.atEnd()) {
            if (!xml.readNextStartElement()) {
                continue;
            }
            if (xml.name() == u"widget") {
                widget = xml.attributes().value(QStringLiteral("name")).toString();
            } else if (xml.name() == u"rect" && !widget.isEmpty()) {
                QMap<QString, double> values;
                while (xml.readNextStartElement()) {
                    values.insert(xml.name().toString(), xml.readElementText().toDouble());
                }
                frames.insert(widget,
                              QRectF(values["x"], values["y"], values["width"], values["height"]));
                widget.clear();
            }
        }
        return frames;
    }

    User_Profile_Class::Field& field(int side, int index) {
        return record(side).fields[static_cast<std::size_t>(index)];
    }

    // The objects of the side carrying the identifier, front-most first.
    SKTGraphicList withID(int side, const QString& id) const {
        SKTGraphicList found;
        for (const auto& graphic : view(side).graphics()) {
            if (graphic->control_ID == id) {
                found.append(graphic);
            }
        }
        return found;
    }

    QString writePicture(const QString& name, QColor colour) const {
        QImage image(12, 8, QImage::Format_ARGB32);
        image.fill(colour);
        const QString path = QDir(m_temp.path()).filePath(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }
};

TEST_F(PlacementTest, AllFieldsEmptyHidesEveryContactFieldObjectAndCreatesNone) {
    addText(0, QStringLiteral("Fup_Name"), QStringLiteral("Old"));
    addText(0, QStringLiteral("Fup_Website"), QStringLiteral("old.example"));
    addText(0, QStringLiteral("Other"), QStringLiteral("kept"));
    m_controller->setSelected_Control_Tool(5);
    m_controller->Fill_User_profile_info_front_side();
    ASSERT_EQ(view(0).graphics().size(), 3);
    for (const auto& graphic : view(0).graphics()) {
        EXPECT_EQ(graphic->ctrl_is_visible, graphic->control_ID == QLatin1String("Other"))
            << graphic->control_ID.toStdString();
    }
    EXPECT_EQ(m_controller->Selected_Control_Tool(), 2);
}

TEST_F(PlacementTest, NewTextObjectsGetTheirTemplateRectangleValueAndTypedBinding) {
    field(0, 0).value = QStringLiteral("Ann Smith");
    field(0, 8).value = QStringLiteral("www.example.org");
    m_controller->Fill_User_profile_info_front_side();
    struct Expect {
        const char* id;
        const char* text;
    };
    for (const Expect& e :
         {Expect{"Fup_Name", "Ann Smith"}, Expect{"Fup_Website", "www.example.org"}}) {
        const SKTGraphicList found = withID(0, QString::fromLatin1(e.id));
        ASSERT_EQ(found.size(), 1) << e.id;
        const auto& graphic = found.first();
        EXPECT_EQ(graphic->className(), QStringLiteral("SKTText"));
        EXPECT_EQ(graphic->Text_Value, QString::fromLatin1(e.text));
        EXPECT_EQ(graphic->Text_contents().string(), QString::fromLatin1(e.text));
        EXPECT_TRUE(graphic->ctrl_is_visible);
        EXPECT_EQ(graphic->data_source_type_val(), 0);
        EXPECT_FALSE(graphic->excel_binding);
        // The front card of a new design is square: the landscape frames.
        EXPECT_EQ(graphic->bounds(), templateOf(QString::fromLatin1(e.id), false)) << e.id;
    }
    EXPECT_EQ(view(0).graphics().size(), 2);
    EXPECT_TRUE(view(1).graphics().isEmpty());
}

TEST_F(PlacementTest, ReusedObjectKeepsPlaceSizeAndFontAndIsShown) {
    const QRectF moved(55, 66, 90, 24);
    auto name = addText(0, QStringLiteral("Fup_Name"), QStringLiteral("Old name"), moved, false);
    QFont font(QStringLiteral("Liberation Sans"), 21);
    name->Text_contents().setFont(0, name->Text_contents().length(), font);
    field(0, 0).value = QStringLiteral("New name");
    m_controller->Fill_User_profile_info_front_side();
    ASSERT_EQ(view(0).graphics().size(), 1);
    EXPECT_EQ(view(0).graphics().first(), name);
    EXPECT_EQ(name->bounds().topLeft(), moved.topLeft());
    EXPECT_EQ(name->bounds().width(), moved.width());
    EXPECT_EQ(name->Text_contents().string(), QStringLiteral("New name"));
    EXPECT_EQ(name->Text_contents().fontAt(0).pointSizeF(), 21.0);
    EXPECT_EQ(name->Text_contents().fontAt(0).family(), QStringLiteral("Liberation Sans"));
    EXPECT_TRUE(name->ctrl_is_visible);
}

TEST_F(PlacementTest, PhotosReuseTheirObjectOrShowThePlaceholderForAMissingFile) {
    const QString first = writePicture(QStringLiteral("first.png"), Qt::red);
    const QString second = writePicture(QStringLiteral("second.png"), Qt::blue);
    // Re-use: the existing picture object shows the new file.
    auto photo = std::make_shared<SKTImage>();
    photo->control_ID = QStringLiteral("Fup_Photo");
    photo->setFilePath(first);
    photo->setBounds(QRectF(5, 5, 40, 40));
    photo->Set_Ctrl_Is_Visible(false);
    insert(0, photo);
    field(0, 10).value = second;
    m_controller->Fill_User_profile_info_front_side();
    ASSERT_EQ(view(0).graphics().size(), 1);
    EXPECT_EQ(photo->FilePath(), second);
    EXPECT_TRUE(photo->ctrl_is_visible);
    EXPECT_EQ(photo->bounds(), QRectF(5, 5, 40, 40));
    EXPECT_EQ(m_controller->Selected_Control_Tool(), 8);
    EXPECT_EQ(Library_Selected_Image, second);

    // An existing photo given a missing file keeps its picture, hidden.
    field(0, 10).value = QDir(m_temp.path()).filePath(QStringLiteral("gone.png"));
    m_controller->Fill_User_profile_info_front_side();
    EXPECT_EQ(photo->FilePath(), second);
    EXPECT_FALSE(photo->ctrl_is_visible);

    // New photo with a missing file on the back: the placeholder picture,
    // with the identifier and the binding.
    field(1, 10).value = QDir(m_temp.path()).filePath(QStringLiteral("missing.png"));
    field(1, 10).seriesBound = true;
    field(1, 10).seriesName = QStringLiteral("photos");
    field(1, 10).seriesIndex = 3;
    m_controller->Fill_User_profile_info_back_side();
    const SKTGraphicList back = withID(1, QStringLiteral("Fup_Photo"));
    ASSERT_EQ(back.size(), 1);
    EXPECT_EQ(back.first()->className(), QStringLiteral("SKTImage"));
    EXPECT_EQ(back.first()->data_source_type_val(), 1);
    EXPECT_EQ(back.first()->batch_list_name_val(), QStringLiteral("photos"));
    EXPECT_EQ(back.first()->batch_list_index_val(), 3);
    EXPECT_EQ(back.first()->bounds(), templateOf(QStringLiteral("Fup_Photo"), false));
}

TEST_F(PlacementTest, BindingsChangeKindAndKeepWhatTheOtherKindStored) {
    struct Case {
        const char* name;
        int oldType, oldSeriesIndex, oldColumn;
        bool series, column;
        int newSeriesIndex, newColumn;
        int wantType, wantSeriesIndex, wantColumn;
        bool wantExcel;
    };
    const Case cases[] = {
        {"series to typed", 1, 2, 0, false, false, 0, 0, 0, 2, 0, false},
        {"column to series", 2, 0, 4, true, false, 5, 0, 1, 5, 4, false},
        {"typed to column", 0, 0, 0, false, true, 0, 2, 2, 0, 2, true},
    };
    for (const Case& c : cases) {
        m_document->removeGraphicsInList(SKTDocumentGraphicsKey, [&] {
            QList<int> all;
            for (int i = 0; i < view(0).graphics().size(); ++i) {
                all.append(i);
            }
            return all;
        }());
        auto text = addText(0, QStringLiteral("Fup_Company"), QStringLiteral("Old"));
        text->Set_Data_source_type(c.oldType);
        text->Set_Batch_List_Index(c.oldSeriesIndex);
        text->Set_Excel_binding_Index(c.oldColumn);
        text->Set_Excel_binding(c.oldType == 2);
        record(0).Reset_All_Values();
        auto& f = field(0, 2);
        f.value = QStringLiteral("ACME");
        f.seriesBound = c.series;
        f.seriesName = c.series ? QStringLiteral("firms") : QString();
        f.seriesIndex = c.newSeriesIndex;
        f.columnBound = c.column;
        f.columnIndex = c.newColumn;
        m_controller->Fill_User_profile_info_front_side();
        EXPECT_EQ(text->data_source_type_val(), c.wantType) << c.name;
        EXPECT_EQ(text->batch_list_index_val(), c.wantSeriesIndex) << c.name;
        EXPECT_EQ(text->excel_col_indx, c.wantColumn) << c.name;
        EXPECT_EQ(text->excel_binding, c.wantExcel) << c.name;
    }
}

TEST_F(PlacementTest, SquareCardsUseLandscapeFramesAndTallCardsPortraitOnes) {
    struct Case {
        QSizeF size;
        bool portrait;
    };
    for (const Case& c : {Case{QSizeF(200, 200), false}, Case{QSizeF(100, 150), true},
                          Case{QSizeF(243, 153), false}}) {
        m_controller->Front_card_Prop.setCard_Size(c.size);
        for (const QString& id : User_Profile_Class::valueIdentifiers()) {
            EXPECT_EQ(contact_fields::Get_Control_Rect_From_Template(id),
                      templateOf(id, c.portrait))
                << id.toStdString() << " " << c.size.width();
        }
        EXPECT_EQ(contact_fields::Get_Control_Rect_From_Template(QStringLiteral("Fup_lbl_Name")),
                  QRectF());
    }
    // The portrait and landscape frames differ, so the choice is visible.
    EXPECT_NE(templateOf(QStringLiteral("Fup_Photo"), true),
              templateOf(QStringLiteral("Fup_Photo"), false));
}

TEST_F(PlacementTest, AllTwentyTwoTemplateFramesAreNonZeroAndInsideTheCard) {
    for (bool portrait : {false, true}) {
        const QRectF card = portrait ? QRectF(0, 0, 153, 243) : QRectF(0, 0, 243, 153);
        for (const QString& id : User_Profile_Class::valueIdentifiers()) {
            const QRectF frame = templateOf(id, portrait);
            EXPECT_GT(frame.width(), 0) << id.toStdString();
            EXPECT_GT(frame.height(), 0) << id.toStdString();
            EXPECT_TRUE(card.contains(frame)) << id.toStdString() << " portrait " << portrait;
        }
    }
}

TEST_F(PlacementTest, OnlyTheFrontMostOfTwoObjectsWithOneIdentifierIsRewritten) {
    auto first =
        addText(0, QStringLiteral("Fup_PhoneNO"), QStringLiteral("1"), QRectF(0, 0, 50, 10), false);
    auto second = addText(0, QStringLiteral("Fup_PhoneNO"), QStringLiteral("2"),
                          QRectF(0, 20, 50, 10), false);
    field(0, 5).value = QStringLiteral("555-0100");
    m_controller->Fill_User_profile_info_front_side();
    EXPECT_EQ(view(0).graphics().size(), 2);
    EXPECT_TRUE(first->ctrl_is_visible);
    EXPECT_EQ(first->Text_Value, QStringLiteral("555-0100"));
    EXPECT_FALSE(second->ctrl_is_visible);
    EXPECT_EQ(second->Text_Value, QStringLiteral("2"));
}

TEST_F(PlacementTest, OtherKindsCarryingAContactFieldIdentifierAreLeftAlone) {
    auto line = std::make_shared<SKTLine>();
    line->control_ID = QStringLiteral("Fup_Name");
    line->setBounds(QRectF(0, 0, 40, 2));
    insert(0, line);
    field(0, 0).value = QStringLiteral("Ann");
    m_controller->Fill_User_profile_info_front_side();
    EXPECT_TRUE(line->ctrl_is_visible);
    const SKTGraphicList named = withID(0, QStringLiteral("Fup_Name"));
    ASSERT_EQ(named.size(), 2);
    EXPECT_EQ(named.first()->className(), QStringLiteral("SKTText"));
    EXPECT_EQ(line->bounds(), QRectF(0, 0, 40, 2));
}

TEST_F(PlacementTest, WithTheFlagClearOnlyTheInspectorExcelItemFollows) {
    Fill_User_Profile = 0;
    field(0, 0).value = QStringLiteral("Ann");
    QComboBox* combo = m_controller->dataSourceTypeCombo();
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 2);
    struct Step {
        char use;
        int want;
    };
    // Added once, removed once; a 3-item combo never gets a fourth.
    for (const Step& s : {Step{1, 3}, Step{1, 3}, Step{0, 2}, Step{0, 2}}) {
        Excel_Binding_Use = s.use;
        m_controller->Fill_User_profile_info_front_side();
        EXPECT_EQ(combo->count(), s.want);
    }
    EXPECT_TRUE(view(0).graphics().isEmpty());
    // The preview placement ignores the flag.
    record(2).fields[0].value = QStringLiteral("Preview");
    contact_fields::Fill_User_profile_info(2);
    EXPECT_EQ(withID(2, QStringLiteral("Fup_Name")).size(), 1);
}

TEST_F(PlacementTest, AFieldThatCreatesNothingNeverRebindsThePreviousFieldsObject) {
    field(0, 0).value = QStringLiteral("Ann");
    field(0, 0).seriesBound = true;
    field(0, 0).seriesName = QStringLiteral("names");
    // An identifier without a placeholder: zero rectangle, nothing made.
    field(0, 1).value = QStringLiteral("Boss");
    field(0, 1).valueObjectID = QStringLiteral("Fup_Nowhere");
    field(0, 1).columnBound = true;
    field(0, 1).columnIndex = 2;
    m_controller->Fill_User_profile_info_front_side();
    ASSERT_EQ(view(0).graphics().size(), 1);
    const auto name = view(0).graphics().first();
    EXPECT_EQ(name->data_source_type_val(), 1);
    EXPECT_FALSE(name->excel_binding);
    EXPECT_FALSE(m_document->canRedo());
}

TEST_F(PlacementTest, AFailingPlacementStopsWithALogLineAndKeepsWhatWasPlaced) {
    const QString photoFile = writePicture(QStringLiteral("me.png"), Qt::red);
    auto oldPhoto = std::make_shared<SKTImage>();
    oldPhoto->control_ID = QStringLiteral("Fup_Photo");
    oldPhoto->setFilePath(writePicture(QStringLiteral("old.png"), Qt::blue));
    oldPhoto->setBounds(QRectF(5, 5, 40, 40));
    insert(0, oldPhoto);
    field(0, 0).value = QStringLiteral("Ann Smith");
    field(0, 8).value = QStringLiteral("www.example.org");
    field(0, 10).value = photoFile;
    PictureToolRefused services(*m_controller);
    MainWindowServices::setCurrent(&services);
    LogLines log;
    contact_fields::Fill_User_profile_info(0);
    MainWindowServices::setCurrent(m_controller.get());
    // The reason is logged; nothing is shown to the user.
    EXPECT_TRUE(log.messages().contains(QStringLiteral("picture tool refused")))
        << log.messages().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(m_alerts.texts().isEmpty());
    // The fields before the failure stay placed; the photo is not placed.
    for (const char* id : {"Fup_Name", "Fup_Website"}) {
        const SKTGraphicList found = withID(0, QString::fromLatin1(id));
        ASSERT_EQ(found.size(), 1) << id;
        EXPECT_TRUE(found.first()->ctrl_is_visible) << id;
    }
    EXPECT_EQ(oldPhoto->FilePath(), QDir(m_temp.path()).filePath(QStringLiteral("old.png")));
    EXPECT_FALSE(oldPhoto->ctrl_is_visible);
    EXPECT_EQ(withID(0, QStringLiteral("Fup_Photo")).size(), 1);
}

TEST_F(PlacementTest, AnExistingPhotoGivenAMissingFileLogsThePath) {
    auto photo = std::make_shared<SKTImage>();
    photo->control_ID = QStringLiteral("Fup_Photo");
    const QString kept = writePicture(QStringLiteral("kept.png"), Qt::green);
    photo->setFilePath(kept);
    insert(0, photo);
    const QString missing = QDir(m_temp.path()).filePath(QStringLiteral("gone.png"));
    field(0, 10).value = missing;
    LogLines log;
    m_controller->Fill_User_profile_info_front_side();
    EXPECT_TRUE(log.messages().contains(missing))
        << log.messages().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(photo->FilePath(), kept);
    EXPECT_TRUE(m_alerts.texts().isEmpty());
}

TEST_F(PlacementTest, TheToolButtonsShowTheToolThePlacementEndsWith) {
    const struct {
        const char* name;
        bool photo;
        const char* checked;
        int tool;
    } cases[] = {{"texts only", false, "Text_Tool", 2}, {"with a photo", true, "Image_Tool", 8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_controller->setSelected_Control_Tool(5);
        field(0, 0).value = QStringLiteral("Ann");
        field(0, 10).value = c.photo ? writePicture(QStringLiteral("p.png"), Qt::red) : QString();
        m_controller->Fill_User_profile_info_front_side();
        EXPECT_EQ(m_controller->Selected_Control_Tool(), c.tool);
        for (const char* button : {"Text_Tool", "Image_Tool", "Rect_Tool", "Arrow_Tool"}) {
            auto* tool = control<QToolButton>(button);
            ASSERT_NE(tool, nullptr) << button;
            EXPECT_EQ(tool->isChecked(), qstrcmp(button, c.checked) == 0) << button;
        }
    }
}

} // namespace
