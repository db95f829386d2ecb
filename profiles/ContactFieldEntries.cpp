// Opening the contact-field dialogs for the main window.

#include "core/StringFunctions.h"
#include "editor/model/ContactFieldState.h"
#include "profiles/ContactFieldPlacement.h"
#include "profiles/Show_User_Profile.h"
#include "profiles/User_profile.h"
#include "widgets/DialogOwner.h"

namespace contact_fields {

int Open_User_Profile_Window(int mode, const QString& side) {
    const QString trimmed = Trim_Str(side);
    ContactFieldDialog* dialog =
        trimmed.isEmpty() ? static_cast<ContactFieldDialog*>(User_profile::defaultInstance())
                          : Show_User_Profile::defaultInstance();
    // Opened from the main window or from a card-size or template window.
    dialogs::ownBy(*dialog, nullptr);
    dialog->load_side = trimmed;
    const int answer = dialog->Open_Wnd(mode != 0);
    if (answer == 1) {
        Fill_User_Profile = 1;
    }
    return answer;
}

} // namespace contact_fields
