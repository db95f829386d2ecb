#include "mainwindow/controller/Send_Modeless.h"

Send_Modeless* Send_Modeless::defaultInstance() {
    // Made on first use and kept until the process ends, as every dialog is.
    static Send_Modeless instance;
    return &instance;
}
