#pragma once
// The main window controller's services for the print and export windows:
// its window, the two object lists, the record binding state and the batch
// card source over BatchRun.

#include "output/OutputHost.h"

class SKTWindowController;

class ControllerOutputHost : public OutputHost {
public:
    explicit ControllerOutputHost(SKTWindowController& controller) : m_controller(controller) {}

    QWidget* mainWindow() const override;
    SKTGraphicList frontGraphics() const override;
    SKTGraphicList backGraphics() const override;
    BatchState Check_Series_Or_Excel_Use_or_not() override;
    int Get_total_Card_count(const BatchState& state) override;
    std::unique_ptr<CardSource> batchSource(const BatchState& state, bool printing) override;
    void Open_Export_File_Box() override;

private:
    SKTWindowController& m_controller;
};
