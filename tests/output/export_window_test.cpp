// The export command offscreen: the export window's resets and handlers,
// the save panel limited to the chosen format, and the files written; plus
// the progress sheet.
#include "OutputWindowsSupport.h"
#include "common/TestSupport.h"
#include "core/globals.h"
#include "editor/render/CardRenderInputs.h"
#include "output/ExportWindow.h"
#include "output/OutputCommands.h"
#include "output/Send_Modeless.h"
#include "output/core/CardExport.h"
#include "widgets/GuiHooks.h"
#include "widgets/RadioMatrix.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The alerts' texts without the line break the message functions put first.
QStringList shownTexts(const testsupport::ScriptedAlerts& alerts) {
    QStringList texts;
    for (const QString& text : alerts.texts()) {
        texts << text.trimmed();
    }
    return texts;
}

// Clicks a button where its indicator is (a wide check box does not take
// clicks in its empty middle).
void clickButton(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

template <typename T> T* child(QWidget& parent, const char* name) {
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

TEST(ExportWindow, ListsAndHandlers) {
    OutputWindowsEnvironment env;
    ExportWindow window;
    // The radio matrices wire their cells once the event loop has run.
    window.show();
    QCoreApplication::processEvents();
    window.resetForExport();
    QStringList formats;
    auto* popup = child<QComboBox>(window, "fileFormatPopup");
    for (int i = 0; i < popup->count(); ++i) {
        formats << popup->itemText(i);
    }
    EXPECT_EQ(formats, (QStringList{QStringLiteral("png"), QStringLiteral("jpg"),
                                    QStringLiteral("bmp"), QStringLiteral("TIFF")}));
    QStringList dpis;
    auto* dpi = child<QComboBox>(window, "saveDPIText");
    for (int i = 0; i < dpi->count(); ++i) {
        dpis << dpi->itemText(i);
    }
    EXPECT_EQ(dpis, (QStringList{QStringLiteral("72"), QStringLiteral("150"), QStringLiteral("300"),
                                 QStringLiteral("600")}));
    EXPECT_EQ(export_card_side, QStringLiteral("F"));
    auto* combined = child<QCheckBox>(window, "export_combined_image_chk");
    EXPECT_FALSE(combined->isEnabled());
    // The file-type matrix chooses the pop-up's item.
    clickButton(child<RadioMatrix>(window, "matrix_file_type")->cells().at(3));
    EXPECT_EQ(window.chosenFormat(), QStringLiteral("TIFF"));
    // Sides: row 0 both (combined box on), row 2 back (off).
    auto* sides = child<RadioMatrix>(window, "matrix_export_card_side");
    clickButton(sides->cells().at(0));
    EXPECT_EQ(export_card_side, QStringLiteral("BOTH"));
    EXPECT_TRUE(combined->isEnabled());
    clickButton(sides->cells().at(2));
    EXPECT_EQ(export_card_side, QStringLiteral("B"));
    EXPECT_FALSE(combined->isEnabled());
    saveScreenshot(window, QStringLiteral("export_window"));
}

TEST(ExportCommand, WritesTheCombinedPictureAtTheChosenResolution) {
    OutputWindowsEnvironment env;
    ExportWindow::defaultInstance();
    QCoreApplication::processEvents();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("card.png"));
    QStringList allowed;
    hooks::setSavePanel([&](const hooks::SavePanelRequest& request) {
        allowed = request.allowedTypes;
        return path;
    });
    env.setRunner([](QDialog& running) {
        auto* window = dynamic_cast<ExportWindow*>(&running);
        if (!window) {
            return 0;
        }
        window->show();
        clickButton(child<RadioMatrix>(*window, "matrix_export_card_side")->cells().at(0));
        clickButton(child<QCheckBox>(*window, "export_combined_image_chk"));
        child<QComboBox>(*window, "saveDPIText")->setCurrentIndex(2);
        clickButton(child<QPushButton>(*window, "exportOkayButton"));
        return window->result();
    });
    output::Export_Button();
    EXPECT_EQ(allowed, QStringList{QStringLiteral("png")});
    const QImage image(path);
    ASSERT_FALSE(image.isNull());
    // 85.6 x 54 mm at 300 dpi: int(242.646 x 300 / 72) by int(306.142 x 300 / 72).
    EXPECT_EQ(image.size(), QSize(1011, 1275));
    EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, 300, 0.5);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("card_Back.png"))));
    EXPECT_EQ(env.host.fileBoxes, 1);
    EXPECT_EQ(Export_File_Path, path);
}

