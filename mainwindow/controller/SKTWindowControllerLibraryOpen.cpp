// The picture library as the main window opens it: in background mode for
// the card background commands, in object mode for the picture tools and the
// picture tab's library button.

#include "mainwindow/controller/SKTWindowController.h"

#include "core/MessageFunctions.h"
#include "core/globals.h"
#include "mainwindow/controller/Image_Library.h"
#include "mainwindow/controller/MainWindowFrame.h"
#include "mainwindow/controller/PictureMessages.h"

#include <exception>

Image_Library* SKTWindowController::imageLibrary() {
    if (!m_imageLibrary) {
        // A child of the window: it lives as long as the window does.
        m_imageLibrary = new Image_Library(m_window.get());
    }
    return m_imageLibrary;
}

int SKTWindowController::Open_Image_Library(bool background) {
    int answer = 0;
    try {
        Image_Library* library = imageLibrary();
        library->control_or_BG = background ? QStringLiteral("B") : QStringLiteral("C");
        answer = library->Open_Library_Window() == 1 ? 1 : 0;
        if (answer == 1 && !background &&
            !picture_messages::checkChosenPicture(library->selected_image)) {
            // Told; no object takes a file that shows nothing.
            answer = 0;
        }
        if (answer == 1) {
            lib_window_sel_file = library->selected_image;
        }
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
        answer = 0;
    }
    if (background) {
        // The confirmed file becomes the current side's background picture
        // (a file that gives none is told there); the card controls are
        // copied back in every case.
        if (answer == 1) {
            if (Current_Card_Side_Is_Back()) {
                set_Back_BG_Image(lib_window_sel_file);
            } else {
                set_Front_BG_Image(lib_window_sel_file);
            }
        }
        Update_Card_Graphics();
    } else if (answer == 1) {
        // The file of the next picture object.
        Library_Selected_Image = lib_window_sel_file;
        Show_NSLog_Message(Library_Selected_Image);
    }
    return answer;
}
