#pragma once
// Process-wide state of the message functions and the long-message dialog.

#include <QString>
#include <atomic>

// Answer of the last Yes/No question: 1 Yes, 0 No. Written on the GUI thread
// only; every question also answers through its own return value.
inline std::atomic<int> yes_no_msg_val{0};

// State of the long-message dialog's apply-to-all box at its last OK. Read by
// the series import and the series manager to skip further questions; only
// the dialog's OK changes it.
inline std::atomic<int> Msg_Apply_All_Chk{0};

// Title and text the long-message dialog shows when its caller gives no title
// of its own (help texts).
inline QString Cutom_Msg_Title;
inline QString Cutom_Msg_Val;
