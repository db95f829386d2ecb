#pragma once
// The main window controller with the contact-field entries filled as
// main() fills them, the card-side dialog made, a data folder of its own,
// scripted alerts, panels and modal runs.

#include "../mainwindow/mainwindow_controller_fixture.h"
#include "dataseries/ImportedTable.h"
#include "editor/canvas/SKTGraphicView.h"
#include "editor/model/ContactFieldState.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTText.h"
#include "mainwindow/controller/Invitation_Wizard.h"
#include "mainwindow/controller/WindowEntries.h"
#include "profiles/ContactFieldPlacement.h"
#include "profiles/Show_User_Profile.h"
#include "profiles/User_profile.h"
#include "widgets/GuiHooks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

class ProfilesFixture : public ControllerFixture {
protected:
    void SetUp() override {
        ControllerFixture::SetUp();
        Fill_User_Profile = 0;
        Excel_Binding_Use = 0;
        Excel_Source_Path.clear();
        Library_Selected_Image.clear();
        Imported_Table() = ImportedTable();
        window_entries::contactFields.set(&contact_fields::Open_User_Profile_Window);
        window_entries::placeContactFields.set(&contact_fields::Fill_User_profile_info);
        Show_User_Profile::defaultInstance();
        hooks::setModalRunner([this](QDialog& dialog) {
            // A new design meets the start wizard as every controller does.
            if (auto* wizard = qobject_cast<Invitation_Wizard*>(&dialog)) {
                return openStartDesign(*wizard);
            }
            if (m_script) {
                m_script(dialog);
            }
            return dialog.result();
        });
        hooks::setOpenPanel([this](const hooks::OpenPanelRequest& request) {
            m_panelRequests.push_back(request);
            return m_panelAnswer;
        });
    }

    void TearDown() override {
        hooks::setModalRunner({});
        hooks::setOpenPanel({});
        window_entries::contactFields.set({});
        window_entries::placeContactFields.set({});
        Imported_Table() = ImportedTable();
        ControllerFixture::TearDown();
    }

    // Starts the controller with a data folder holding the given series
    // (name -> file text).
    SKTWindowController& startWithSeries(const QMap<QString, QString>& series = {}) {
        start();
        Data_Folder_Path = QDir(m_temp.path()).filePath(QStringLiteral("DataSet"));
        QDir().mkpath(Data_Folder_Path);
        for (auto it = series.cbegin(); it != series.cend(); ++it) {
            QFile file(QDir(Data_Folder_Path).filePath(it.key() + QStringLiteral(".txt")));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(it.value().toUtf8());
        }
        return *m_controller;
    }

    SKTGraphicView& view(int side) const { return *m_controller->graphicViewOfSide(side); }

    std::shared_ptr<SKTText> addText(int side, const QString& id, const QString& text,
                                     const QRectF& bounds = QRectF(20, 20, 80, 20),
                                     bool visible = true) {
        auto graphic = std::make_shared<SKTText>();
        graphic->control_ID = id;
        graphic->Text_Value = text;
        graphic->Text_contents().setString(text);
        graphic->setBounds(bounds);
        graphic->Set_Ctrl_Is_Visible(visible);
        insert(side, graphic);
        return graphic;
    }

    // Appends at the end of the side's list (behind the others).
    void insert(int side, const std::shared_ptr<SKTGraphic>& graphic) {
        static const QString keys[] = {SKTDocumentGraphicsKey, SKTDocumentGraphicsKey_back,
                                       SKTDocumentGraphicsKey_temp};
        const int at = int(m_document->graphicsForKey(keys[side]).size());
        m_document->insertGraphicsInList(keys[side], {graphic}, {at});
    }

    // Imported rows: titles "City", "Zip"; rows (Berlin, 10115), (Oslo, 0150).
    void importTable() {
        ImportedTable& table = Imported_Table();
        table.Add_Column(QStringLiteral("City"));
        table.Add_Column(QStringLiteral("Zip"));
        table.Create_List_By_Array({QStringLiteral("Berlin"), QStringLiteral("10115")}, 2);
        table.Create_List_By_Array({QStringLiteral("Oslo"), QStringLiteral("0150")}, 2);
    }

    User_Profile_Class& record(int side) const { return *m_controller->userProfile(side); }

    std::function<void(QDialog&)> m_script;
    QStringList m_panelAnswer;
    std::vector<hooks::OpenPanelRequest> m_panelRequests;
};
