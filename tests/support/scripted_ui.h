// A user interface for tests: it records every prompt as the user would have
// seen it and answers from a queue the test fills beforehand. A prompt that
// needs an answer the queue does not hold fails the test.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "platform/ui/common_dialog.h"
#include "platform/ui/ui.h"

class ScriptedUi : public UserInterface {
public:
    enum class Kind { Message, Input, Modal, OpenFile, SaveFile };

    struct Prompt {
        Kind kind = Kind::Message;
        std::string text;   // message or input prompt, or the dialog title
        int buttons = 0;    // message style (buttons + icon + default button)
        std::string title;  // window title
        std::string defaultText;
        std::string initDir;
        std::string filter;
        long flags = 0;
    };

    // Installs itself for the lifetime of the object.
    ScriptedUi();
    ~ScriptedUi() override;
    ScriptedUi(const ScriptedUi&) = delete;
    ScriptedUi& operator=(const ScriptedUi&) = delete;

    // Queue answers, in the order the prompts will come. Message boxes with
    // only an OK button take none: they answer OK by themselves.
    ScriptedUi& Answer(int msgBoxResult);
    ScriptedUi& Type(const std::string& text);
    ScriptedUi& CancelInput() { return Type(""); }
    ScriptedUi& Drive(std::function<int(QDialog&)> driver);
    ScriptedUi& Choose(std::vector<std::string> paths, int filterIndex = 0);
    ScriptedUi& CancelFileDialog(int filterIndex = 0);

    std::vector<Prompt> Prompts;
    int DoEventsCount = 0;
    bool Waiting = false;

    // The texts of the message boxes shown so far, in order.
    std::vector<std::string> Messages() const;
    std::size_t PendingAnswers() const { return answers_.size(); }

    int MsgBox(const std::string& prompt, int buttons, const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    int ShowModal(QDialog& dialog) override;
    void DoEvents() override { ++DoEventsCount; }
    void LetWindowSystemThrough() override {}
    void SetWaitCursor(bool waiting) override { Waiting = waiting; }
    FileDialogAnswer ShowFileDialog(const CommonDialog& dialog, bool save) override;

private:
    struct MsgBoxAnswer {
        int result;
    };
    struct InputAnswer {
        std::string text;
    };
    struct ModalAnswer {
        std::function<int(QDialog&)> driver;
    };
    struct FileAnswer {
        FileDialogAnswer answer;
    };
    using Answer_ = std::variant<MsgBoxAnswer, InputAnswer, ModalAnswer, FileAnswer>;

    template <typename T>
    bool Take(T& out, const std::string& what);

    std::deque<Answer_> answers_;
    UserInterface* previous_;
};
