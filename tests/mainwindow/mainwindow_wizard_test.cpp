// The invitation wizard at start-up: its steps, checks and messages, the
// typing limits, the details, Open design and Exit, and the first design it
// lays out on the front side.

#include "mainwindow_controller_fixture.h"

#include "editor/model/SKTGraphic.h"
#include "editor/model/SKTText.h"
#include "mainwindow/controller/WindowEntries.h"
#include "platform/CardUnits.h"
#include "ui_Invitation_Wizard.h"
#include "widgets/ImageBrowser.h"
#include "widgets/ImageBrowserModel.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QFile>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>
#include <QUrl>
#include <algorithm>
#include <cmath>

namespace {

// The alert texts without the leading line break every message carries.
QStringList shownTexts(const testsupport::ScriptedAlerts& alerts) {
    QStringList texts;
    for (const QString& text : alerts.texts()) {
        texts << text.trimmed();
    }
    return texts;
}

class WizardTest : public ControllerFixture {
protected:
    inline static const QDateTime kNow{QDate(2026, 12, 31), QTime(23, 30)};

    void SetUp() override {
        ControllerFixture::SetUp();
        for (auto* text : {&Invite_Title, &Invite_Message, &Invite_From, &Invite_To, &Invite_Venue,
                           &Invite_Date, &Invite_Time, &Invite_BG_IMG}) {
            text->clear();
        }
        Start_Card_Option = QStringLiteral("T");
        // The pickers start at this "now" (the last half hour of a year),
        // whatever the machine's clock says.
        Invitation_Wizard::setClock([] { return kNow; });
    }
    void TearDown() override {
        ControllerFixture::TearDown();
        Invitation_Wizard::setClock({});
        window_entries::openLogFile.set({});
        QLocale::setDefault(QLocale::system());
    }

    QString background(const QString& name, QColor colour = Qt::red) {
        QDir().mkpath(QDir(m_resources).filePath(QStringLiteral("Background")));
        const QString path = QDir(m_resources).filePath(QStringLiteral("Background/") + name);
        QImage image(40, 40, QImage::Format_RGB32);
        image.fill(colour);
        image.save(path);
        return path;
    }

