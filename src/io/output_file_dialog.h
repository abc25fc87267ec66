// The main window's file dialog in its open form, asking where a text export
// that gathers several spectra goes.
#pragma once

#include <string>

class BatchHost;

// Starts in the output folder with no name filled in; a name that does not
// exist yet is accepted. Pending events run once the dialog is gone. The
// chosen path, or the empty text when the user cancelled.
std::string AskOutputFile(BatchHost& host, const char* title, const char* defaultExt,
                          const char* filter);
