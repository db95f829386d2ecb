// Choosing a picture for the picture tools: the picture library (built with
// the library window) and the picture file chooser.

#include "mainwindow/controller/SKTWindowController.h"

#include "core/globals.h"
#include "mainwindow/controller/MainWindowFrame.h"
#include "ui_DataSourcePage.h"
#include "widgets/GuiHooks.h"

int SKTWindowController::Open_Image_Library(bool background) {
    // The library window is not built yet: nothing is chosen.
    Q_UNUSED(background);
    return 0;
}

bool SKTWindowController::Browse_User_Image_Manually() {
    hooks::OpenPanelRequest request;
    request.allowedTypes = {QStringLiteral("jpg"),  QStringLiteral("jpeg"), QStringLiteral("jpe"),
                            QStringLiteral("jfif"), QStringLiteral("gif"),  QStringLiteral("bmp"),
                            QStringLiteral("png"),  QStringLiteral("tif"),  QStringLiteral("tiff")};
    request.parent = m_window.get();
    const QStringList chosen = hooks::runOpenPanel(request);
    if (chosen.isEmpty()) {
        Library_Selected_Image.clear();
        return false;
    }
    Library_Selected_Image = chosen.first();
    m_dataSource->Manual_image_path->setText(Library_Selected_Image);
    return true;
}
