// Where every dialog of the program appears: the middle of the primary
// screen's usable area, whichever window is active.
#pragma once

class QWidget;

// Positions the window's frame so that its left and top margins are half of
// the free width and height, the halves truncated. Does nothing without a
// screen.
void CenterForm(QWidget& Frm);