    void textFile(const QString& name, const QByteArray& content) {
        QFile file(QDir(m_resources).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    // Runs start-up with `script` as the wizard's user.
    void startWith(std::function<int(Invitation_Wizard&)> script) {
        m_startScript = std::move(script);
        start();
    }

    // Through the pages to the details with the prepared title and message.
    static void toDetails(Invitation_Wizard& wizard) {
        wizard.Using_Wizard_Click();
        wizard.OK_Click();
        wizard.OK_Click();
        wizard.OK_Click();
    }

    // Finishing: the result the wizard ended with.
    static int finish(Invitation_Wizard& wizard) {
        wizard.OK_Click();
        return wizard.result();
    }

    // The front objects as (id, text, bounds), oldest first (a new object
    // goes in front of the list).
    struct Placed {
        QString id;
        QString text;
        QRectF bounds;
    };
    std::vector<Placed> placed() const {
        std::vector<Placed> out;
        for (const auto& graphic : m_document->graphics()) {
            out.push_back({graphic->control_ID, graphic->Text_Value, graphic->bounds()});
        }
        std::reverse(out.begin(), out.end());
        return out;
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

TEST_F(WizardTest, AllDetailsAreLaidOutInOrderWithTheBackground) {
    const QString first = background(QStringLiteral("a.png"));
    background(QStringLiteral("b.jpg"));
    textFile(QStringLiteral("Title.txt"), "Birthday Party\nWedding\n");
    textFile(QStringLiteral("Message.txt"), "Please come\n");
    startWith([&](Invitation_Wizard& wizard) {
        toDetails(wizard);
        EXPECT_EQ(wizard.next_counter(), 4);
        Ui::Invitation_Wizard& ui = wizard.ui();
        ui.to_value->setText(QStringLiteral("Ann"));
        ui.from_value->setText(QStringLiteral("Bob"));
        ui.venue_value->setText(QStringLiteral("  Town Hall "));
        ui.Date_picker->setSelectedDate(QDate(2027, 3, 4));
        wizard.datePickerAction();
        ui.Time_picker->setTime(QTime(19, 30));
        wizard.timePickerAction();
        return finish(wizard);
    });
    EXPECT_FALSE(m_exitCode.has_value());
    const auto objects = placed();
    ASSERT_EQ(objects.size(), 6u);
    const QString date = QLocale().toString(QDate(2027, 3, 4), QLocale::LongFormat);
    const QString time = QLocale().toString(QTime(19, 30), QStringLiteral("h:mm AP"));
    const std::vector<std::tuple<QString, QString, double, double, double>> expected = {
        {"PARTY_TITLE", "Birthday Party", 20, 40, 20},
        {"PARTY_TO", "Dear Ann,", 30, 70, 20},
        {"PARTY_MSG", "Please come", 20, 100, 60},
        {"PARTY_DATE", date + " at " + time, 20, 170, 20},
        {"PARTY_VENUE", "Venue:\nTown Hall", 20, 200, 60},
        {"PARTY_FROM", "From:\nBob", 20, 270, 40},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& [id, text, x, y, height] = expected[i];
        EXPECT_EQ(objects[i].id, id);
        EXPECT_EQ(objects[i].text, text) << id.toStdString();
        EXPECT_EQ(objects[i].bounds.x(), x) << id.toStdString();
        EXPECT_EQ(objects[i].bounds.y(), y) << id.toStdString();
        EXPECT_NEAR(objects[i].bounds.width(), 300.157470703125, 1e-6) << id.toStdString();
        EXPECT_EQ(objects[i].bounds.height(), height) << id.toStdString();
    }
    EXPECT_EQ(m_controller->Front_card_Prop.Card_BG_Image_Path(), first);
    EXPECT_EQ(Invite_Venue, QStringLiteral("Town Hall"));
}

TEST_F(WizardTest, EveryTextOfTheFirstDesignIsWholeOnTheCard) {
    background(QStringLiteral("a.png"));
    // Typed over the entry a field shows, as a user replaces it.
    const auto type = [](QLineEdit* field, const QString& text) {
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, text);
    };
    // The column's x, top and height on a card that holds it.
    const double xs[] = {20, 30, 20, 20, 20, 20};
    const double tops[] = {40, 70, 100, 170, 200, 270};
    const double heights[] = {20, 20, 60, 20, 60, 40};
    const struct {
        const char* width;
        const char* height;
        QSizeF points;
        bool whole; // false: a card too small even for the smallest texts
    } cards[] = {{"150", "200", {425.2, 566.9}, true},
                 {"90", "55", {255.1, 155.9}, true},
                 {"50", "30", {141.7, 85.0}, true},
                 {"30", "12", {85.0, 34.0}, false}};
    for (const auto& c : cards) {
        const std::string name = std::string(c.width) + "x" + c.height;
        SCOPED_TRACE(name);
        startWith([&](Invitation_Wizard& wizard) {
            Ui::Invitation_Wizard& ui = wizard.ui();
            wizard.show();
            QTest::mouseClick(ui.Using_Wizard_btn, Qt::LeftButton);
            type(ui.width_Text, QString::fromLatin1(c.width));
            type(ui.height_Text, QString::fromLatin1(c.height));
            QTest::mouseClick(ui.Next_btn, Qt::LeftButton);
            QTest::mouseClick(ui.Next_btn, Qt::LeftButton); // the first picture
            type(ui.msg_title, QStringLiteral("Emma's Birthday Party"));
            type(ui.msg_value, QStringLiteral("Please join us for an evening of good food, fun "
                                              "and friends. Your company would make the day "
                                              "complete."));
            QTest::mouseClick(ui.Next_btn, Qt::LeftButton);
            EXPECT_EQ(wizard.next_counter(), 4);
            type(ui.to_value, QStringLiteral("Ann Smith"));
            type(ui.from_value, QStringLiteral("Robert and Mary Johnson"));
            type(ui.venue_value, QStringLiteral("The Old Town Hall, 12 Market Street"));
            // The next day (into the next year), and an hour earlier (the
            // hour cannot step up from 23).
            auto* days = ui.Date_picker->findChild<QAbstractItemView*>();
            days->setFocus();
            QTest::keyClick(days, Qt::Key_Right);
            ui.Time_picker->setFocus();
            QTest::keyClick(ui.Time_picker, Qt::Key_Down);
            QTest::mouseClick(ui.Next_btn, Qt::LeftButton);
            wizard.hide();
            return wizard.result();
        });
        ASSERT_TRUE(m_controller);
        screenshot(*m_controller->window(), QString::fromStdString("wizard-card-" + name + ".png"));
        const QSizeF card = m_controller->Front_card_Prop.Card_Size();
        EXPECT_NEAR(card.width(), c.points.width(), 0.1);
        EXPECT_NEAR(card.height(), c.points.height(), 0.1);
        std::vector<std::shared_ptr<SKTGraphic>> texts(m_document->graphics().begin(),
                                                       m_document->graphics().end());
        std::reverse(texts.begin(), texts.end());
        ASSERT_EQ(texts.size(), 6u);
        EXPECT_EQ(texts[3]->Text_Value,
                  QLocale().toString(QDate(2027, 1, 1), QLocale::LongFormat) +
                      QStringLiteral(" at ") +
                      QLocale().toString(QTime(22, 30), QStringLiteral("h:mm AP")));
        const bool holds = c.points.height() > 310;
        double previousBottom = 0;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            auto& text = dynamic_cast<SKTText&>(*texts[i]);
            SCOPED_TRACE(text.control_ID.toStdString());
            const QRectF frame = text.bounds();
            const double size = text.Text_Font_value().pointSizeF();
            if (holds) {
                EXPECT_EQ(frame.x(), xs[i]);
                EXPECT_EQ(frame.y(), tops[i]);
                EXPECT_EQ(frame.height(), heights[i]);
                EXPECT_NEAR(frame.width(), 385.197, 0.001);
                EXPECT_EQ(size, 14.0);
                continue;
            }
            // The fonts shrink with the steps, down to 6 points.
            EXPECT_GE(size, 6.0);
            EXPECT_LT(size, 14.0);
            if (size > 6.0) {
                EXPECT_NEAR(size / 14.0, texts[0]->bounds().y() / 40.0, 1e-6);
            }
            // On the card (an empty frame too, which QRectF::contains refuses).
            EXPECT_TRUE(frame.left() >= -1e-6 && frame.top() >= -1e-6 &&
                        frame.right() <= card.width() + 1e-6 &&
                        frame.bottom() <= card.height() + 1e-6 && frame.width() > 0)
                << frame.x() << " " << frame.y() << " " << frame.width() << " " << frame.height();
            EXPECT_GE(frame.y() + 1e-6, previousBottom);
            previousBottom = frame.bottom();
            const double line =
                QFontMetricsF(CardUnits::fontForLayout(text.Text_Font_value())).lineSpacing();
            if (c.whole) {
                EXPECT_GE(frame.height() + 1e-6, line * (text.Text_Value.count(u'\n') + 1));
                EXPECT_LE(text.naturalSize().height(), frame.height() + 1e-6);
            } else {
                // Only whole lines show (within the font's rounding of a
                // laid-out line), the first text's at least.
                EXPECT_EQ(size, 6.0);
                const double lines = std::round(frame.height() / line);
                EXPECT_NEAR(frame.height(), lines * line, 0.05 * line * lines);
                EXPECT_GE(lines, i == 0 ? 1.0 : 0.0);
            }
        }
        m_controller.reset();
        m_document.reset();
    }
}

TEST_F(WizardTest, SizeFieldsTakeOnlyACardSize) {
    const QString width = QStringLiteral("Please enter a card width from 1 to 5080 mm.");
    const QString height = QStringLiteral("Please enter a card height from 1 to 5080 mm.");
    const struct {
        const char* width;
        const char* height;
        QString message; // empty: the next page shows
    } cases[] = {
        {"abc", "120", width}, {"", "120", width},          {"0.5", "120", width},
        {"-3", "120", width},  {"5081", "120", width},      {"nan", "120", width},
        {"90", "12a", height}, {"90", "1e9", height},       {"90", "5080", QString()},
        {"1", "1", QString()}, {" 90.5 ", "55", QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.width) + " x " + c.height);
        QStringList shown;
        int step = -1;
        QString focused;
        startWith([&](Invitation_Wizard& wizard) {
            Ui::Invitation_Wizard& ui = wizard.ui();
            wizard.show();
            QTest::mouseClick(ui.Using_Wizard_btn, Qt::LeftButton);
            for (auto [field, text] :
                 {std::pair{ui.width_Text, c.width}, std::pair{ui.height_Text, c.height}}) {
                field->setFocus();
                field->selectAll();
                QTest::keyClick(field, Qt::Key_Delete);
                QTest::keyClicks(field, QString::fromLatin1(text));
            }
            const testsupport::ScriptedAlerts alerts;
            QTest::mouseClick(ui.Next_btn, Qt::LeftButton);
            shown = shownTexts(alerts);
            step = wizard.next_counter();
            focused = wizard.focusWidget() ? wizard.focusWidget()->objectName() : QString();
            wizard.hide();
            return openStartDesign(wizard);
        });
        if (c.message.isEmpty()) {
            EXPECT_TRUE(shown.isEmpty()) << shown.join(u'|').toStdString();
            EXPECT_EQ(step, 2);
        } else {
            EXPECT_EQ(shown, QStringList{c.message});
            EXPECT_EQ(step, 1);
            EXPECT_EQ(focused, c.message == width ? QStringLiteral("width_Text")
                                                  : QStringLiteral("height_Text"));
        }
        m_controller.reset();
        m_document.reset();
    }
}

TEST_F(WizardTest, ADayChosenByKeyboardCountsLikeAClick) {
    background(QStringLiteral("a.png"));
    textFile(QStringLiteral("Title.txt"), "Party");
    textFile(QStringLiteral("Message.txt"), "Come");
    startWith([&](Invitation_Wizard& wizard) {
        Ui::Invitation_Wizard& ui = wizard.ui();
        toDetails(wizard);
        EXPECT_EQ(wizard.next_counter(), 4);
        wizard.show();
        auto* days = ui.Date_picker->findChild<QAbstractItemView*>();
        EXPECT_NE(days, nullptr);
        for (Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Return}) {
            SCOPED_TRACE(key);
            wizard.Clear_Details();
            EXPECT_TRUE(wizard.selected_date().isEmpty());
            days->setFocus();
            QTest::keyClick(days, key);
            EXPECT_FALSE(wizard.selected_date().isEmpty());
            EXPECT_EQ(wizard.selected_date(),
                      QLocale().toString(ui.Date_picker->selectedDate(), QLocale::LongFormat));
            EXPECT_EQ(ui.Date_ctrl_value->text(), wizard.selected_date());
            EXPECT_TRUE(ui.clear_details_btn->isEnabled());
        }
        wizard.hide();
        return finish(wizard);
    });
    EXPECT_FALSE(Invite_Date.isEmpty());
}

TEST_F(WizardTest, ContactUsOpensANewMailToSupport) {
    std::vector<QUrl> opened;
    hooks::setUrlOpener([&](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    startWith([&](Invitation_Wizard& wizard) {
        wizard.show();
        EXPECT_TRUE(wizard.ui().Contact_us_btn->isVisible());
        QTest::mouseClick(wizard.ui().Contact_us_btn, Qt::LeftButton);
        wizard.hide();
        return openStartDesign(wizard);
    });
    hooks::setUrlOpener({});
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].scheme(), QStringLiteral("mailto"));
    EXPECT_TRUE(opened[0].path().startsWith(QStringLiteral("support@")))
        << opened[0].toString().toStdString();
}

TEST_F(WizardTest, OnlyATimeGivesOneAtLine) {
    background(QStringLiteral("a.png"));
    textFile(QStringLiteral("Title.txt"), "Party");
    textFile(QStringLiteral("Message.txt"), "Come");
    startWith([&](Invitation_Wizard& wizard) {
        toDetails(wizard);
        wizard.ui().Time_picker->setTime(QTime(9, 5));
        wizard.timePickerAction();
        return finish(wizard);
    });
    const auto objects = placed();
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[2].id, QStringLiteral("PARTY_TIME"));
    EXPECT_EQ(objects[2].text,
              QStringLiteral("AT ") + QLocale().toString(QTime(9, 5), QStringLiteral("h:mm AP")));
    // Title at 40, message at 70 (no greeting), then the time.
    EXPECT_EQ(objects[2].bounds.y(), 140);
}

