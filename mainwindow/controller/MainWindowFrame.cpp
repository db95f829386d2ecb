#include "mainwindow/controller/MainWindowFrame.h"

#include <QCloseEvent>

MainWindowFrame::MainWindowFrame(QWidget* parent) : QMainWindow(parent) {}

void MainWindowFrame::closeEvent(QCloseEvent* event) {
    if (m_closeRequest && !m_closeRequest()) {
        event->ignore();
        return;
    }
    event->accept();
}
