// The running program as main() starts it: the Qt user interface, the
// services, the main window, and its end on a termination signal.
#pragma once

class QtUserInterface;

// Names the application, installs ui (the caller keeps it) and everything
// else the program needs, then shows the main window. The caller runs the
// event loop.
void StartProgram(QtUserInterface& ui);

// The end of a request to end, once no command or dialog runs any more: the
// main window closes as on File > Exit, then whatever window is left.
void CloseProgram();