TEST_F(WizardTest, ATimeTypedOverTheWholeTimeIsTheCardsTime) {
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    background(QStringLiteral("a.png"));
    textFile(QStringLiteral("Title.txt"), "Party");
    textFile(QStringLiteral("Message.txt"), "Come");
    const struct {
        QTime now; // the clock the pickers start from
        const char* typed;
        const char* line; // the card's time line
    } rows[] = {
        {QTime(2, 5), "7:30 PM", "AT 7:30 PM"},
        {QTime(2, 5), "19:30", "AT 7:30 PM"},
        {QTime(14, 40), "9:05 am", "AT 9:05 AM"},
        {QTime(14, 40), "0:45", "AT 12:45 AM"},
        // The very time shown, typed: still the card's time.
        {QTime(23, 30), "11:30 PM", "AT 11:30 PM"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        const QDateTime now(QDate(2026, 12, 31), row.now);
        Invitation_Wizard::setClock([now] { return now; });
        startWith([&](Invitation_Wizard& wizard) {
            wizard.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&wizard));
            toDetails(wizard);
            Ui::Invitation_Wizard& ui = wizard.ui();
            QTimeEdit* field = ui.Time_picker;
            EXPECT_EQ(field->time(), QTime(row.now.hour(), row.now.minute()));
            // Click into the field, select all of it, type the time, Tab.
            QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(6, field->height() / 2));
            QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(field, QString::fromLatin1(row.typed));
            QTest::keyClick(field, Qt::Key_Tab);
            EXPECT_FALSE(field->hasFocus());
            const QString shown = QString::fromLatin1(row.line).mid(3);
            EXPECT_EQ(field->text(), shown);
            EXPECT_EQ(ui.Time_ctrl_value->text(), shown);
            QTest::mouseClick(ui.Next_btn, Qt::LeftButton);
            wizard.hide();
            return wizard.result();
        });
        const auto objects = placed();
        ASSERT_EQ(objects.size(), 3u);
        EXPECT_EQ(objects[2].id, QStringLiteral("PARTY_TIME"));
        EXPECT_EQ(objects[2].text, QString::fromLatin1(row.line));
        m_controller.reset();
        m_document.reset();
    }
}

