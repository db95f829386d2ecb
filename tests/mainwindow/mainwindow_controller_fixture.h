#pragma once
// A main window controller over a fresh document, with its resource folder in
// a temporary directory (hatch patterns and background pictures made here),
// scripted alerts and a terminator that records instead of leaving.

#include "../common/TestSupport.h"
#include "core/globals.h"
#include "dataseries/ImportedTable.h"
#include "editor/canvas/SKTGraphicView.h"
#include "editor/model/SKTDocument.h"
#include "editor/model/SKTGraphic.h"
#include "editor/model/SKTImage.h"
#include "editor/view/SKTZoomingScrollView.h"
#include "mainwindow/controller/DesignFile.h"
#include "mainwindow/controller/Invitation_Wizard.h"
#include "mainwindow/controller/MainWindowFrame.h"
#include "mainwindow/controller/SKTWindowController.h"
#include "mainwindow/controller/SideCanvases.h"
#include "mainwindow/controller/WindowEntries.h"
#include "mainwindow/controller/WizardGlobals.h"
#include "platform/Hooks.h"
#include "widgets/GuiHooks.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

class ControllerFixture : public ::testing::Test {
protected:
    // Hatch pattern names the fixture's resource folder holds, in listing
    // order.
    static QStringList hatchNames() {
        return {QStringLiteral("cross"), QStringLiteral("diagonal"), QStringLiteral("vertical")};
    }

    void SetUp() override {
        ASSERT_TRUE(m_temp.isValid());
        m_resources = QDir(m_temp.path()).filePath(QStringLiteral("resources"));
        QDir().mkpath(QDir(m_resources).filePath(QStringLiteral("Fill_Style_Image")));
        for (const QString& name : hatchNames()) {
            QImage pattern(8, 8, QImage::Format_ARGB32);
            pattern.fill(Qt::transparent);
            pattern.save(
                QDir(m_resources)
                    .filePath(QStringLiteral("Fill_Style_Image/") + name + QStringLiteral(".png")));
        }
        const QString folder = m_resources;
        hooks::setResourceFolderLocator([folder] { return folder; });
        hooks::setTerminator([this](int code) { m_exitCode = code; });
        Not_Draw_Only_Prop_Change = 0;
        Card_Front_Or_Back = 0;
        Card_Shape = 0;
        Card_Value_In_Process = 0;
        // Controllers made outside start() (and New_Project called later)
        // meet the same scripted wizard; other dialogs run as usual.
        hooks::setModalRunner([this](QDialog& dialog) {
            if (auto* wizard = qobject_cast<Invitation_Wizard*>(&dialog)) {
                return m_startScript ? m_startScript(*wizard) : openStartDesign(*wizard);
            }
            return dialog.exec();
        });
    }

    void TearDown() override {
        m_controller.reset();
        m_document.reset();
        hooks::setResourceFolderLocator({});
        hooks::setTerminator({});
        hooks::setModalRunner({});
    }

    // The start wizard every new controller runs, unless a test sets
    // m_startScript: a 120 x 120 mm design opened from the start box, as a
    // design file read inside the wizard would leave it.
    static int openStartDesign(Invitation_Wizard&) {
        Start_Card_Option = QStringLiteral("L");
        if (SKTWindowController* controller = SKTWindowController::defaultInstance()) {
            controller->Set_Card_Size_In_Control(QSizeF(120, 120));
            const float points = SKTWindowController::MM_to_Points_Convert(120);
            controller->Set_Document_Size(QSizeF(points, points));
        }
        return 1;
    }

    // Makes the controller; its start wizard runs through m_startScript, any
    // other dialog through the runner the test installed.
    SKTWindowController& start() {
        const hooks::ModalRunner previous = hooks::modalRunner();
        hooks::setModalRunner([this, previous](QDialog& dialog) {
            if (auto* wizard = qobject_cast<Invitation_Wizard*>(&dialog)) {
                return m_startScript ? m_startScript(*wizard) : openStartDesign(*wizard);
            }
            return previous ? previous(dialog) : dialog.exec();
        });
        m_document = std::make_unique<SKTDocument>();
        m_controller = std::make_unique<SKTWindowController>(*m_document);
        hooks::setModalRunner(previous);
        return *m_controller;
    }

    // start() with the File menu's design commands wired as the program
    // wires them, over no design file, no workbook and no imported table.
    SKTWindowController& startWithDesignFiles() {
        clearDesignState();
        start();
        m_controller->Install_Design_File_Entries();
        return *m_controller;
    }

