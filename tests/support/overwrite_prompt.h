// Answers the overwrite prompt in a scripted run, the way a user clicks it.
#pragma once

#include <functional>
#include <string>

class QDialog;

// What the prompt showed when it was answered.
struct OverwritePromptSeen {
    std::string Text;
    bool YesToAllEnabled = false;
};

// A driver for ScriptedUi::Drive that clicks "Yes", "No" or "Yes to All"
// (answer "Yes", "No", "Yes All"), first noting what the prompt showed.
std::function<int(QDialog&)> AnswerOverwrite(const std::string& answer,
                                             OverwritePromptSeen* seen = nullptr);
