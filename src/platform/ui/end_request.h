// A request to end the program (a termination signal, or the main window
// closed while a command runs). Once it is made, what runs ends as if the user
// had cancelled it: questions are answered with their Cancel or No, dialogs
// are rejected and loops stop at their next file. This header is free of Qt so
// that the batch loops of every layer can ask it.
#pragma once

// True once the end of the program has been asked for.
bool EndRequested();

// Records the request. Safe to call from a signal handler; the Qt side
// (end_control.h) does the rest from the event loop.
void MarkEndRequested();

// Forgets a request, for tests that go on after one.
void ClearEndRequest();

// What a message box of this style answers once the end is requested: its
// Cancel, its No, Abort of Abort/Retry/Ignore, or OK when that is all it has.
int EndAnswer(int style);
