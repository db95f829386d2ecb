// Links clicked where no program can open them: the user is told what did not
// open and its address, in a message whose text can be selected.

#include "mainwindow_controller_fixture.h"

#include "mainwindow/controller/ControllerLinks.h"
#include "output/Help_Support.h"
#include "output/Promotion_Form.h"
#include "output/Review_Form.h"

#include <QPushButton>

namespace {

class LinksTest : public ControllerFixture {
protected:
    void TearDown() override {
        LinkCommands::setCurrent(nullptr);
        hooks::setUrlOpener({});
        ControllerFixture::TearDown();
    }

    static void click(QWidget* window, const char* button) {
        auto* target = window->findChild<QPushButton*>(QString::fromLatin1(button));
        ASSERT_NE(target, nullptr) << button;
        QTest::mouseClick(target, Qt::LeftButton);
    }
};

TEST_F(LinksTest, ALinkThatDoesNotOpenTellsItsAddress) {
    // Contact us in the start window, while the main window starts.
    std::vector<QUrl> tried;
    hooks::setUrlOpener([&tried](const QUrl& url) {
        tried.push_back(url);
        return false;
    });
    m_startScript = [](Invitation_Wizard& wizard) {
        wizard.show();
        click(&wizard, "Contact_us_btn");
        wizard.hide();
        return openStartDesign(wizard);
    };
    start();
    m_startScript = {};
    ASSERT_EQ(m_alerts.requests().size(), 1u);
    const AlertRequest contact = m_alerts.requests().back();
    EXPECT_TRUE(contact.text.contains(QStringLiteral("mail program")));
    EXPECT_TRUE(contact.text.endsWith(QStringLiteral("\nsupport@example.com")));
    EXPECT_TRUE(contact.selectableText);

    // The main window's buttons and those of the windows opened from it,
    // which reach the controller's link commands.
    ControllerLinks links(*m_controller);
    LinkCommands::setCurrent(&links);
    MainWindowFrame* main = m_controller->window();
    main->show();
    Help_Support help;
    help.show();
    Review_Form review;
    review.show();
    Promotion_Form promotion;
    promotion.software_type = QStringLiteral("B");
    hooks::setModalRunner([](QDialog&) { return 1; });
    promotion.Open_Promotion_Window();
    promotion.show();

    const struct {
        QWidget* window;
        const char* button;
        const char* what;
        QString address;
    } rows[] = {
        {main, "Share_It_Button", "web browser",
         QStringLiteral("https://www.example.com/card-editor/share")},
        {main, "Get_It_Free_Button", "web browser",
         QStringLiteral("https://www.example.com/card-editor/free")},
        {&help, "support_id", "mail program", QStringLiteral("support@example.com")},
        {&help, "reseller_1", "mail program", QStringLiteral("resellers@example.com")},
        {&help, "website_1", "web browser", QStringLiteral("https://www.example.com/card-editor/")},
        {&help, "facebookButton", "web browser",
         QStringLiteral("https://www.example.com/social/facebook")},
        {&review, "reviewButton", "web browser",
         QStringLiteral("https://www.example.com/card-editor/review")},
        {&promotion, "mailButton", "mail program", QStringLiteral("badges@example.net")},
        {&promotion, "orderButton", "web browser",
         QStringLiteral("https://www.example.net/badge-maker/order")},
        {&promotion, "youtubeButton", "web browser",
         QStringLiteral("https://www.example.net/videos")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.button);
        tried.clear();
        const size_t before = m_alerts.requests().size();
        click(row.window, row.button);
        ASSERT_EQ(tried.size(), 1u);
        ASSERT_EQ(m_alerts.requests().size(), before + 1);
        const AlertRequest told = m_alerts.requests().back();
        EXPECT_TRUE(told.text.contains(QString::fromLatin1(row.what))) << told.text.toStdString();
        EXPECT_TRUE(told.text.endsWith(QStringLiteral("\n") + row.address))
            << told.text.toStdString();
        EXPECT_TRUE(told.selectableText);
    }

    // A link that opens tells nothing.
    hooks::setUrlOpener([](const QUrl&) { return true; });
    const size_t before = m_alerts.requests().size();
    click(&help, "support_id");
    EXPECT_EQ(m_alerts.requests().size(), before);
}

} // namespace
