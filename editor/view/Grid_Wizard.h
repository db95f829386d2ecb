#pragma once
// The modal grid-options window. Its controls (colour well, spacing slider,
// show check box and option box) belong to the main window, which connects
// them and changes the grid at once; so OK and Cancel only end the modal
// run, and Cancel undoes nothing.

#include <QDialog>
#include <memory>

namespace Ui {
class Grid_Wizard;
}
class QCheckBox;
class QGroupBox;
class QSlider;
class QToolButton;

class Grid_Wizard : public QDialog {
    Q_OBJECT
public:
    // The one instance, made on first need. Without a parent it lives until
    // the application ends.
    static Grid_Wizard* defaultInstance(QWidget* parent = nullptr);

    explicit Grid_Wizard(QWidget* parent = nullptr);
    ~Grid_Wizard() override;

    // Runs the window modally; answers 1 for OK, 0 for Cancel. The window is
    // hidden afterwards.
    int Open_Wnd();
    void OK_Btn_Clicked();
    void Cancel_Btn_Clicked();

    QToolButton* Grid_clr() const;
    QSlider* Grid_Space_slidr() const;
    QCheckBox* Show_hide_grid_chk() const;
    QGroupBox* Grid_Opt_box() const;

private:
    // The window's look: its background colour.
    void awakeFromNib();

    std::unique_ptr<Ui::Grid_Wizard> ui;
};

// The single grid window (none until first made).
inline Grid_Wizard* grid_DefaultInstance = nullptr;
