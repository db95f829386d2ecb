#pragma once
// How the program joins its window libraries to the main window controller:
// the window entries the controller's commands call, and the services the
// other windows reach the controller through. main() and the end-to-end
// tests wire the program with these same functions.

#include <memory>

class SKTWindowController;
class ControllerOutputHost;
class ControllerLinks;

// Makes the dialogs other code reaches through their handles and fills every
// window entry the controller's commands call. Runs before the first
// document (and so the start window) is made.
void Wire_Window_Entries();

// Empties every window entry again.
void Clear_Window_Entries();

// The controller's services for the other windows (printing and export,
// links, series binding, the promotion entry), registered for the life of
// the object.
class ControllerServices {
public:
    explicit ControllerServices(SKTWindowController& controller);
    ~ControllerServices();
    ControllerServices(const ControllerServices&) = delete;
    ControllerServices& operator=(const ControllerServices&) = delete;

private:
    std::unique_ptr<ControllerOutputHost> m_outputHost;
    std::unique_ptr<ControllerLinks> m_links;
};
