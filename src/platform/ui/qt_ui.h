// The user interface of the running program, on Qt widgets.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

#include "platform/ui/ui.h"

class QWidget;

class QtUserInterface : public UserInterface {
public:
    int MsgBox(const std::string& prompt, int buttons, const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    int ShowModal(QDialog& dialog) override;
    void DoEvents() override;
    void LetWindowSystemThrough() override;
    void SetWaitCursor(bool waiting) override;
    FileDialogAnswer ShowFileDialog(const CommonDialog& dialog, bool save) override;

    // The window the boxes are centred on (the main window once it exists).
    QWidget* Parent = nullptr;
    // The window whose close box, pressed while a command runs, ends the
    // command and then the program.
    QPointer<QWidget> MainForm;

private:
    void HandleEventsButUserInput();

    bool waiting_ = false;
    bool handling_ = false;
    QElapsedTimer eventsHandled_;
    QElapsedTimer windowSystemLetThrough_;
};

// Message text as typed by the operations (CR, LF or CR LF line breaks) to the
// text a Qt label shows.
QString DisplayText(const std::string& text);

// "desc|pattern|desc|pattern" to Qt's "desc (pattern)" list.
QStringList QtNameFilters(const CommonDialog& dialog);
