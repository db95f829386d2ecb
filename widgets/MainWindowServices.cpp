#include "widgets/MainWindowServices.h"

#include "core/MessageFunctions.h"
#include "core/StringFunctions.h"

#include <QComboBox>
#include <QFileInfo>
#include <atomic>

namespace {
std::atomic<MainWindowServices*> g_services{nullptr};
}

MainWindowServices* MainWindowServices::current() {
    return g_services.load();
}

void MainWindowServices::setCurrent(MainWindowServices* services) {
    g_services.store(services);
}

void MainWindowServices::Add_Excel_Col_Name_In_Combo(QComboBox& combo) {
    if (combo.count() == 2) {
        combo.addItem(QStringLiteral("Excel"));
    }
}

void MainWindowServices::Remove_Excel_Col_Name_In_Combo(QComboBox& combo) {
    if (combo.count() == 3) {
        const int index = combo.findText(QStringLiteral("Excel"));
        if (index >= 0) {
            combo.removeItem(index);
        }
    }
}

User_Profile_Class* MainWindowServices::userProfile(int) {
    return nullptr;
}

SKTGraphicView* MainWindowServices::graphicViewOfSide(int) const {
    return nullptr;
}

void MainWindowServices::Select_Drawing_Tool(int) {}

QComboBox* MainWindowServices::dataSourceTypeCombo() const {
    return nullptr;
}

QSizeF MainWindowServices::frontCardSize() const {
    return {};
}

int MainWindowServices::Check_And_Validate_File_Path(const QString& path) const {
    const QString trimmed = Trim_Str(path);
    if (!trimmed.isEmpty() && QFileInfo::exists(trimmed)) {
        return 0;
    }
    Show_MessageBox(QStringLiteral("Please select valid file path."));
    return 1;
}

void MainWindowServices::Batch_Series_Button() {}

void MainWindowServices::Follow_Imported_Columns(const ColumnFollowing&,
                                                 QList<LostColumnBinding>&) {}

void MainWindowServices::startEditingGraphic(const std::shared_ptr<SKTGraphic>&) {}
