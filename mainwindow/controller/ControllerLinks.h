#pragma once
// The main window controller's link commands for the help, share, review and
// promotion windows.

#include "output/LinkCommands.h"

class SKTWindowController;

class ControllerLinks : public LinkCommands {
public:
    explicit ControllerLinks(SKTWindowController& controller) : m_controller(controller) {}

    void Open_Support_Mail() override;
    void Open_Reseller_Mail() override;
    void Open_Website_1() override;
    void Open_Website_2() override;
    void Open_Website_3() override;
    void Open_Google_Plus() override;
    void Open_FaceBook() override;
    void Open_Twitter() override;
    void Open_FB_Like() override;
    void Open_Share_It_Dl() override;

private:
    SKTWindowController& m_controller;
};
