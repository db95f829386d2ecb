#include "mainwindow/controller/ControllerOutputHost.h"

#include "mainwindow/controller/MainWindowFrame.h"
#include "mainwindow/controller/SKTWindowController.h"

QWidget* ControllerOutputHost::mainWindow() const {
    return m_controller.window();
}

SKTGraphicList ControllerOutputHost::frontGraphics() const {
    return m_controller.Get_Front_Controls_Array();
}

SKTGraphicList ControllerOutputHost::backGraphics() const {
    return m_controller.Get_Back_Controls_Array();
}

BatchState ControllerOutputHost::Check_Series_Or_Excel_Use_or_not() {
    // No object is bound to records yet: every print and export is of the
    // design itself.
    return {};
}

int ControllerOutputHost::Get_total_Card_count(const BatchState& /*state*/) {
    return 0;
}

std::unique_ptr<CardSource> ControllerOutputHost::batchSource(const BatchState& /*state*/,
                                                              bool /*printing*/) {
    return nullptr;
}

void ControllerOutputHost::Open_Export_File_Box() {
    m_controller.Open_Export_File_Box();
}
