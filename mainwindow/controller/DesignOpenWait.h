#pragma once
// What the window does while a design's pictures are read on other
// threads. The windows keep drawing: the events waiting are handled every
// few milliseconds, except user input, which the window system holds until
// the open ends (as it did while the open held the event loop). An open that
// takes longer than half a second shows a sheet over the window that opens
// it, with the pictures read so far of how many. Input sent straight to a
// widget in the meantime (not through the window system) is dropped, so
// nothing can start another open, close a window or quit in the middle of
// an open. A modal window that comes up meanwhile (a message the program
// shows while the pictures load) takes its input and closes as always; Qt
// keeps that input from every other window. GUI thread only.

#include "editor/model/SKTPictureLoading.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <memory>

class QDialog;
class QWidget;

namespace Ui {
class WaitSheet;
}

class DesignOpenWait : public QObject {
public:
    // How long an open runs before its sheet shows.
    static constexpr int kSheetAfterMilliseconds = 500;
    // The sheet's object name.
    static constexpr const char* kSheetName = "picture_read_sheet";

    // Waits on behalf of `owner`'s window (none: a sheet of its own).
    explicit DesignOpenWait(QWidget* owner);
    ~DesignOpenWait() override;
    DesignOpenWait(const DesignOpenWait&) = delete;
    DesignOpenWait& operator=(const DesignOpenWait&) = delete;

    // The function the reading calls while it waits; valid while this
    // object lives.
    SKTPictureReadWait function();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void waited(int read, int files);
    void showSheet(int read, int files);
    // Whether `watched` is, or is in, a modal window that came up during
    // the open, other than the sheet.
    bool inWindowOnTop(QObject* watched) const;

    QPointer<QWidget> m_owner;
    // The modal window in front when the open began (the one that asked for
    // it, perhaps): it stays held.
    QPointer<QWidget> m_modalBefore;
    QElapsedTimer m_since;
    QPointer<QDialog> m_sheet;
    std::unique_ptr<Ui::WaitSheet> m_ui;
};
