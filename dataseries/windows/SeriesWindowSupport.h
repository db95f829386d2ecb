#pragma once
// Small pieces the series windows share: their background, their table
// setup, and the please-wait sheet while a file is read or written.

#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>

class QDialog;
class QTableWidget;
class QWidget;
class SeriesWaitSheet;

namespace serieswindows {

// The windows' background, RGB 241, 244, 250.
void Apply_Window_Background(QWidget& window);

// A read-only, row-selecting table with one column per title.
void Setup_Table(QTableWidget& table, const QStringList& titles);

// Fills a one-column table with the texts (read-only cells).
void Fill_Single_Column(QTableWidget& table, const QStringList& texts);

// The please-wait sheet of a window for the life of the object (see
// SeriesWaitSheet). hide() ends it early, before a message or question, and
// show() begins it again.
class PleaseWait {
public:
    explicit PleaseWait(QWidget& window);
    ~PleaseWait();
    PleaseWait(const PleaseWait&) = delete;
    PleaseWait& operator=(const PleaseWait&) = delete;
    void show();
    void hide();

private:
    QPointer<SeriesWaitSheet> m_sheet;
    bool m_shown = false;
};

// Begins (true) and ends (false) the window's please-wait sheet: given to
// the store functions, which write between questions and messages.
std::function<void(bool)> Sheet_While_Writing(QWidget& window);

} // namespace serieswindows