TEST_F(WizardTest, WithoutDetailsOnlyTitleGreetingAndMessageArePlaced) {
    background(QStringLiteral("a.png"));
    textFile(QStringLiteral("Title.txt"), "Party");
    textFile(QStringLiteral("Message.txt"), "Come");
    startWith([&](Invitation_Wizard& wizard) {
        toDetails(wizard);
        wizard.ui().to_value->setText(QStringLiteral("Ann"));
        return finish(wizard);
    });
    const auto objects = placed();
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[0].bounds.y(), 40);
    EXPECT_EQ(objects[1].bounds.y(), 70);
    EXPECT_EQ(objects[2].bounds.y(), 100);
}

TEST_F(WizardTest, ABlankTitlePassesButPlacesNoTitle) {
    background(QStringLiteral("a.png"));
    textFile(QStringLiteral("Message.txt"), "Come");
    startWith([&](Invitation_Wizard& wizard) {
        wizard.Using_Wizard_Click();
        wizard.OK_Click();
        wizard.OK_Click();
        wizard.ui().msg_title->setText(QStringLiteral("   "));
        wizard.OK_Click();
        EXPECT_EQ(wizard.next_counter(), 4);
        wizard.ui().to_value->setText(QStringLiteral("Ann"));
        return finish(wizard);
    });
    const auto objects = placed();
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0].id, QStringLiteral("PARTY_TO"));
    EXPECT_EQ(objects[0].bounds.y(), 40);
}

