// The one road from an operation to the user. Operations call MsgBox, InputBox,
// ShowModal, DoEvents, the wait cursor and the common file dialog; the program
// installs the Qt implementation and tests install a scripted one. This header
// is free of Qt so that the display-free layers can report through it too.
#pragma once

#include <string>
#include <vector>

class QDialog;

// Message box buttons, icons and default button, with the values the message
// tables of the program are written in.
enum VbMsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton1 = 0,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};

enum VbMsgBoxResult : int {
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7,
};

// The title every message of the program carries.
inline constexpr const char* AppTitle = "Lumivex";

// Splits a style into its parts.
inline int ButtonsOf(int style) {
    return style & 0x0F;
}
inline int IconOf(int style) {
    return style & 0xF0;
}
inline int DefaultButtonOf(int style) {
    return style & 0xF00;
}

class CommonDialog;

// What a file dialog answered: the chosen full paths (empty when cancelled) and
// the filter the user left selected (1-based).
struct FileDialogAnswer {
    std::vector<std::string> Paths;
    int FilterIndex = 1;
};

class UserInterface {
public:
    virtual ~UserInterface() = default;
    virtual int MsgBox(const std::string& prompt, int buttons, const std::string& title) = 0;
    // The typed text, or the empty text when the user cancelled.
    virtual std::string InputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) = 0;
    // Shows the dialog modally; returns its QDialog result code.
    virtual int ShowModal(QDialog& dialog) = 0;
    // Called by commands after a dialog, before long work: the windows
    // repaint, but like LetWindowSystemThrough it takes no key or mouse input.
    virtual void DoEvents() = 0;
    // Between two files of a run: lets the window system's own events through
    // (repaint, timers, the window manager's ping, a close request), but no
    // key or mouse input. Cheap when called often: it does so at most about
    // every 50 ms.
    virtual void LetWindowSystemThrough() = 0;
    virtual void SetWaitCursor(bool waiting) = 0;
    virtual FileDialogAnswer ShowFileDialog(const CommonDialog& dialog, bool save) = 0;
};

// Installs the implementation every call below goes to; returns the previous
// one. The caller keeps ownership.
UserInterface* InstallUserInterface(UserInterface* ui);
UserInterface& CurrentUserInterface();

int MsgBox(const std::string& prompt, int buttons = vbOKOnly, const std::string& title = AppTitle);
std::string InputBox(const std::string& prompt, const std::string& title = AppTitle,
                     const std::string& defaultText = "");
int ShowModal(QDialog& dialog);
void DoEvents();

// What every run over the work list asks between two files: it keeps the
// windows alive (LetWindowSystemThrough) and is true once the program is
// ending, when the run stops there as after Cancel and what it wrote stays.
bool RunEnding();

// The main window's mouse pointer: 11 (hourglass) or 0 (default).
inline constexpr int vbHourglass = 11;
inline constexpr int vbDefault = 0;
void SetMousePointer(int pointer);
