#pragma once
// The card-size window (Card > Card Size…): a preset or typed size in
// millimetres and the card shape; OK sizes the document and its canvases.

#include "mainwindow/controller/CardSizeWindow.h"

#include <QSizeF>
#include <memory>

namespace Ui {
class Card_Wizard;
}

class Card_Wizard : public CardSizeWindow {
    Q_OBJECT

public:
    static Card_Wizard* defaultInstance();
    explicit Card_Wizard(QWidget* parent = nullptr);
    ~Card_Wizard() override;

    // 1 when the user confirmed, else 0.
    int Open_Wnd();
    void card_shape_CellClick();
    void OK_Click();
    void CancelClick();
    // The size in the width and height controls, in millimetres.
    QSizeF chosenSizeMM() const;
    Ui::Card_Wizard& ui() const { return *m_ui; }

    // Escape is Cancel.
    void reject() override { CancelClick(); }

private:
    std::unique_ptr<Ui::Card_Wizard> m_ui;
    // The card shape when the window opened, restored by Cancel.
    int m_shapeFound = 0;
};