TEST_F(WizardTest, EachStepChecksItsInputWithItsMessage) {
    textFile(QStringLiteral("Title.txt"), "");
    startWith([&](Invitation_Wizard& wizard) {
        wizard.Using_Wizard_Click();
        EXPECT_EQ(wizard.next_counter(), 1);
        EXPECT_EQ(wizard.ui().width_Text->text(), QStringLiteral("120"));
        wizard.OK_Click();
        wizard.OK_Click(); // no "Background" folder: nothing to choose
        EXPECT_EQ(wizard.next_counter(), 2);
        background(QStringLiteral("a.png"));
        wizard.addImageWithPath(QDir(m_resources).filePath(QStringLiteral("Background/a.png")),
                                QStringLiteral("a.png"), QStringLiteral("a.png"));
        wizard.ui().imageBrowser->selectionModel()->select(
            wizard.ui().imageBrowser->browserModel()->index(0, 0),
            QItemSelectionModel::ClearAndSelect);
        EXPECT_EQ(wizard.next_counter(), 3); // a click moves on
        wizard.OK_Click();
        EXPECT_EQ(wizard.next_counter(), 3);
        wizard.ui().msg_title->setText(QStringLiteral("Party"));
        wizard.OK_Click();
        EXPECT_EQ(wizard.next_counter(), 3);
        wizard.ui().msg_value->setText(QStringLiteral("Come"));
        wizard.OK_Click();
        EXPECT_EQ(wizard.next_counter(), 4);
        return finish(wizard);
    });
    EXPECT_EQ(shownTexts(m_alerts), QStringList({QStringLiteral("Please select background."),
                                                 QStringLiteral("Please select title."),
                                                 QStringLiteral("Please select message.")}));
}

