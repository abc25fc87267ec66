#include "platform/ui/ui.h"

#include <stdexcept>

#include "platform/ui/end_request.h"

namespace {
UserInterface* Installed = nullptr;
}

UserInterface* InstallUserInterface(UserInterface* ui) {
    UserInterface* previous = Installed;
    Installed = ui;
    return previous;
}

UserInterface& CurrentUserInterface() {
    if (Installed == nullptr) {
        throw std::logic_error("no user interface installed");
    }
    return *Installed;
}

int MsgBox(const std::string& prompt, int buttons, const std::string& title) {
    return CurrentUserInterface().MsgBox(prompt, buttons, title);
}

std::string InputBox(const std::string& prompt, const std::string& title,
                     const std::string& defaultText) {
    return CurrentUserInterface().InputBox(prompt, title, defaultText);
}

int ShowModal(QDialog& dialog) {
    return CurrentUserInterface().ShowModal(dialog);
}

void DoEvents() {
    CurrentUserInterface().DoEvents();
}

bool RunEnding() {
    CurrentUserInterface().LetWindowSystemThrough();
    return EndRequested();
}

void SetMousePointer(int pointer) {
    CurrentUserInterface().SetWaitCursor(pointer == vbHourglass);
}
