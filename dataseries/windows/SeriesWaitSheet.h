#pragma once
// The please-wait sheet of a series window: a small window-modal panel over
// the window that reads or writes, with its message and a busy bar, shown
// while the work holds the event loop.

#include <QDialog>
#include <QString>
#include <memory>

namespace Ui {
class SeriesWaitSheet;
}

class SeriesWaitSheet : public QDialog {
    Q_OBJECT
public:
    // The sheet of the window, made on first use; the window owns it.
    static SeriesWaitSheet* of(QWidget& window);
    ~SeriesWaitSheet() override;

    // Begins the sheet over its window and paints it at once. Calls nest: the
    // sheet stays until the last matching end.
    void Show_Create_Modeless();
    // Ends the sheet (the matching call of a begin).
    void Hide_Destroy_Modeless();
    bool shown() const { return m_depth > 0; }
    QString message() const;

private:
    explicit SeriesWaitSheet(QWidget& window);
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

    std::unique_ptr<Ui::SeriesWaitSheet> ui;
    int m_depth = 0;
};
