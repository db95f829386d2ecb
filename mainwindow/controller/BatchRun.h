#pragma once
// One walk over the records of a batch, for printing, export and e-mail.
// Made after Check_Series_Or_Excel_Use_or_not (and any opt-out followed by
// Get_total_Card_count). While it lives, Card_Value_In_Process is set; when
// it goes (also after a stop or an error) record 0 goes back into the design
// and the side the run began on is current again.
//
// Usable from any thread: filling and the snapshot of a side run on the GUI
// thread (a blocking queued call from a worker), so a worker only
// rasterises or sends the pictures it gets.

#include "platform/CardPicture.h"

#include <QString>

class SKTWindowController;

class BatchRun {
public:
    BatchRun(SKTWindowController& controller, bool print_box);
    ~BatchRun();
    BatchRun(const BatchRun&) = delete;
    BatchRun& operator=(const BatchRun&) = delete;

    // Number of records of the run (Total_Batch_Excel_Card).
    int count() const;

    struct Pictures {
        CardPicture back;
        CardPicture front;
    };
    // The pictures of record i for "F", "B" or "BOTH" (the back made first);
    // a side not asked for, or not rendered, is none. The current side is
    // the run's starting side again afterwards.
    Pictures record(int i, const QString& sides);
    // Fills one side ("F" or "B") with record i without rendering it, and
    // leaves that side current: for drawing the live side at once. GUI
    // thread only.
    void fill(int i, const QString& side);
    // Ends the run now (the destructor does it otherwise).
    void end();

private:
    SKTWindowController& m_controller;
    bool m_printBox;
    int m_savedSide;
    bool m_ended = false;
};
