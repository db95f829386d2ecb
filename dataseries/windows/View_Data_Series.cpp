#include "dataseries/windows/View_Data_Series.h"

#include "dataseries/SeriesFiles.h"
#include "dataseries/windows/SeriesWindowSupport.h"
#include "ui_View_Data_Series.h"
#include "widgets/AppOwned.h"
#include "widgets/GuiHooks.h"

View_Data_Series::View_Data_Series(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::View_Data_Series>()) {
    ui->setupUi(this);
    serieswindows::Apply_Window_Background(*this);
    serieswindows::Setup_Table(*ui->List, {QStringLiteral("Value")});
    connect(ui->ok_btn, &QPushButton::clicked, this, &View_Data_Series::OK_Btn_Clicked);
}

View_Data_Series::~View_Data_Series() = default;

View_Data_Series* View_Data_Series::defaultInstance() {
    static QPointer<View_Data_Series> instance;
    return appOwnedInstance(instance);
}

void View_Data_Series::loadSeries() {
    serieswindows::PleaseWait wait(*this);
    // A missing or unreadable series shows an empty list.
    const QStringList values = Read_Display_Values(file_name);
    serieswindows::Fill_Single_Column(*ui->List, values);
    ui->list_count->setText(QStringLiteral("Total Rows : %1").arg(values.size()));
}

void View_Data_Series::Open_Wnd() {
    ui->series_name->setText(file_name);
    ui->List->setRowCount(0);
    loadSeries();
    hooks::runModal(*this);
    hide();
}

QStringList View_Data_Series::shownValues() const {
    QStringList values;
    for (int r = 0; r < ui->List->rowCount(); ++r) {
        values.append(ui->List->item(r, 0) ? ui->List->item(r, 0)->text() : QString());
    }
    return values;
}

void View_Data_Series::OK_Btn_Clicked() {
    done(1);
}
