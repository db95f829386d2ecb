// The small widgets of the inspector: stepper and field, float slider,
// colour well, radio matrix, picture browser with lazy thumbnails.

#include "widgets/CardStepper.h"
#include "widgets/ColorWell.h"
#include "widgets/FloatSlider.h"
#include "widgets/ImageBrowser.h"
#include "widgets/RadioMatrix.h"

#include <QCoreApplication>
#include <QDir>
#include <QDrag>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

TEST(CardStepperTest, CodeSetsSilentlyAndClampsToTheRange) {
    CardStepper stepper;
    QSignalSpy spy(&stepper, &CardStepper::stepped);
    stepper.setMinimum(0);
    stepper.setMaximum(100);
    stepper.setDoubleValue(150);
    EXPECT_EQ(stepper.doubleValue(), 100.0);
    stepper.setDoubleValue(-3);
    EXPECT_EQ(stepper.doubleValue(), 0.0);
    stepper.setDoubleValue(-2.7 + 10);
    EXPECT_EQ(stepper.intValue(), 7);
    EXPECT_EQ(spy.count(), 0);
}

TEST(CardStepperTest, UserStepsAndTypingReachTheFieldAndTheSignal) {
    QWidget host;
    auto* layout = new QVBoxLayout(&host);
    auto* stepper = new CardStepper;
    auto* field = new QLineEdit;
    layout->addWidget(stepper);
    layout->addWidget(field);
    stepper->setPairedField(field);
    stepper->setIncrement(2.5);
    stepper->setDoubleValue(10);
    QSignalSpy spy(stepper, &CardStepper::stepped);
    const auto buttons = stepper->findChildren<QToolButton*>();
    ASSERT_EQ(buttons.size(), 2);
    QToolButton* up = buttons[0]->arrowType() == Qt::UpArrow ? buttons[0] : buttons[1];
    QToolButton* down = up == buttons[0] ? buttons[1] : buttons[0];
    up->click();
    EXPECT_EQ(stepper->doubleValue(), 12.5);
    EXPECT_EQ(field->text(), QStringLiteral("12.5"));
    down->click();
    down->click();
    EXPECT_EQ(stepper->doubleValue(), 7.5);
    EXPECT_EQ(spy.count(), 3);

    // Typing a number and confirming it.
    host.show();
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("42"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(stepper->doubleValue(), 42.0);
    ASSERT_EQ(spy.count(), 4);
    EXPECT_EQ(spy.last().first().toDouble(), 42.0);
    // Not a number: the field shows the value again, nothing is emitted.
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("abc"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(stepper->doubleValue(), 42.0);
    EXPECT_EQ(field->text(), QStringLiteral("42"));
    EXPECT_EQ(spy.count(), 4);
    // Text set by code is not taken as typing.
    field->setText(QStringLiteral("99"));
    emit field->editingFinished();
    EXPECT_EQ(stepper->doubleValue(), 42.0);
    // The arrow keys step; "nan" reads as a number but is none.
    QTest::keyClick(stepper, Qt::Key_Up);
    EXPECT_EQ(stepper->doubleValue(), 44.5);
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("nan"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(stepper->doubleValue(), 44.5);
    EXPECT_EQ(field->text(), QStringLiteral("44.5"));
}

TEST(FloatSliderTest, KeepsHundredthsAndSetsSilently) {
    FloatSlider slider;
    slider.setFloatMinimum(-3.14);
    slider.setFloatMaximum(3.14);
    QSignalSpy user(&slider, &FloatSlider::userValueChanged);
    QSignalSpy plain(&slider, &QSlider::valueChanged);
    slider.setFloatValue(1.25);
    EXPECT_DOUBLE_EQ(slider.floatValue(), 1.25);
    slider.setFloatValue(10);
    EXPECT_DOUBLE_EQ(slider.floatValue(), 3.14);
    EXPECT_EQ(user.count(), 0);
    EXPECT_EQ(plain.count(), 0);
    // A user's step reports the new value.
    slider.triggerAction(QAbstractSlider::SliderPageStepSub);
    QCoreApplication::processEvents();
    ASSERT_EQ(user.count(), 1);
    EXPECT_DOUBLE_EQ(user.first().first().toDouble(), slider.floatValue());
    EXPECT_LT(slider.floatValue(), 3.14);
}

TEST(ColorWellTest, CodeSetsTheColourSilently) {
    ColorWell well;
    QSignalSpy spy(&well, &ColorWell::colorPicked);
    well.setColor(QColor(10, 20, 30, 40));
    EXPECT_EQ(well.color(), QColor(10, 20, 30, 40));
    EXPECT_EQ(spy.count(), 0);
}

TEST(RadioMatrixTest, RowsFollowTheLayoutOrder) {
    RadioMatrix matrix;
    auto* layout = new QVBoxLayout(&matrix);
    QList<QRadioButton*> buttons;
    for (int i = 0; i < 3; ++i) {
        buttons << new QRadioButton(QString::number(i));
        layout->addWidget(buttons.last());
    }
    QCoreApplication::processEvents(); // wiring of the cells
    QSignalSpy spy(&matrix, &RadioMatrix::rowChosen);
    matrix.selectCellAtRow(2);
    EXPECT_EQ(matrix.selectedRow(), 2);
    EXPECT_EQ(spy.count(), 0);
    matrix.selectCellAtRow(1);
    EXPECT_TRUE(buttons[1]->isChecked());
    EXPECT_FALSE(buttons[2]->isChecked());
    matrix.selectCellAtRow(5); // outside: none on
    EXPECT_EQ(matrix.selectedRow(), -1);
    matrix.selectCellAtRow(0, 1); // only one column
    EXPECT_EQ(matrix.selectedRow(), -1);
    buttons[0]->click();
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.first().first().toInt(), 0);
    buttons[0]->click(); // once per click, however often wired
    EXPECT_EQ(spy.count(), 2);
}

class ImageBrowserTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_temp.isValid());
        for (int i = 0; i < 12; ++i) {
            QImage picture(800 + i, 400, QImage::Format_RGB32);
            picture.fill(QColor(20 * i, 100, 200));
            const QString path = QDir(m_temp.path()).filePath(QStringLiteral("pic%1.png").arg(i));
            ASSERT_TRUE(picture.save(path));
            m_items.append(MyImageObject{path, QStringLiteral("pic%1").arg(i), QString::number(i)});
        }
    }

    QTemporaryDir m_temp;
    QList<MyImageObject> m_items;
};

