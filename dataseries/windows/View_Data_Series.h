#pragma once
// The read-only viewer of one data series.

#include <QDialog>
#include <QString>
#include <memory>

namespace Ui {
class View_Data_Series;
}

class View_Data_Series : public QDialog {
    Q_OBJECT
public:
    // The one instance of the run (made on first use).
    static View_Data_Series* defaultInstance();

    // The series shown; set before opening.
    QString file_name;
    // Shows the series `file_name` modally.
    void Open_Wnd();

    explicit View_Data_Series(QWidget* parent = nullptr);
    ~View_Data_Series() override;

    // The values shown, in order.
    QStringList shownValues() const;

public slots:
    void OK_Btn_Clicked();

private:
    void loadSeries();

    std::unique_ptr<Ui::View_Data_Series> ui;
};
