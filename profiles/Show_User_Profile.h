#pragma once
// The contact-field dialog of one card side ("F" or "B"). It also holds the
// hidden landscape and portrait template boxes whose placeholder frames
// are the rectangles of new contact-field objects, and publishes itself for
// that in Show_User_Profile_Window.

#include "editor/model/ContactFieldState.h"
#include "profiles/ContactFieldDialog.h"

#include <memory>

namespace Ui {
class Show_User_Profile;
}

class Show_User_Profile : public ContactFieldDialog, public ContactFieldTemplates {
    Q_OBJECT

public:
    // The one instance of the run (made on first use).
    static Show_User_Profile* defaultInstance();

    explicit Show_User_Profile(QWidget* parent = nullptr);
    ~Show_User_Profile() override;

    QRectF templateFrame(const QString& controlID, bool portrait) const override;

private:
    void prepareOpening(bool load) override;

    std::unique_ptr<Ui::Show_User_Profile> m_ui;
};
