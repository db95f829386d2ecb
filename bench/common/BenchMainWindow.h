#pragma once
// A main window whose start wizard opens an empty design at once; alerts
// answer at once. Everything is put back when it ends.

#include "dataseries/ImportedTable.h"
#include "editor/model/SKTDocument.h"
#include "mainwindow/controller/Invitation_Wizard.h"
#include "mainwindow/controller/SKTWindowController.h"
#include "mainwindow/controller/WizardGlobals.h"
#include "platform/Hooks.h"
#include "widgets/GuiHooks.h"

#include <QCoreApplication>
#include <memory>

class BenchMainWindow {
public:
    BenchMainWindow() {
        hooks::setModalRunner([](QDialog& dialog) {
            if (qobject_cast<Invitation_Wizard*>(&dialog)) {
                Start_Card_Option = QStringLiteral("L");
                return 1;
            }
            return 0;
        });
        hooks::setAlertAnswerer([](const AlertRequest&) { return 0; });
        m_controller = std::make_unique<SKTWindowController>(m_document);
        m_controller->Install_Design_File_Entries();
        QCoreApplication::processEvents();
    }
    ~BenchMainWindow() {
        m_controller.reset();
        Imported_Table() = ImportedTable();
        hooks::setModalRunner({});
        hooks::setAlertAnswerer({});
    }
    BenchMainWindow(const BenchMainWindow&) = delete;
    BenchMainWindow& operator=(const BenchMainWindow&) = delete;

    SKTWindowController& controller() { return *m_controller; }
    SKTDocument& document() { return m_document; }

private:
    SKTDocument m_document;
    std::unique_ptr<SKTWindowController> m_controller;
};
