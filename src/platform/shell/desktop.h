// What the desktop offers for showing a document: its top-level windows (where
// the display server lets a program see them) and the program registered for
// a kind of file.
#pragma once

#include <cstdint>
#include <string>

using WindowHandle = uint32_t;

// The first top-level window whose title contains Title (exact letter case);
// 0 when there is none or when the display server does not show other
// programs' windows (Wayland, offscreen).
WindowHandle FindWindowByTitle(const std::string& Title);

// How a window is shown: 1 normal, 2 minimised, 0 other (withdrawn); -1 when
// its placement cannot be read.
int WindowShowState(WindowHandle window);

// Restores a minimised window, or brings a shown one to the top.
void ActivateWindow(WindowHandle window);
// Shows a window that is neither shown nor minimised.
void MapWindow(WindowHandle window);

// The desktop entry of the program registered for the document's kind (for a
// PDF, the desktop's default PDF reader), as a full path; empty when none.
std::string FindRegisteredProgram(const std::string& FileName, const std::string& Folder);

// Starts Program (a desktop entry) on FileName, in Folder. False when it could
// not be started.
bool OpenWithProgram(const std::string& Program, const std::string& FileName,
                     const std::string& Folder);
