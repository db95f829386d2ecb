#pragma once
// The maker's link commands of the main window controller: its mail
// addresses, web sites and social pages. The help, share, review and
// promotion windows reach them through this interface, which the controller
// registers; with none registered their link buttons open nothing.

class LinkCommands {
public:
    virtual ~LinkCommands() = default;

    virtual void Open_Support_Mail() = 0;
    virtual void Open_Reseller_Mail() = 0;
    virtual void Open_Website_1() = 0;
    virtual void Open_Website_2() = 0;
    virtual void Open_Website_3() = 0;
    virtual void Open_Google_Plus() = 0;
    virtual void Open_FaceBook() = 0;
    virtual void Open_Twitter() = 0;
    virtual void Open_FB_Like() = 0;
    virtual void Open_Share_It_Dl() = 0;

    // The registered controller, or none.
    static LinkCommands* current();
    static void setCurrent(LinkCommands* commands);

    // Runs one command of the registered controller; nothing when none is.
    static void run(void (LinkCommands::*command)());
};