TEST_F(WizardTest, BackFromTheSizePageEndsAtTheStartBox) {
    startWith([&](Invitation_Wizard& wizard) {
        wizard.Using_Wizard_Click();
        wizard.Back_Click();
        EXPECT_EQ(wizard.next_counter(), 0);
        EXPECT_FALSE(wizard.ui().Start_card_box->isHidden());
        EXPECT_TRUE(wizard.ui().button_box->isHidden());
        // Next from the start box still works.
        wizard.Using_Wizard_Click();
        EXPECT_EQ(wizard.next_counter(), 1);
        EXPECT_FALSE(wizard.ui().first_box->isHidden());
        wizard.OK_Click();
        wizard.CancelClick();
        EXPECT_EQ(wizard.next_counter(), 0);
        EXPECT_FALSE(wizard.ui().Start_card_box->isHidden());
        return openStartDesign(wizard);
    });
}

TEST_F(WizardTest, ExitEndsTheProcessWithStatusZero) {
    startWith([&](Invitation_Wizard& wizard) {
        wizard.ui().Exit_btn->click();
        return wizard.result();
    });
    ASSERT_TRUE(m_exitCode.has_value());
    EXPECT_EQ(*m_exitCode, 0);
    EXPECT_EQ(Start_Card_Option, QString());
}

TEST_F(WizardTest, EscapeAndCloseLeaveTheWizardOpen) {
    startWith([&](Invitation_Wizard& wizard) {
        wizard.setResult(7);
        wizard.reject();
        QCloseEvent close;
        QCoreApplication::sendEvent(&wizard, &close);
        EXPECT_FALSE(close.isAccepted());
        EXPECT_EQ(wizard.result(), 7);
        return openStartDesign(wizard);
    });
    EXPECT_FALSE(m_exitCode.has_value());
}

TEST_F(WizardTest, AnyOtherResultEndsTheProcess) {
    startWith([](Invitation_Wizard&) { return 0; });
    ASSERT_TRUE(m_exitCode.has_value());
    EXPECT_EQ(*m_exitCode, 0);
}

