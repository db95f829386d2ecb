#include "mainwindow/controller/CardSizeWindow.h"

#include "core/StringFunctions.h"
#include "mainwindow/controller/ColListModel.h"
#include "mainwindow/controller/SKTWindowController.h"
#include "widgets/CardStepper.h"

#include <QComboBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPalette>
#include <QTableView>

CardSizeWindow::CardSizeWindow(QWidget* parent) : QDialog(parent), m_list(new ColListModel(this)) {}

void CardSizeWindow::colour() {
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(241, 244, 250));
    setPalette(colours);
}

void CardSizeWindow::attachSizeControls(QComboBox* preset, QComboBox* category, CardStepper* width,
                                        QLineEdit* widthText, CardStepper* height,
                                        QLineEdit* heightText, QTableView* list) {
    m_preset = preset;
    m_category = category;
    m_width = width;
    m_widthText = widthText;
    m_height = height;
    m_heightText = heightText;
    m_table = list;
    m_width->setPairedField(m_widthText);
    m_height->setPairedField(m_heightText);
    m_table->setModel(m_list);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->hide();
    connect(m_category, &QComboBox::activated, this, [this] { categoryChosen(); });
    // The orientation turns the size shown at once.
    connect(m_preset, &QComboBox::activated, this, [this] { tableViewSelectionDidChange(); });
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { tableViewSelectionDidChange(); });
}

void CardSizeWindow::Create_List(const QString& text) {
    const QString trimmed = Trim_Str(text);
    if (trimmed.isEmpty()) {
        return;
    }
    m_list->appendRow({{QStringLiteral("Extension"), trimmed}});
}

void CardSizeWindow::Mark_List_New_Selection(int row) {
    if (row < 0 || row >= m_list->rowCount()) {
        return;
    }
    m_table->selectionModel()->select(m_list->index(row, 0), QItemSelectionModel::ClearAndSelect |
                                                                 QItemSelectionModel::Rows);
    // Selecting the row that was already selected changes nothing, yet its
    // size must show.
    tableViewSelectionDidChange();
}

const QList<QVariantMap>& CardSizeWindow::ListData() const {
    return m_list->rows();
}

void CardSizeWindow::categoryChosen() {
    m_list->clearRows();
    m_list->reloadData();
    if (SKTWindowController* controller = SKTWindowController::defaultInstance()) {
        const QStringList& names = m_category->currentIndex() == 0 ? controller->pvc_card_arry
                                                                   : controller->paper_card_arry;
        for (const QString& name : names) {
            Create_List(name);
        }
    }
    m_list->reloadData();
    Mark_List_New_Selection(0);
}

void CardSizeWindow::tableViewSelectionDidChange() {
    SKTWindowController* controller = SKTWindowController::defaultInstance();
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    if (!controller || rows.isEmpty()) {
        return;
    }
    const QString orientation = m_preset->currentText() == QStringLiteral("Horizontal")
                                    ? QStringLiteral("H")
                                    : QStringLiteral("V");
    const QSizeF size =
        controller->Get_My_card_Size(m_category->currentText(), orientation, rows.first().row());
    m_width->setDoubleValue(size.width());
    m_widthText->setText(QString::number(static_cast<float>(size.width())));
    m_height->setDoubleValue(size.height());
    m_heightText->setText(QString::number(static_cast<float>(size.height())));
}

void CardSizeWindow::User_Profile_Click() {
    if (SKTWindowController* controller = SKTWindowController::defaultInstance()) {
        controller->Open_User_Profile_Window(0, QString());
    }
}
