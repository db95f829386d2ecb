#pragma once
// The wait cursor over the whole application while a long step runs (a
// design's pictures being read, while the windows keep drawing but take no
// input), so it does not look like a hang. The cursor comes back when the
// guard ends or is released, before any message is shown.

#include <QApplication>
#include <QCursor>

class BusyCursor {
public:
    BusyCursor() {
        if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            m_active = true;
        }
    }
    ~BusyCursor() { release(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

    void release() {
        if (m_active) {
            QApplication::restoreOverrideCursor();
            m_active = false;
        }
    }

private:
    bool m_active = false;
};
