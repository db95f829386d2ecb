// The "Contact Fields" button of the main window, from the dialog to the
// front side's PDF.

#include "profiles_fixture.h"

#include "editor/render/SKTRenderingView.h"

#include <QPushButton>
#include <QTemporaryFile>

namespace {

class EndToEndTest : public ProfilesFixture {};

TEST_F(EndToEndTest, ContactFieldsButtonPlacesTypedValuesOnTheFrontAndIntoItsPdf) {
    CARD_REQUIRE_TOOL(pdftotext, "pdftotext");
    startWithSeries();
    auto* button = control<QPushButton>("User_Profile_Button");
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled());
    QString title;
    m_script = [&](QDialog& dlg) {
        auto& d = static_cast<Show_User_Profile&>(dlg);
        title = d.windowTitle();
        d.row(0).value->setText(QStringLiteral("Ann Smith"));
        d.row(5).value->setText(QStringLiteral("555-0100"));
        d.row(8).value->setText(QStringLiteral("example.org"));
        d.OK_Btn_Clicked();
    };
    button->click();
    EXPECT_EQ(title, QStringLiteral("Front Side User Profile Information"));
    EXPECT_EQ(Fill_User_Profile, 1);
    const SKTGraphicList front = view(0).graphics();
    ASSERT_EQ(front.size(), 3);
    QStringList ids;
    for (const auto& graphic : front) {
        EXPECT_EQ(graphic->className(), QStringLiteral("SKTText"));
        EXPECT_EQ(graphic->bounds(),
                  Show_User_Profile::defaultInstance()->templateFrame(graphic->control_ID, false));
        ids << graphic->control_ID;
    }
    ids.sort();
    EXPECT_EQ(ids, (QStringList{"Fup_Name", "Fup_PhoneNO", "Fup_Website"}));
    EXPECT_TRUE(view(1).graphics().isEmpty());
    EXPECT_EQ(m_controller->Selected_Control_Tool(), 2);

    const QByteArray pdf = SKTRenderingView::pdfDataWithGraphics_data(front);
    ASSERT_FALSE(pdf.isEmpty());
    QTemporaryFile file(QDir(m_temp.path()).filePath(QStringLiteral("front-XXXXXX.pdf")));
    ASSERT_TRUE(file.open());
    file.write(pdf);
    file.close();
    const auto result = testsupport::runProcess(pdftotext, {file.fileName(), QStringLiteral("-")});
    ASSERT_TRUE(result.started);
    const QString text = QString::fromUtf8(result.out);
    for (const char* value : {"Ann Smith", "555-0100", "example.org"}) {
        EXPECT_TRUE(text.contains(QString::fromLatin1(value)))
            << value << " in " << text.toStdString();
    }
}

TEST_F(EndToEndTest, CancelPlacesNothingAndEmptyEntryDisablesTheButton) {
    startWithSeries();
    m_script = [](QDialog& dlg) {
        static_cast<Show_User_Profile&>(dlg).row(0).value->setText(QStringLiteral("x"));
        static_cast<Show_User_Profile&>(dlg).Cancel_Btn_Clicked();
    };
    control<QPushButton>("User_Profile_Button")->click();
    EXPECT_TRUE(view(0).graphics().isEmpty());
    EXPECT_EQ(Fill_User_Profile, 0);
    // The back side places on the back canvas.
    Card_Front_Or_Back = 1;
    m_script = [](QDialog& dlg) {
        auto& d = static_cast<Show_User_Profile&>(dlg);
        d.row(2).value->setText(QStringLiteral("ACME"));
        d.OK_Btn_Clicked();
    };
    control<QPushButton>("User_Profile_Button")->click();
    EXPECT_TRUE(view(0).graphics().isEmpty());
    ASSERT_EQ(view(1).graphics().size(), 1);
    EXPECT_EQ(view(1).graphics().first()->Text_Value, QStringLiteral("ACME"));
    // A new design clears the flag.
    m_controller->New_Project();
    EXPECT_EQ(Fill_User_Profile, 0);

    window_entries::contactFields.set({});
    m_controller->Refresh_Entry_States();
    EXPECT_FALSE(control<QPushButton>("User_Profile_Button")->isEnabled());
}

} // namespace
