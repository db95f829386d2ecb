#pragma once
// A matrix of radio buttons, one column: its rows are the radio buttons it
// holds, in layout order. Selecting from code emits nothing; `rowChosen`
// follows the user's clicks.

#include <QList>
#include <QSet>
#include <QWidget>

class QRadioButton;

class RadioMatrix : public QWidget {
    Q_OBJECT

public:
    explicit RadioMatrix(QWidget* parent = nullptr);

    QList<QRadioButton*> cells() const;
    // Turns on the cell of that row (column 0 only); other rows go off. A row
    // outside the matrix leaves every cell off.
    void selectCellAtRow(int row, int column = 0);
    // The row that is on, or -1.
    int selectedRow() const;

signals:
    void rowChosen(int row);

protected:
    void childEvent(QChildEvent* event) override;

private:
    void connectCells();

    bool m_wirePending = false;
    QSet<const QRadioButton*> m_wired;
};
