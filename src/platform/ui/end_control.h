// How the running program ends while it works. A request to end rejects every
// modal dialog that is open, and the closing itself waits until control is
// back in the program's own event loop: a window closed from inside a
// dialog's loop, DoEvents or a run's RunEnding would be deleted under the
// code that still uses it.
#pragma once

#include <functional>

// SIGTERM and SIGINT become RequestEnd; a second one while the end is
// pending ends the program at once. A signal ignored at start stays ignored.
// Call once, after the QApplication exists.
void InstallEndSignals();

// What runs once a request has been made and control is back in the top-level
// event loop: the program's own way of closing. Without one, all windows are
// closed and the application quits. Setting one arms it anew.
void SetEndAction(std::function<void()> action);

// Marks the request, rejects the open modal dialogs and runs the end action
// as soon as no nested event loop is left.
void RequestEnd();

// True while a modal dialog's event loop runs, or a command lets events
// through (DoEvents, RunEnding).
bool InsideNestedLoop();

// Held while a command lets events through.
class NestedEvents {
public:
    NestedEvents();
    ~NestedEvents();
    NestedEvents(const NestedEvents&) = delete;
    NestedEvents& operator=(const NestedEvents&) = delete;
};
