#include "output/ExportWindow.h"

#include "core/MessageFunctions.h"
#include "output/core/CardExport.h"
#include "ui_ExportWindow.h"

#include <QCoreApplication>

QPointer<ExportWindow> ExportWindow::DefaultInstance;

ExportWindow* ExportWindow::defaultInstance() {
    if (!DefaultInstance) {
        auto* window = new ExportWindow();
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, window,
                         &QObject::deleteLater);
    }
    return DefaultInstance;
}

ExportWindow::ExportWindow(QWidget* parent) : QDialog(parent), m_ui(new Ui::ExportWindow) {
    m_ui->setupUi(this);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(241, 244, 250));
    setPalette(palette);
    setAutoFillBackground(true);
    connect(m_ui->matrix_file_type, &RadioMatrix::rowChosen, this,
            &ExportWindow::export_file_type_CellClick);
    connect(m_ui->fileFormatPopup, &QComboBox::activated, this,
            [this](int index) { m_ui->matrix_file_type->selectCellAtRow(index); });
    connect(m_ui->matrix_export_card_side, &RadioMatrix::rowChosen, this,
            &ExportWindow::export_card_side_CellClick);
    connect(m_ui->exportOkayButton, &QPushButton::clicked, this, &ExportWindow::exportOkay);
    connect(m_ui->exportCancelButton, &QPushButton::clicked, this, &ExportWindow::exportCancel);
    if (!DefaultInstance) {
        DefaultInstance = this;
    }
}

ExportWindow::~ExportWindow() = default;

void ExportWindow::resetForExport() {
    m_ui->saveDPIText->setCurrentIndex(0);
    m_ui->saveDPIText->setEnabled(true);
    m_ui->matrix_file_type->selectCellAtRow(0);
    m_ui->fileFormatPopup->setCurrentIndex(0);
    m_ui->export_combined_image_chk->setChecked(false);
    m_ui->export_combined_image_chk->setEnabled(false);
    m_ui->matrix_export_card_side->selectCellAtRow(1);
    export_card_side = QStringLiteral("F");
}

double ExportWindow::chosenDotsPerInch() const {
    bool ok = false;
    const double dpi = m_ui->saveDPIText->currentText().toDouble(&ok);
    return ok && dpi > 0 ? dpi : 72.0;
}

QString ExportWindow::chosenFormat() const {
    return m_ui->fileFormatPopup->currentText();
}

void ExportWindow::export_file_type_CellClick(int row) {
    m_ui->fileFormatPopup->setCurrentIndex(row);
}

void ExportWindow::export_card_side_CellClick(int row) {
    export_card_side = row == 0   ? QStringLiteral("BOTH")
                       : row == 1 ? QStringLiteral("F")
                                  : QStringLiteral("B");
    m_ui->export_combined_image_chk->setEnabled(export_card_side == QLatin1String("BOTH"));
    Show_NSLog_Message(export_card_side);
}

void ExportWindow::exportOkay() {
    done(1);
}

void ExportWindow::exportCancel() {
    done(0);
}
