// The keyboard as users of the desktop expect it, in every window and dialog
// alike, kept in one place rather than in each form: Return or Enter presses
// the focused push button as Space does, Return in a box presses only the
// default button a dialog names, Tab leaves a multi-line text box, and a
// dialog opens on its first input or choice rather than on a button.
#pragma once

class QWidget;

// Installs the rule for the whole application; a second call does nothing.
// Needs a QApplication.
void InstallKeyboardRule();

// The control a dialog opens on: the first enabled input or choice in its tab
// order, or nullptr when it has only buttons.
QWidget* FirstInput(QWidget& window);
