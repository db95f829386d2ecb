#pragma once
// A stand-in main window for the output windows' tests: empty object
// lists (so each side renders as its background), a scripted binding state,
// and a count of open-the-file prompts; plus the modal-run and printer-list
// hooks, restored when the fixture ends.

#include "output/OutputHost.h"

#include <QDialog>
#include <QStringList>
#include <functional>

class FakeOutputHost : public OutputHost {
public:
    QWidget* mainWindow() const override { return nullptr; }
    SKTGraphicList frontGraphics() const override { return {}; }
    SKTGraphicList backGraphics() const override { return {}; }
    BatchState Check_Series_Or_Excel_Use_or_not() override { return state; }
    int Get_total_Card_count(const BatchState& s) override {
        return s.any() ? state.Total_Batch_Excel_Card : 0;
    }
    std::unique_ptr<CardSource> batchSource(const BatchState&, bool) override { return nullptr; }
    void Open_Export_File_Box() override { ++fileBoxes; }

    BatchState state;
    int fileBoxes = 0;
};

// Installs the host, a card of 85.6 x 54 mm, the resource folder of the
// source tree, printers and a modal runner for the life of the object.
class OutputWindowsEnvironment {
public:
    using Runner = std::function<int(QDialog&)>;
    explicit OutputWindowsEnvironment(QStringList printers = {QStringLiteral("Test Printer")});
    ~OutputWindowsEnvironment();
    OutputWindowsEnvironment(const OutputWindowsEnvironment&) = delete;
    OutputWindowsEnvironment& operator=(const OutputWindowsEnvironment&) = delete;

    void setRunner(Runner runner);

    FakeOutputHost host;
};

// Saves a picture of the widget into CARD_SCREENSHOT_DIR when it is set.
void saveScreenshot(QWidget& widget, const QString& name);
