#pragma once
// The main window itself. It has no close button; a close request from the
// window manager is handed to whoever the controller names, and the window
// closes only when that says so.

#include <QMainWindow>
#include <functional>

class MainWindowFrame : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindowFrame(QWidget* parent = nullptr);

    // Answers whether the window may close. Without one the window closes.
    void setCloseRequestHandler(std::function<bool()> handler) {
        m_closeRequest = std::move(handler);
    }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::function<bool()> m_closeRequest;
};
