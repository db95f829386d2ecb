#pragma once
// The contact-field dialog without a side, opened by the card and template
// wizards: its OK commits the rows into the front and then the back record.
// Its side combos are shown for a wizard and not read by anything.

#include "profiles/ContactFieldDialog.h"

#include <memory>

namespace Ui {
class User_profile;
}

class User_profile : public ContactFieldDialog {
    Q_OBJECT

public:
    // The one instance of the run (made on first use).
    static User_profile* defaultInstance();

    explicit User_profile(QWidget* parent = nullptr);
    ~User_profile() override;

    void Reset_all_Ctrl() override;
    void Create_and_Set_template_picture() override;
    QLabel* templatePicture() const;

private:
    void prepareOpening(bool load) override;
    void showSideChoices(bool shown);

    std::unique_ptr<Ui::User_profile> m_ui;
};
