#pragma once
// Message boxes that any thread may ask for, and logging. The alert itself is
// always built on the GUI thread (through hooks::answerAlert); a worker thread
// waits there until the user has answered.

#include <QString>

// An alert with the text after a line break and the one button "OK".
void Show_MessageBox(const QString& text);

// A question with the default button "Yes" and the button "No"; answers 1 for
// Yes, 0 for No or for a question closed without a choice. The answer is also
// left in yes_no_msg_val.
int Show_YES_NO_MessageBox(const QString& text);

// How the user answered a question asked by Ask_Yes_No.
enum class QuestionAnswer {
    Yes,
    No,
    // The question was closed without a choice (its close button, Escape).
    Dismissed,
};

// The same question as Show_YES_NO_MessageBox, for questions whose "No"
// gives something up (a design with unsaved changes): closing the question
// without a choice answers Dismissed, so the caller can stop and keep
// everything as it is. yes_no_msg_val is 1 for Yes, else 0.
QuestionAnswer Ask_Yes_No(const QString& text);

// The same alert as Show_MessageBox.
void Show_MessageBox_No_Thread(const QString& text);

// An alert with the text as given and the button "OK"; answers the button
// code (1 for OK).
int show_msg(const QString& text);

// Writes a non-empty text to the system log.
void Show_NSLog_Message(const QString& text);

// The GUI-thread halves of the two message functions, for the main window to
// forward its alert methods to. They must be called on the GUI thread.
void Main_Thread_Messgae(const QString& text);
int Main_Thread_Messgae_Yes_No(const QString& text);
