#include "editor/view/Grid_Wizard.h"

#include "ui_Grid_Wizard.h"
#include "widgets/GuiHooks.h"

#include <QCoreApplication>
#include <QPalette>

namespace {

void deleteDefaultInstance() {
    delete grid_DefaultInstance;
}

} // namespace

Grid_Wizard* Grid_Wizard::defaultInstance(QWidget* parent) {
    if (!grid_DefaultInstance) {
        auto* wizard = new Grid_Wizard(parent);
        if (!parent) {
            qAddPostRoutine(deleteDefaultInstance);
        }
        return wizard;
    }
    return grid_DefaultInstance;
}

Grid_Wizard::Grid_Wizard(QWidget* parent) : QDialog(parent), ui(new Ui::Grid_Wizard) {
    ui->setupUi(this);
    grid_DefaultInstance = this;
    connect(ui->OK_Btn, &QPushButton::clicked, this, &Grid_Wizard::OK_Btn_Clicked);
    connect(ui->Cancel_Btn, &QPushButton::clicked, this, &Grid_Wizard::Cancel_Btn_Clicked);
    awakeFromNib();
}

Grid_Wizard::~Grid_Wizard() {
    if (grid_DefaultInstance == this) {
        grid_DefaultInstance = nullptr;
    }
}

void Grid_Wizard::awakeFromNib() {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(241, 244, 250));
    setPalette(palette);
    setAutoFillBackground(true);
}

int Grid_Wizard::Open_Wnd() {
    const int code = hooks::runModal(*this);
    hide();
    return code == QDialog::Accepted ? 1 : 0;
}

void Grid_Wizard::OK_Btn_Clicked() {
    done(QDialog::Accepted);
}

void Grid_Wizard::Cancel_Btn_Clicked() {
    done(QDialog::Rejected);
}

QToolButton* Grid_Wizard::Grid_clr() const {
    return ui->Grid_clr;
}
QSlider* Grid_Wizard::Grid_Space_slidr() const {
    return ui->Grid_Space_slidr;
}
QCheckBox* Grid_Wizard::Show_hide_grid_chk() const {
    return ui->Show_hide_grid_chk;
}
QGroupBox* Grid_Wizard::Grid_Opt_box() const {
    return ui->Grid_Opt_box;
}