TEST_F(ImageBrowserTest, ThumbnailsLoadOnlyWhenAskedFor) {
    ImageBrowserModel model;
    model.setThumbnailSize(100);
    model.setItems(m_items);
    EXPECT_EQ(model.rowCount(), 12);
    EXPECT_EQ(model.requestedThumbnailCount(), 0);
    EXPECT_EQ(model.index(3).data(Qt::DisplayRole).toString(), QStringLiteral("pic3"));
    EXPECT_EQ(model.index(3).data(Qt::UserRole).toString(), QStringLiteral("3"));
    EXPECT_EQ(model.requestedThumbnailCount(), 0);

    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    EXPECT_FALSE(model.index(0).data(Qt::DecorationRole).isValid()); // not there yet
    EXPECT_EQ(model.requestedThumbnailCount(), 1);
    model.waitForThumbnails();
    EXPECT_EQ(model.loadedThumbnailCount(), 1);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.first().first().value<QModelIndex>().row(), 0);
    const QPixmap thumbnail = model.index(0).data(Qt::DecorationRole).value<QPixmap>();
    EXPECT_EQ(thumbnail.width(), 100);
    EXPECT_EQ(thumbnail.height(), 50);
    EXPECT_EQ(model.requestedThumbnailCount(), 1);
}

TEST_F(ImageBrowserTest, ShownBrowserLoadsFewerThumbnailsThanItems) {
    ImageBrowser browser;
    browser.resize(300, 150);
    browser.setZoomValue(0.4);
    browser.setItems(m_items);
    browser.show();
    QCoreApplication::processEvents();
    browser.browserModel()->waitForThumbnails();
    EXPECT_GT(browser.browserModel()->requestedThumbnailCount(), 0);
    EXPECT_LT(browser.browserModel()->requestedThumbnailCount(), 12);
    EXPECT_EQ(browser.iconSize(), QSize(100, 100));
}

