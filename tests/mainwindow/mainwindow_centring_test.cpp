// A card smaller than its view stays centred while the user works the
// window: every place the canvas takes on the way is centred (it never jumps
// to a corner first), and where the view settles at 100 % the card's origin
// is the centred one with half pixels rounded away from zero.

#include "mainwindow_controller_fixture.h"

#include "editor/view/SKTZoomingScrollView.h"
#include "mainwindow/controller/SideCanvases.h"
#include "mainwindow/controller/WindowEntries.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QMoveEvent>
#include <QtTest/QTest>
#include <cmath>

namespace {

namespace we = window_entries;

// Each place a canvas is moved to, with the sizes in force at that moment.
struct Place {
    QPoint at;
    QSize card;
    QSize visible;
};

class MoveRecorder : public QObject {
public:
    MoveRecorder(QWidget* canvas, QWidget* viewport) : m_viewport(viewport) {
        canvas->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Move) {
            auto* canvas = static_cast<QWidget*>(watched);
            places.append(
                {static_cast<QMoveEvent*>(event)->pos(), canvas->size(), m_viewport->size()});
        }
        return false;
    }
    QList<Place> places;

private:
    QWidget* m_viewport;
};

// How far a place is from the centre on an axis where the card is the
// smaller; 0 on an axis where it is not.
int offCentre(int at, int card, int visible) {
    if (card >= visible) {
        return 0;
    }
    return std::abs(2 * at - (visible - card)) / 2;
}

class CentringTest : public ControllerFixture {
protected:
    void TearDown() override {
        for (auto* slot : {&we::newDesign, &we::openDesign, &we::saveDesign}) {
            slot->set({});
        }
        hooks::setSavePanel({});
        hooks::setOpenPanel({});
        Project_File_Name.clear();
        ControllerFixture::TearDown();
    }

    void click(const char* button) {
        QTest::mouseClick(control<QAbstractButton>(button), Qt::LeftButton);
    }
};

TEST_F(CentringTest, TheCardIsCentredAtEveryPlaceItTakes) {
    Project_File_Name.clear();
    start();
    m_controller->Install_Design_File_Entries();
    const QString designPath = QDir(m_temp.path()).filePath(QStringLiteral("centred.dcard"));
    hooks::setSavePanel([&](const hooks::SavePanelRequest&) { return designPath; });
    hooks::setOpenPanel([&](const hooks::OpenPanelRequest&) { return QStringList{designPath}; });
    MainWindowFrame* window = m_controller->window();
    window->resize(1101, 801);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QLineEdit* field = control<QLineEdit>("width_Text");
    std::vector<std::unique_ptr<MoveRecorder>> recorders;
    for (int side = 0; side < 3; ++side) {
        recorders.push_back(std::make_unique<MoveRecorder>(m_controller->canvasOfSide(side),
                                                           scroll(side)->viewport()));
    }

    const struct {
        const char* name;
        std::function<void()> act;
        bool atFullSize;
    } steps[] = {
        {"shown", [] {}, true},
        {"narrower card",
         [&] {
             QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
             QTest::keyClicks(field, QStringLiteral("101"));
             QTest::keyClick(field, Qt::Key_Return);
         },
         true},
        {"saved", [&] { QTest::keySequence(window, QKeySequence::Save); }, true},
        {"larger window", [&] { window->resize(1302, 951); }, true},
        {"back", [&] { click("Back_Card_Btn"); }, true},
        {"layout", [&] { click("Temp_Card_Btn"); }, true},
        {"front", [&] { click("Front_Card_Btn"); }, true},
        {"50%", [&] { chooseZoom(Current_Card_Side(), QStringLiteral("50%")); }, false},
        {"back at 50%", [&] { click("Back_Card_Btn"); }, false},
        {"150%", [&] { chooseZoom(Current_Card_Side(), QStringLiteral("150%")); }, false},
        {"smaller window", [&] { window->resize(1151, 823); }, false},
        {"rulers", [&] { click("Show_Hide_Ruler_ChkBox"); }, false},
        {"100%", [&] { chooseZoom(Current_Card_Side(), QStringLiteral("100%")); }, true},
        {"rulers off", [&] { click("Show_Hide_Ruler_ChkBox"); }, true},
        {"new design", [&] { QTest::keySequence(window, QKeySequence::New); }, true},
        {"opened", [&] { QTest::keySequence(window, QKeySequence::Open); }, true},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        for (auto& recorder : recorders) {
            recorder->places.clear();
        }
        step.act();
        QCoreApplication::processEvents();
        const int side = Current_Card_Side();
        QWidget* canvas = m_controller->canvasOfSide(side);
        const QSize visible = scroll(side)->viewport()->size();
        ASSERT_LT(canvas->width(), visible.width());
        ASSERT_LT(canvas->height(), visible.height());
        // On the way: never more than the rounding away from the centre.
        for (const auto& recorder : recorders) {
            for (const Place& place : recorder->places) {
                EXPECT_LE(offCentre(place.at.x(), place.card.width(), place.visible.width()), 1)
                    << place.at.x() << " for " << place.card.width() << " in "
                    << place.visible.width();
                EXPECT_LE(offCentre(place.at.y(), place.card.height(), place.visible.height()), 1)
                    << place.at.y() << " for " << place.card.height() << " in "
                    << place.visible.height();
            }
        }
        // Settled at 100 %: the spare pixels split with the odd one on the
        // left and top.
        if (step.atFullSize) {
            EXPECT_EQ(canvas->x(), (visible.width() - canvas->width() + 1) / 2)
                << canvas->width() << " in " << visible.width();
            EXPECT_EQ(canvas->y(), (visible.height() - canvas->height() + 1) / 2)
                << canvas->height() << " in " << visible.height();
        }
    }
    // The narrower card was saved and opened again.
    EXPECT_NEAR(m_controller->canvasSize().width(), 101 * 72 / 25.4, 0.5);
}

} // namespace
