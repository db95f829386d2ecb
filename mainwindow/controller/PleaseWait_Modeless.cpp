#include "mainwindow/controller/PleaseWait_Modeless.h"

#include "ui_PleaseWait_Modeless.h"
#include "widgets/AppOwned.h"

#include <QPalette>

namespace {
QPointer<PleaseWait_Modeless> g_pleaseWait;
}

PleaseWait_Modeless* PleaseWait_Modeless::defaultInstance() {
    return appOwnedInstance(g_pleaseWait);
}

PleaseWait_Modeless::PleaseWait_Modeless(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::PleaseWait_Modeless>()) {
    m_ui->setupUi(this);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(241, 244, 250));
    setPalette(colours);
}

PleaseWait_Modeless::~PleaseWait_Modeless() = default;
