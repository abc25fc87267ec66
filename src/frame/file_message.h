// The overwrite prompt every operation shows before it replaces an existing
// output file. Its "Yes to All" answer silences the prompt for the rest of a
// batch run.
#pragma once

#include <QDialog>
#include <array>
#include <string>

class QLabel;
class QPushButton;

class frmFileMessage : public QDialog {
    Q_OBJECT

public:
    explicit frmFileMessage(QWidget* parent = nullptr);

    // The question; the caller sets its text.
    QLabel* Label1() const { return label1_; }
    // 0 "Yes", 1 "No", 2 "Yes to All"; the caller enables the third one only
    // when more than one file is being written.
    QPushButton* Command1(int index) const;

    // "Yes", "No" or "Yes All" (not the caption "Yes to All"). "No" until a
    // button is clicked, so a prompt closed any other way never overwrites.
    const std::string& answer() const { return answer_; }

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Command1_Click(int index);

    QLabel* label1_ = nullptr;
    std::array<QPushButton*, 3> command1_{};
    std::string answer_;
};

// The prompt as the batches use it: shows question with "Yes to All" enabled
// or not, waits for the answer, removes the dialog and lets the main window
// repaint once. Returns "Yes", "No" or "Yes All".
std::string AskOverwrite(const std::string& question, bool yesToAllEnabled);
