#include "widgets/RadioMatrix.h"

#include <QChildEvent>
#include <QLayout>
#include <QRadioButton>
#include <QTimer>

RadioMatrix::RadioMatrix(QWidget* parent) : QWidget(parent) {}

QList<QRadioButton*> RadioMatrix::cells() const {
    QList<QRadioButton*> result;
    if (QLayout* grid = layout()) {
        for (int i = 0; i < grid->count(); ++i) {
            if (auto* button = qobject_cast<QRadioButton*>(grid->itemAt(i)->widget())) {
                result.append(button);
            }
        }
        return result;
    }
    return findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
}

void RadioMatrix::selectCellAtRow(int row, int column) {
    const QList<QRadioButton*> all = cells();
    for (QRadioButton* cell : all) {
        cell->setAutoExclusive(false);
    }
    for (int i = 0; i < all.size(); ++i) {
        all[i]->setChecked(column == 0 && i == row);
    }
    for (QRadioButton* cell : all) {
        cell->setAutoExclusive(true);
    }
}

int RadioMatrix::selectedRow() const {
    const QList<QRadioButton*> all = cells();
    for (int i = 0; i < all.size(); ++i) {
        if (all[i]->isChecked()) {
            return i;
        }
    }
    return -1;
}

void RadioMatrix::childEvent(QChildEvent* event) {
    QWidget::childEvent(event);
    if (event->added() && event->child()->isWidgetType() && !m_wirePending) {
        // The form adds the cells one by one (not yet fully made when they
        // arrive); wire them once all are in.
        m_wirePending = true;
        QTimer::singleShot(0, this, &RadioMatrix::connectCells);
    }
}

void RadioMatrix::connectCells() {
    m_wirePending = false;
    for (QRadioButton* cell : cells()) {
        if (m_wired.contains(cell)) {
            continue;
        }
        m_wired.insert(cell);
        connect(cell, &QRadioButton::clicked, this,
                [this, cell] { emit rowChosen(static_cast<int>(cells().indexOf(cell))); });
    }
}