    // Takes back what startWithDesignFiles set and the file panels a test
    // installed.
    static void endDesignFiles() {
        hooks::setSavePanel({});
        hooks::setOpenPanel({});
        namespace we = window_entries;
        for (auto* slot : {&we::newDesign, &we::openDesign, &we::saveDesign, &we::saveDesignAs,
                           &we::saveAsTemplate}) {
            slot->set({});
        }
        we::openLogFile.set({});
        we::templateName.set({});
        we::saveProjectFile.set({});
        clearDesignState();
    }

    static void clearDesignState() {
        Imported_Table() = ImportedTable();
        Excel_Binding_Use = 0;
        Excel_Source_Path.clear();
        Project_File_Name.clear();
    }

    // A file of that name in the test's temporary folder.
    QString path(const QString& name) const { return QDir(m_temp.path()).filePath(name); }

    // A design file of picture objects, each naming its file, in these
    // frames on the front of a card of this size.
    QString writePictureDesign(const QString& name, const QSizeF& card,
                               const QList<QPair<QString, QRectF>>& pictures) const {
        design_file::DesignContent content;
        content.front.setCard_Size(card);
        content.back.setCard_Size(card);
        for (const auto& [file, frame] : pictures) {
            auto image = std::make_shared<SKTImage>();
            image->Set_Control_File_path(file);
            image->_bounds = frame;
            content.frontObjects.append(image);
        }
        content.titles = {QStringLiteral("Row No.")};
        const QString design = path(name);
        EXPECT_TRUE(design_file::Write_Design_Array(design_file::Design_Array(content), design));
        return design;
    }

    template <typename T> T* control(const char* name) const {
        return m_controller->window()->findChild<T*>(QString::fromLatin1(name));
    }

    // Opens a menu of the window's menu bar with the mouse (showing the
    // window first when it is hidden) and answers it, shown.
    QMenu* openMenu(const char* name) {
        MainWindowFrame* window = m_controller->window();
        if (!window->isVisible()) {
            window->show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        }
        QMenuBar* bar = window->menuBar();
        auto* menu = control<QMenu>(name);
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(menu->menuAction()).center());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(menu)) << name;
        return menu;
    }

    // Clicks the item of that name in a menu openMenu opened.
    void clickMenuItem(QMenu* menu, const char* item) {
        QTest::mouseClick(menu, Qt::LeftButton, {},
                          menu->actionGeometry(control<QAction>(item)).center());
        QCoreApplication::processEvents();
    }

    SKTZoomingScrollView* scroll(int side = 0) const {
        return qobject_cast<SKTZoomingScrollView*>(m_controller->canvases()->scrollView(side));
    }

    SKTGraphicView* canvas(int side = 0) const {
        return qobject_cast<SKTGraphicView*>(m_controller->canvasOfSide(side));
    }

    // Steps the side's zoom pop-up with the arrow keys to the item.
    void chooseZoom(int side, const QString& label) {
        QComboBox* popUp = scroll(side)->factorPopUpButton();
        const int wanted = popUp->findText(label);
        ASSERT_GE(wanted, 0) << label.toStdString();
        while (popUp->currentIndex() != wanted) {
            const int before = popUp->currentIndex();
            QTest::keyClick(popUp, before < wanted ? Qt::Key_Down : Qt::Key_Up);
            ASSERT_NE(popUp->currentIndex(), before);
        }
        QCoreApplication::processEvents();
    }

    // The text a text object shows.
    static QString plain(const SKTGraphic& graphic) {
        return graphic._Text_contents ? graphic._Text_contents->string() : graphic.Text_Value;
    }

    // Whether the window's control of that name is enabled.
    bool enabled(const char* name) const {
        auto* widget = control<QWidget>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget && widget->isEnabled();
    }

    // The labels of the shown tabs, in order.
    QStringList tabLabels() const {
        QStringList labels;
        QTabWidget* tabs = m_controller->sett_tab();
        for (int i = 0; i < tabs->count(); ++i) {
            labels << tabs->tabText(i);
        }
        return labels;
    }

    // The object names of the shown tab pages, in order.
    QStringList tabPages() const {
        QStringList names;
        QTabWidget* tabs = m_controller->sett_tab();
        for (int i = 0; i < tabs->count(); ++i) {
            names << tabs->widget(i)->objectName();
        }
        return names;
    }

    QTemporaryDir m_temp;
    QString m_resources;
    std::optional<int> m_exitCode;
    std::function<int(Invitation_Wizard&)> m_startScript;
    testsupport::ScriptedAlerts m_alerts;
    std::unique_ptr<SKTDocument> m_document;
    std::unique_ptr<SKTWindowController> m_controller;
};
