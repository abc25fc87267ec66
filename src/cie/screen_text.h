// Numbers as the panel shows them and reads them back, the desktop's
// separators, the numeric key filter of its text boxes, and the seam through
// which the control reaches the user.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "cie/cie_api.h"

class QLineEdit;

// 0: the decimal separator, 1: the time separator, anything else: "". Read
// from the default locale on the first call in the process and kept; the time
// separator is the one of the short time format, ":" when it has none.
CIE_API QString GetLocaleSeparator(int which);
// Forgets the kept separators, so that the next call reads them again.
CIE_API void ResetLocaleSeparators();

// A value in a pattern of the program's number rules, with the desktop's
// decimal separator in place of ".".
CIE_API QString ScreenFormat(double value, const char* pattern);
CIE_API QString ScreenFormat(float value, const char* pattern);
// A text typed on the panel as a number: the desktop's decimal separator is
// the only decimal sign; nothing when the text is no number.
CIE_API std::optional<double> ScreenNumber(const QString& text);

// Decides whether a typed character may go into the box; false means the key
// is swallowed (and the caller beeps). `key` is the character code as the
// keyboard delivered it (8 backspace, 13 return, 22 Ctrl+V, ...).
CIE_API bool FilterNumericKey(const QLineEdit& box, char16_t key, bool decimals, bool negatives,
                              bool times);

// How the control talks to the user. A host that routes its own messages and
// sounds (the program's user interface, a test) installs its functions; an
// empty function falls back to a plain message box or the desktop's beep.
struct CieUserHooks {
    std::function<int(const std::string& prompt, int buttons, const std::string& title)> MsgBox;
    std::function<void()> Beep;
};
CIE_API void InstallCieUserHooks(CieUserHooks hooks);
int CieMsgBox(const std::string& prompt, int buttons, const std::string& title);
void CieBeep();