TEST_F(WizardTest, TitleAndMessageListsWrap) {
    textFile(QStringLiteral("Title.txt"), "  One\nTwo\nThree  \n");
    textFile(QStringLiteral("Message.txt"), "M1\nM2");
    startWith([&](Invitation_Wizard& wizard) {
        Ui::Invitation_Wizard& ui = wizard.ui();
        EXPECT_EQ(ui.msg_title->text(), QStringLiteral("One"));
        wizard.Title_Back_Click();
        EXPECT_EQ(ui.msg_title->text(), QStringLiteral("Three"));
        wizard.Title_Next_Click();
        EXPECT_EQ(ui.msg_title->text(), QStringLiteral("One"));
        wizard.Msg_Next_Click();
        wizard.Msg_Next_Click();
        EXPECT_EQ(ui.msg_value->text(), QStringLiteral("M1"));
        wizard.Msg_Back_Click();
        EXPECT_EQ(ui.msg_value->text(), QStringLiteral("M2"));
        return openStartDesign(wizard);
    });
}

TEST_F(WizardTest, TypingLimitsKeepWholeCharacters) {
    startWith([&](Invitation_Wizard& wizard) {
        Ui::Invitation_Wizard& ui = wizard.ui();
        toDetails(wizard);
        const QString typed(45, QLatin1Char('s'));
        QTest::keyClicks(ui.from_value, typed);
        EXPECT_EQ(ui.from_value->text(), QString(40, QLatin1Char('s')));
        EXPECT_TRUE(ui.clear_details_btn->isEnabled());
        // An emoji whose second half would be unit 41 goes whole.
        const QString emoji = QString::fromUtf8("\xF0\x9F\x8E\x89");
        ui.to_value->setText(QString(39, QLatin1Char('t')));
        ui.to_value->setCursorPosition(39);
        // Typed as one key press carrying the character.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, emoji);
        QCoreApplication::sendEvent(ui.to_value, &press);
        EXPECT_EQ(ui.to_value->text(), QString(39, QLatin1Char('t')));
        return openStartDesign(wizard);
    });
    const std::vector<std::tuple<int, QString, QString>> cases = {
        {3, QStringLiteral("abcd"), QStringLiteral("abc")},
        {3, QStringLiteral("ab") + QString::fromUtf8("\xF0\x9F\x98\x80"), QStringLiteral("ab")},
        {4, QStringLiteral("ab") + QString::fromUtf8("\xF0\x9F\x98\x80") + "c",
         QStringLiteral("ab") + QString::fromUtf8("\xF0\x9F\x98\x80")},
        {5, QStringLiteral("abc"), QStringLiteral("abc")},
    };
    for (const auto& [limit, text, expected] : cases) {
        EXPECT_EQ(Invitation_Wizard::limitedText(text, limit), expected) << text.toStdString();
    }
}

TEST_F(WizardTest, ClearingTheDetailsLeavesNoDateOrTime) {
    background(QStringLiteral("a.png"));
    textFile(QStringLiteral("Title.txt"), "Party");
    textFile(QStringLiteral("Message.txt"), "Come");
    const testsupport::ScriptedAlerts alerts({0, 1});
    startWith([&](Invitation_Wizard& wizard) {
        toDetails(wizard);
        Ui::Invitation_Wizard& ui = wizard.ui();
        EXPECT_FALSE(ui.clear_details_btn->isEnabled());
        wizard.ui().Date_picker->setSelectedDate(QDate(2027, 1, 2));
        wizard.datePickerAction();
        wizard.timePickerAction();
        ui.venue_value->setText(QStringLiteral("Hall"));
        wizard.Clear_Details_Click(); // No
        EXPECT_FALSE(wizard.selected_date().isEmpty());
        wizard.Clear_Details_Click(); // Yes
        EXPECT_TRUE(wizard.selected_date().isEmpty());
        EXPECT_TRUE(wizard.selected_time().isEmpty());
        EXPECT_TRUE(ui.Date_ctrl_value->text().isEmpty());
        EXPECT_TRUE(ui.venue_value->text().isEmpty());
        return finish(wizard);
    });
    EXPECT_EQ(shownTexts(alerts).value(0),
              QStringLiteral("Are you sure you want to clear details?"));
    EXPECT_TRUE(Invite_Date.isEmpty());
    EXPECT_TRUE(Invite_Time.isEmpty());
    EXPECT_EQ(placed().size(), 2u);
}

