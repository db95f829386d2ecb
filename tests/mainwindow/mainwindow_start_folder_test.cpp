// Picture panels open where the user's pictures are: the Pictures folder of
// the home folder at first, then wherever the last picture was chosen. Other
// kinds of file keep folders of their own: a design panel never starts where
// the last picture was found.

#include "mainwindow_controller_fixture.h"

#include "mainwindow/controller/WindowEntries.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QToolButton>
#include <functional>
#include <vector>

namespace {

class StartFolderTest : public ControllerFixture {
protected:
    void SetUp() override {
        ControllerFixture::SetUp();
        m_home = qgetenv("HOME");
        m_config = qgetenv("XDG_CONFIG_HOME");
        // A new user: a home with a Pictures folder and no folder settings.
        qputenv("HOME", m_user.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", m_user.filePath(QStringLiteral(".config")).toLocal8Bit());
    }
    void TearDown() override {
        endDesignFiles();
        qputenv("HOME", m_home);
        qputenv("XDG_CONFIG_HOME", m_config);
        ControllerFixture::TearDown();
    }

    QString picture(const QString& folder, const QString& name) const {
        QDir().mkpath(m_user.filePath(folder));
        QImage image(30, 20, QImage::Format_RGB32);
        image.fill(Qt::red);
        const QString path = m_user.filePath(folder + QLatin1Char('/') + name);
        EXPECT_TRUE(image.save(path, "PNG"));
        return path;
    }

    QTemporaryDir m_user;
    QByteArray m_home;
    QByteArray m_config;
};

TEST_F(StartFolderTest, APicturePanelOpensWhereTheLastOneEnded) {
    QDir().mkpath(m_user.filePath(QStringLiteral("Pictures")));
    const QString rose = picture(QStringLiteral("Party/flowers"), QStringLiteral("rose.png"));
    const QString sky = picture(QStringLiteral("Holiday"), QStringLiteral("sky.png"));
    start();
    std::deque<QString> answers{rose, sky, rose};
    QStringList startedIn;
    hooks::setOpenPanel([&](const hooks::OpenPanelRequest& request) {
        startedIn << request.directory;
        const QString answer = answers.front();
        answers.pop_front();
        return QStringList{answer};
    });
    // The picture tool twice, then the card's picture background.
    control<QToolButton>("Image_Tool")->click();
    control<QToolButton>("Image_Tool")->click();
    m_controller->window()->findChild<QAction*>(QStringLiteral("Card_Prop_action"))->trigger();
    if (!control<QAbstractButton>("Card_fill_chk")->isChecked()) {
        control<QAbstractButton>("Card_fill_chk")->click();
    }
    control<QAbstractButton>("Card_Image_fill_rd")->click();
    control<QAbstractButton>("Card_Image_Browse_Btn")->click();
    const QStringList expected{m_user.filePath(QStringLiteral("Pictures")),
                               m_user.filePath(QStringLiteral("Party/flowers")),
                               m_user.filePath(QStringLiteral("Holiday"))};
    EXPECT_EQ(startedIn.join(QLatin1Char('\n')).toStdString(),
              expected.join(QLatin1Char('\n')).toStdString());
    EXPECT_EQ(m_document->graphics().size(), 2);
    EXPECT_TRUE(m_alerts.texts().isEmpty()) << m_alerts.texts().join('|').toStdString();
}

// Pictures and designs chosen in turn, each through the control the user
// reaches it by: every panel starts where the last one of its own kind
// ended, never where a panel of the other kind did.
TEST_F(StartFolderTest, EachKindOfFileKeepsItsOwnLastFolder) {
    QDir().mkpath(m_user.filePath(QStringLiteral("Pictures")));
    const QString sky = picture(QStringLiteral("Holiday"), QStringLiteral("sky.png"));
    const QString rose = picture(QStringLiteral("Party/flowers"), QStringLiteral("rose.png"));
    QDir().mkpath(m_user.filePath(QStringLiteral("Designs")));
    const QString design = m_user.filePath(QStringLiteral("Designs/party.dcard"));
    startWithDesignFiles();

    enum class Panel { Open, Save };
    struct Step {
        const char* what;
        Panel panel;
        std::function<void()> reach;
        QString answer;
        QString startsIn;
    };
    const std::vector<Step> steps{
        {"Picture tool", Panel::Open, [this] { control<QToolButton>("Image_Tool")->click(); }, sky,
         m_user.filePath(QStringLiteral("Pictures"))},
        {"File > Save As", Panel::Save,
         [this] { clickMenuItem(openMenu("menuFile"), "SaveAs_action"); }, design, m_user.path()},
        {"Picture tool", Panel::Open, [this] { control<QToolButton>("Image_Tool")->click(); }, rose,
         m_user.filePath(QStringLiteral("Holiday"))},
        {"File > Open", Panel::Open, [this] { clickMenuItem(openMenu("menuFile"), "Open_action"); },
         design, m_user.filePath(QStringLiteral("Designs"))},
        {"Picture tool", Panel::Open, [this] { control<QToolButton>("Image_Tool")->click(); }, sky,
         m_user.filePath(QStringLiteral("Party/flowers"))},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        QStringList opened;
        QStringList saved;
        hooks::setOpenPanel([&](const hooks::OpenPanelRequest& request) {
            opened << request.directory;
            return QStringList{step.answer};
        });
        hooks::setSavePanel([&](const hooks::SavePanelRequest& request) {
            saved << request.directory;
            return hooks::SavePanelAnswer(step.answer);
        });
        step.reach();
        hooks::setOpenPanel({});
        hooks::setSavePanel({});
        const QStringList& asked = step.panel == Panel::Open ? opened : saved;
        EXPECT_EQ(opened.size() + saved.size(), 1);
        EXPECT_EQ(asked.join(QLatin1Char('\n')).toStdString(), step.startsIn.toStdString());
    }
    // The design was saved with its one picture and opened again, then a
    // picture was added to it.
    EXPECT_EQ(Project_File_Name, design);
    EXPECT_TRUE(QFileInfo(design).isFile());
    EXPECT_EQ(m_document->graphics().size(), 2);
}

} // namespace
