#include "mainwindow/controller/ControllerLinks.h"

#include "mainwindow/controller/SKTWindowController.h"

void ControllerLinks::Open_Support_Mail() {
    m_controller.Open_Support_Mail();
}
void ControllerLinks::Open_Reseller_Mail() {
    m_controller.Open_Reseller_Mail();
}
void ControllerLinks::Open_Website_1() {
    m_controller.Open_Website_1();
}
void ControllerLinks::Open_Website_2() {
    m_controller.Open_Website_2();
}
void ControllerLinks::Open_Website_3() {
    m_controller.Open_Website_3();
}
void ControllerLinks::Open_Google_Plus() {
    m_controller.Open_Google_Plus();
}
void ControllerLinks::Open_FaceBook() {
    m_controller.Open_FaceBook();
}
void ControllerLinks::Open_Twitter() {
    m_controller.Open_Twitter();
}
void ControllerLinks::Open_FB_Like() {
    m_controller.Open_FB_Like();
}
void ControllerLinks::Open_Share_It_Dl() {
    m_controller.Open_Share_It_Dl();
}