TEST_F(WizardTest, OpenDesignAsksTheDesignReader) {
    startWith([&](Invitation_Wizard& wizard) {
        EXPECT_FALSE(wizard.ui().Open_Log_btn->isEnabled());
        return openStartDesign(wizard);
    });
    std::deque<int> answers = {0, 1};
    int calls = 0;
    window_entries::openLogFile.set([&] {
        ++calls;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    });
    int resultAfterRefusal = -1;
    m_startScript = [&](Invitation_Wizard& wizard) {
        EXPECT_TRUE(wizard.ui().Open_Log_btn->isEnabled());
        wizard.setResult(-1);
        wizard.Open_Log_Click();
        resultAfterRefusal = wizard.result();
        EXPECT_EQ(wizard.next_counter(), 0);
        wizard.Open_Log_Click();
        return wizard.result();
    };
    m_controller.reset();
    m_document.reset();
    start();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(resultAfterRefusal, -1);
    EXPECT_EQ(Start_Card_Option, QStringLiteral("L"));
    EXPECT_FALSE(m_exitCode.has_value());
    EXPECT_TRUE(placed().empty());
}

TEST_F(WizardTest, BackToTheSizePageAndOnSelectsTheFirstPictureAgain) {
    const QString first = background(QStringLiteral("a.png"));
    const QString second = background(QStringLiteral("b.png"), Qt::blue);
    startWith([&](Invitation_Wizard& wizard) {
        wizard.Using_Wizard_Click();
        wizard.OK_Click();
        EXPECT_EQ(wizard.next_counter(), 2); // the automatic choice stays
        EXPECT_EQ(wizard.selected_image(), first);
        wizard.ui().imageBrowser->selectionModel()->select(
            wizard.ui().imageBrowser->browserModel()->index(1, 0),
            QItemSelectionModel::ClearAndSelect);
        EXPECT_EQ(wizard.selected_image(), second);
        EXPECT_EQ(wizard.next_counter(), 3);
        wizard.Back_Click();
        wizard.Back_Click();
        EXPECT_EQ(wizard.next_counter(), 1);
        wizard.OK_Click();
        EXPECT_EQ(wizard.selected_image(), first);
        return openStartDesign(wizard);
    });
}

TEST_F(WizardTest, TheTimeShowsAmOrPmInEnglish) {
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    startWith([&](Invitation_Wizard& wizard) {
        for (const QTime& time : {QTime(9, 5), QTime(21, 40)}) {
            wizard.ui().Time_picker->setTime(time);
            wizard.timePickerAction();
            EXPECT_EQ(wizard.selected_time(),
                      time.hour() < 12 ? QStringLiteral("9:05 AM") : QStringLiteral("9:40 PM"));
        }
        return openStartDesign(wizard);
    });
}

TEST_F(WizardTest, ScreenshotsOfEachPage) {
    background(QStringLiteral("a.png"));
    background(QStringLiteral("b.png"), Qt::green);
    textFile(QStringLiteral("Title.txt"), "Party");
    textFile(QStringLiteral("Message.txt"), "Come");
    startWith([&](Invitation_Wizard& wizard) {
        const QStringList names = {"wizard-start.png", "wizard-size.png", "wizard-background.png",
                                   "wizard-texts.png", "wizard-details.png"};
        screenshot(wizard, names[0]);
        wizard.Using_Wizard_Click();
        for (int step = 1; step <= 4; ++step) {
            EXPECT_EQ(wizard.next_counter(), step);
            screenshot(wizard, names[step]);
            if (step < 4) {
                wizard.OK_Click();
            }
        }
        wizard.hide();
        return finish(wizard);
    });
    EXPECT_EQ(placed().size(), 2u);
}

} // namespace
