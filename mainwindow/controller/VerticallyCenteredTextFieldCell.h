#pragma once
// A one-line text label whose text sits vertically centred in its frame.

#include <QLabel>

class VerticallyCenteredTextFieldCell : public QLabel {
    Q_OBJECT
public:
    explicit VerticallyCenteredTextFieldCell(QWidget* parent = nullptr) : QLabel(parent) {
        setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
};
