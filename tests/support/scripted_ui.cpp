#include "support/scripted_ui.h"

#include <gtest/gtest.h>

namespace {
ScriptedUi::Prompt MakePrompt(ScriptedUi::Kind kind, const std::string& text, int buttons,
                              const std::string& title) {
    ScriptedUi::Prompt prompt;
    prompt.kind = kind;
    prompt.text = text;
    prompt.buttons = buttons;
    prompt.title = title;
    return prompt;
}
}  // namespace

ScriptedUi::ScriptedUi() : previous_(InstallUserInterface(this)) {}

ScriptedUi::~ScriptedUi() {
    InstallUserInterface(previous_);
    EXPECT_TRUE(answers_.empty()) << answers_.size() << " scripted answer(s) never asked for";
}

ScriptedUi& ScriptedUi::Answer(int msgBoxResult) {
    answers_.push_back(MsgBoxAnswer{msgBoxResult});
    return *this;
}

ScriptedUi& ScriptedUi::Type(const std::string& text) {
    answers_.push_back(InputAnswer{text});
    return *this;
}

ScriptedUi& ScriptedUi::Drive(std::function<int(QDialog&)> driver) {
    answers_.push_back(ModalAnswer{std::move(driver)});
    return *this;
}

ScriptedUi& ScriptedUi::Choose(std::vector<std::string> paths, int filterIndex) {
    answers_.push_back(FileAnswer{FileDialogAnswer{std::move(paths), filterIndex}});
    return *this;
}

ScriptedUi& ScriptedUi::CancelFileDialog(int filterIndex) {
    return Choose({}, filterIndex);
}

std::vector<std::string> ScriptedUi::Messages() const {
    std::vector<std::string> texts;
    for (const Prompt& prompt : Prompts) {
        if (prompt.kind == Kind::Message) {
            texts.push_back(prompt.text);
        }
    }
    return texts;
}

template <typename T>
bool ScriptedUi::Take(T& out, const std::string& what) {
    if (answers_.empty() || !std::holds_alternative<T>(answers_.front())) {
        ADD_FAILURE() << "unexpected prompt: " << what
                      << (answers_.empty() ? " (no answer queued)"
                                           : " (the next queued answer is for another prompt)");
        return false;
    }
    out = std::get<T>(std::move(answers_.front()));
    answers_.pop_front();
    return true;
}

int ScriptedUi::MsgBox(const std::string& prompt, int buttons, const std::string& title) {
    Prompts.push_back(MakePrompt(Kind::Message, prompt, buttons, title));
    const int kind = ButtonsOf(buttons);
    if (kind == vbOKOnly) {
        return vbOK;
    }
    MsgBoxAnswer answer{vbCancel};
    if (!Take(answer, "message box \"" + prompt + "\"")) {
        return kind == vbYesNo ? vbNo : kind == vbAbortRetryIgnore ? vbAbort : vbCancel;
    }
    return answer.result;
}

std::string ScriptedUi::InputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) {
    Prompts.push_back(MakePrompt(Kind::Input, prompt, 0, title));
    Prompts.back().defaultText = defaultText;
    InputAnswer answer;
    Take(answer, "input box \"" + prompt + "\"");
    return answer.text;
}

int ScriptedUi::ShowModal(QDialog& dialog) {
    Prompts.push_back(MakePrompt(Kind::Modal, "", 0, ""));
    ModalAnswer answer;
    if (!Take(answer, "modal dialog") || !answer.driver) {
        return 0;
    }
    return answer.driver(dialog);
}

FileDialogAnswer ScriptedUi::ShowFileDialog(const CommonDialog& dialog, bool save) {
    Prompt prompt = MakePrompt(save ? Kind::SaveFile : Kind::OpenFile, dialog.DialogTitle, 0,
                               dialog.DialogTitle);
    prompt.defaultText = dialog.FileName;
    prompt.initDir = dialog.InitDir;
    prompt.filter = dialog.Filter;
    prompt.flags = dialog.Flags;
    Prompts.push_back(prompt);
    FileAnswer answer;
    if (!Take(answer, "file dialog \"" + dialog.DialogTitle + "\"")) {
        return FileDialogAnswer{{}, dialog.FilterIndex};
    }
    if (answer.answer.FilterIndex == 0) {
        answer.answer.FilterIndex = dialog.FilterIndex;
    }
    return answer.answer;
}
