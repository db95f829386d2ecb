#pragma once
// Small pieces the series windows share: their background, their table
// setup, and the please-wait state while a file is read or written.

#include <QString>
#include <QStringList>

class QDialog;
class QTableWidget;
class QWidget;

namespace serieswindows {

// The windows' background, RGB 241, 244, 250.
void Apply_Window_Background(QWidget& window);

// A read-only, row-selecting table with one column per title.
void Setup_Table(QTableWidget& table, const QStringList& titles);

// Fills a one-column table with the texts (read-only cells).
void Fill_Single_Column(QTableWidget& table, const QStringList& texts);

// The please-wait state of a window: a busy cursor while it lasts.
class PleaseWait {
public:
    PleaseWait();
    ~PleaseWait();
    PleaseWait(const PleaseWait&) = delete;
    PleaseWait& operator=(const PleaseWait&) = delete;
    void hide();

private:
    bool m_shown = false;
};

} // namespace serieswindows
