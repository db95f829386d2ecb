#include "mainwindow/app/ProgramWiring.h"

#include "barcodes/designer/Barcode_Gen.h"
#include "dataseries/windows/BatchWizard.h"
#include "dataseries/windows/Generate_List.h"
#include "dataseries/windows/Import_Wizard.h"
#include "dataseries/windows/SmallSeriesDialogs.h"
#include "mainwindow/controller/ControllerLinks.h"
#include "mainwindow/controller/ControllerOutputHost.h"
#include "mainwindow/controller/SKTWindowController.h"
#include "mainwindow/controller/WindowEntries.h"
#include "output/Help_Support.h"
#include "output/OutputCommands.h"
#include "output/Promotion_Form.h"
#include "output/Review_Form.h"
#include "output/Send_Mail.h"
#include "output/Send_Modeless.h"
#include "profiles/ContactFieldPlacement.h"
#include "profiles/Show_User_Profile.h"
#include "widgets/DialogOwner.h"
#include "widgets/Long_SMS_Dlg.h"

namespace {

// Opens a window kept for the run, owned by the window the user is in.
template <typename Window> void openOwned(Window& window) {
    dialogs::ownBy(window, nullptr);
    window.Open_Wnd();
}

} // namespace

void Wire_Window_Entries() {
    Long_SMS_Dlg::defaultInstance();
    Send_Modeless::defaultInstance();
    // The barcode designer: made once (it publishes Barcode_Gen_Var before
    // any batch runs) and hidden until opened.
    Barcode_Gen::defaultInstance();
    window_entries::barcodeDesigner.set([](const std::shared_ptr<SKTGraphic>& graphic) {
        if (Barcode_Gen* designer = Barcode_Gen::defaultInstance()) {
            dialogs::ownBy(*designer, nullptr);
            designer->Open_Wnd(graphic);
        }
    });

    // The card-side contact-field dialog: made before any placement, which
    // reads its placeholder frames.
    Show_User_Profile::defaultInstance();
    window_entries::contactFields.set(&contact_fields::Open_User_Profile_Window);
    window_entries::placeContactFields.set(&contact_fields::Fill_User_profile_info);
    // The series windows: the manager, the import wizard (a new series) and
    // the number generator (a new series), and the prompt after exports.
    // Each window opens owned by the window the user is in (the main window,
    // or the contact-field dialog for the series manager).
    window_entries::seriesManager.set([] { openOwned(*BatchWizard::defaultInstance()); });
    window_entries::seriesImport.set([] {
        Import_Wizard* wizard = Import_Wizard::defaultInstance();
        dialogs::ownBy(*wizard, nullptr);
        wizard->file_name_required = 1;
        wizard->file_name_Insert = 0;
        wizard->Open_Wnd();
    });
    window_entries::numberSeries.set([] {
        Generate_List* generator = Generate_List::defaultInstance();
        dialogs::ownBy(*generator, nullptr);
        generator->file_name_required = 1;
        generator->file_name_Insert = 0;
        generator->Open_Wnd();
    });
    window_entries::exportFileBox.set([] { Open_Export_File_Box(); });

    window_entries::print.set(&output::Open_Print_Wnd);
    window_entries::exportCards.set(&output::Export_Button);
    window_entries::mail.set([] { openOwned(*Send_Mail::defaultInstance()); });
    window_entries::help.set([] { openOwned(*Help_Support::defaultInstance()); });
    window_entries::review.set([] {
        Review_Form* form = Review_Form::defaultInstance();
        dialogs::ownBy(*form, nullptr);
        form->Open_Review_Form_Window();
    });

    // New, Open, Save, Save As, Save as Template, Exit's save and the start
    // window's open choice.
    SKTWindowController::Install_Design_File_Entries();
}

void Clear_Window_Entries() {
    using namespace window_entries;
    barcodeDesigner.set({});
    contactFields.set({});
    placeContactFields.set({});
    seriesManager.set({});
    seriesImport.set({});
    numberSeries.set({});
    exportFileBox.set({});
    print.set({});
    exportCards.set({});
    mail.set({});
    help.set({});
    review.set({});
    promotion.set({});
    newDesign.set({});
    openDesign.set({});
    saveDesign.set({});
    saveDesignAs.set({});
    saveAsTemplate.set({});
    saveProjectFile.set({});
    openLogFile.set({});
    templateName.set({});
}

ControllerServices::ControllerServices(SKTWindowController& controller)
    : m_outputHost(std::make_unique<ControllerOutputHost>(controller)),
      m_links(std::make_unique<ControllerLinks>(controller)) {
    window_entries::promotion.set([&controller](const QString& softwareType) {
        Promotion_Form* form = Promotion_Form::defaultInstance();
        dialogs::ownBy(*form, nullptr);
        form->setPatternImage(controller.promotion_pattern_image);
        form->software_type = softwareType;
        form->Open_Promotion_Window();
    });
    // Printing and export reach the controller through its output services.
    OutputHost::setCurrent(m_outputHost.get());
    LinkCommands::setCurrent(m_links.get());
    SeriesBindingSource::setCurrent(&controller);
}

ControllerServices::~ControllerServices() {
    LinkCommands::setCurrent(nullptr);
    SeriesBindingSource::setCurrent(nullptr);
    OutputHost::setCurrent(nullptr);
    window_entries::promotion.set({});
}
