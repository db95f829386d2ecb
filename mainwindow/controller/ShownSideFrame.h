#pragma once
// The frame of the shown side's enclosing view: when a side is shown, its
// enclosing view takes the size of the target view with the height 15
// points larger. The extra strip lies above the target's top edge (where a
// taller frame grows in a bottom-up layout), and the enclosing view keeps
// its content below that strip, so the side's scroll view fills the target
// exactly: its bottom edge with the horizontal scroller and the zoom pop-up
// stays in view. The frame is kept so when the target view is resized or
// laid out again.

#include <QObject>

class QStackedWidget;

class ShownSideFrame : public QObject {
public:
    static constexpr int kExtraHeight = 15;

    // Shows page `index` of the target with the taller frame. The keeper is
    // made on first use and owned by the target.
    static void show(QStackedWidget& target, int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ShownSideFrame(QStackedWidget& target);
    void apply();

    QStackedWidget& m_target;
};