// A card that draws nothing (no card size yet): each side chosen says which
// files were not written, and nothing is written or offered to open.
TEST(ExportCommand, ASideThatDrawsNothingIsSaidAndNothingIsWritten) {
    struct Case {
        int sideRow; // 0 both, 1 front, 2 back
        QStringList names;
        QString lead;
    };
    const Case cases[] = {
        {1,
         {"card.png"},
         QStringLiteral("The card gave no picture, so this file was not written:")},
        {2,
         {"card_Back.png"},
         QStringLiteral("The card gave no picture, so this file was not written:")},
        {0,
         {"card_Back.png", "card.png"},
         QStringLiteral("The card gave no pictures, so these files were not written:")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sideRow);
        OutputWindowsEnvironment env;
        CardRenderInputs::setFrontCanvasSize(QSizeF());
        ExportWindow::defaultInstance();
        QCoreApplication::processEvents();
        QTemporaryDir dir;
        hooks::setSavePanel([&](const hooks::SavePanelRequest&) {
            return dir.filePath(QStringLiteral("card.png"));
        });
        env.setRunner([&c](QDialog& running) {
            auto* window = dynamic_cast<ExportWindow*>(&running);
            if (!window) {
                return 0;
            }
            window->show();
            clickButton(
                child<RadioMatrix>(*window, "matrix_export_card_side")->cells().at(c.sideRow));
            clickButton(child<QPushButton>(*window, "exportOkayButton"));
            return window->result();
        });
        testsupport::ScriptedAlerts alerts;
        output::Export_Button();
        QStringList paths;
        for (const QString& name : c.names) {
            paths << dir.filePath(name);
            EXPECT_FALSE(QFile::exists(dir.filePath(name))) << name.toStdString();
        }
        EXPECT_EQ(shownTexts(alerts),
                  QStringList{c.lead + QStringLiteral("\n") + paths.join(QLatin1Char('\n'))});
        EXPECT_EQ(env.host.fileBoxes, 0);
    }
}

TEST(ExportCommand, CancelWritesNothing) {
    OutputWindowsEnvironment env;
    int panels = 0;
    hooks::setSavePanel([&](const hooks::SavePanelRequest&) { return ++panels, QString(); });
    env.setRunner([](QDialog&) { return 0; });
    output::Export_Button();
    EXPECT_EQ(panels, 0);
    EXPECT_EQ(env.host.fileBoxes, 0);
}

TEST(ProgressSheet, TextsStopAndNoClosing) {
    // The parent outlives the sheet it takes as a child.
    QWidget parent;
    Send_Modeless sheet;
    sheet.prepare(10);
    EXPECT_EQ(sheet._tot_msg_cnt->text(), QStringLiteral("10"));
    EXPECT_EQ(sheet._curr_msg_cnt->text(), QStringLiteral("0 / 10 Card"));
    sheet.update_sending_progress_bar(3, 10);
    EXPECT_EQ(sheet._curr_msg_cnt->text(), QStringLiteral("3 / 10 "));
    EXPECT_EQ(sheet._Curr_Progress->value(), 3);

    parent.show();
    sheet.Show_One_By_One_Modeless(&parent);
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(sheet.windowModality(), Qt::WindowModal);
    QTest::keyClick(&sheet, Qt::Key_Escape);
    EXPECT_TRUE(sheet.isVisible());
    sheet.close();
    EXPECT_TRUE(sheet.isVisible());
    saveScreenshot(sheet, QStringLiteral("progress_sheet"));

    Stop_SMS_Sending_Now = 0;
    {
        testsupport::ScriptedAlerts alerts({0});
        clickButton(sheet._stop_btn);
        EXPECT_EQ(Stop_SMS_Sending_Now, 0);
        EXPECT_EQ(shownTexts(alerts),
                  QStringList{QStringLiteral("Are you sure you want to continue?")});
    }
    {
        testsupport::ScriptedAlerts alerts({1});
        clickButton(sheet._stop_btn);
        EXPECT_EQ(Stop_SMS_Sending_Now, 1);
    }
    Stop_SMS_Sending_Now = 0;
    sheet.Hide_One_By_One_Modeless();
    EXPECT_FALSE(sheet.isVisible());
    sheet.setParent(nullptr);
}

} // namespace