TEST(ImageBrowserModelTest, UnreadableFilesGiveNoThumbnail) {
    QTemporaryDir temp;
    const QString path = QDir(temp.path()).filePath(QStringLiteral("broken.png"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();
    EXPECT_TRUE(ImageBrowserModel::readThumbnail(path, 100).isNull());
    EXPECT_TRUE(ImageBrowserModel::readThumbnail(QStringLiteral("/no/such.png"), 100).isNull());
    // Small pictures are not enlarged.
    QImage small(20, 10, QImage::Format_RGB32);
    small.fill(Qt::red);
    const QString smallPath = QDir(temp.path()).filePath(QStringLiteral("small.png"));
    ASSERT_TRUE(small.save(smallPath));
    EXPECT_EQ(ImageBrowserModel::readThumbnail(smallPath, 100).size(), QSize(20, 10));
}

} // namespace

TEST_F(ImageBrowserTest, DeleteKeyRemovesTheSelectedItemsFromTheListOnly) {
    ImageBrowser browser;
    browser.setItems(m_items.mid(0, 5));
    QSignalSpy changed(&browser, &ImageBrowser::itemsChanged);
    browser.selectionModel()->select(browser.model()->index(1, 0), QItemSelectionModel::Select);
    browser.selectionModel()->select(browser.model()->index(3, 0), QItemSelectionModel::Select);
    QTest::keyClick(&browser, Qt::Key_Delete);
    QStringList titles;
    for (const MyImageObject& item : browser.browserModel()->items()) {
        titles << item.imageTitle();
    }
    EXPECT_EQ(titles, (QStringList{"pic0", "pic2", "pic4"}));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(QFileInfo::exists(m_items[1].imageRepresentation()));
    EXPECT_TRUE(QFileInfo::exists(m_items[3].imageRepresentation()));
    // Nothing selected: nothing goes.
    browser.selectionModel()->clearSelection();
    QTest::keyClick(&browser, Qt::Key_Delete);
    EXPECT_EQ(browser.browserModel()->rowCount(), 3);
}

TEST_F(ImageBrowserTest, ItemsCanBeDraggedWithinTheBrowser) {
    ImageBrowser browser;
    browser.setItems(m_items.mid(0, 2));
    const QModelIndex item = browser.model()->index(0, 0);
    EXPECT_TRUE(browser.model()->flags(item).testFlag(Qt::ItemIsDragEnabled));
    EXPECT_TRUE(browser.model()->flags(QModelIndex()).testFlag(Qt::ItemIsDropEnabled));
    EXPECT_TRUE(browser.dragEnabled());
    EXPECT_TRUE(browser.acceptDrops());
    EXPECT_EQ(browser.model()->supportedDropActions(), Qt::MoveAction);
}

TEST_F(ImageBrowserTest, AMouseDragStartsADragThatCarriesNothingAndKeepsTheItems) {
    ImageBrowser browser;
    browser.resize(600, 300);
    browser.setZoomValue(0.4);
    browser.setItems(m_items.mid(0, 3));
    browser.show();
    QCoreApplication::processEvents();
    const QPoint from = browser.visualRect(browser.model()->index(0, 0)).center();
    QWidget* viewport = browser.viewport();
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, from);
    ASSERT_EQ(browser.selectionIndexes(), QList<int>{0});
    // Moves with the button held, past the drag distance: the view starts a
    // real drag (no window takes it here, so it ends at once).
    for (int step = 1; step <= 4; ++step) {
        const QPoint to = from + QPoint(15 * step, 10 * step);
        QMouseEvent move(QEvent::MouseMove, to, viewport->mapToGlobal(to), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &move);
    }
    const auto* drag = browser.findChild<QDrag*>();
    ASSERT_NE(drag, nullptr) << "no drag was started";
    ASSERT_NE(drag->mimeData(), nullptr);
    EXPECT_TRUE(drag->mimeData()->formats().isEmpty());
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, from);
    QStringList titles;
    for (const MyImageObject& item : browser.browserModel()->items()) {
        titles << item.imageTitle();
    }
    EXPECT_EQ(titles, (QStringList{"pic0", "pic1", "pic2"}));
    for (const MyImageObject& item : m_items.mid(0, 3)) {
        EXPECT_TRUE(QFileInfo::exists(item.imageRepresentation()));
    }
}

TEST_F(ImageBrowserTest, DroppingTheSelectionMovesItBeforeTheItemUnderThePoint) {
    ImageBrowser browser;
    browser.resize(900, 300);
    browser.setZoomValue(0.4);
    browser.setItems(m_items.mid(0, 5));
    browser.show();
    QCoreApplication::processEvents();
    QSignalSpy changed(&browser, &ImageBrowser::itemsChanged);
    const auto order = [&browser] {
        QStringList titles;
        for (const MyImageObject& item : browser.browserModel()->items()) {
            titles << item.imageTitle().mid(3);
        }
        return titles;
    };
    const auto selectRows = [&browser](const QList<int>& rows) {
        browser.selectionModel()->clearSelection();
        for (int row : rows) {
            browser.selectionModel()->select(browser.model()->index(row, 0),
                                             QItemSelectionModel::Select);
        }
    };
    // Items 0 and 1 dropped on item 3: 2, 0, 1, 3, 4.
    selectRows({0, 1});
    EXPECT_TRUE(browser.dropSelectionAt(browser.visualRect(browser.model()->index(3, 0)).center()));
    EXPECT_EQ(order(), (QStringList{"2", "0", "1", "3", "4"}));
    EXPECT_EQ(changed.count(), 1);
    // Dropped where no item is: to the end.
    selectRows({0});
    const QRect last = browser.visualRect(browser.model()->index(4, 0));
    EXPECT_TRUE(browser.dropSelectionAt(QPoint(last.right() + 40, last.center().y())));
    EXPECT_EQ(order(), (QStringList{"0", "1", "3", "4", "2"}));
    // Nothing selected: nothing moves.
    browser.selectionModel()->clearSelection();
    EXPECT_FALSE(browser.dropSelectionAt(QPoint(1, 1)));
    EXPECT_EQ(changed.count(), 2);
}
