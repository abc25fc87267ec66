#include "support/overwrite_prompt.h"

#include <QLabel>
#include <QPushButton>

#include "frame/file_message.h"

std::function<int(QDialog&)> AnswerOverwrite(const std::string& answer, OverwritePromptSeen* seen) {
    return [answer, seen](QDialog& dialog) {
        auto& prompt = static_cast<frmFileMessage&>(dialog);
        if (seen != nullptr) {
            seen->Text = prompt.Label1()->text().toStdString();
            seen->YesToAllEnabled = prompt.Command1(2)->isEnabled();
        }
        const int index = answer == "Yes" ? 0 : answer == "No" ? 1 : 2;
        prompt.Command1(index)->click();
        return prompt.result();
    };
}
