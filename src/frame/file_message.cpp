#include "frame/file_message.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <stdexcept>

#include "platform/ui/center.h"
#include "platform/ui/qt_ui.h"
#include "platform/ui/ui.h"

namespace {
constexpr const char* NoAnswer = "No";
}

frmFileMessage::frmFileMessage(QWidget* parent) : QDialog(parent), answer_(NoAnswer) {
    setWindowTitle(QStringLiteral("File Error"));
    label1_ = new QLabel(this);
    label1_->setWordWrap(true);
    label1_->setTextFormat(Qt::PlainText);
    label1_->setMinimumWidth(360);

    auto* buttons = new QHBoxLayout;
    const char* captions[] = {"Yes", "No", "Yes to All"};
    for (int index = 0; index < 3; ++index) {
        auto* button = new QPushButton(QString::fromLatin1(captions[index]), this);
        connect(button, &QPushButton::clicked, this, [this, index] { Command1_Click(index); });
        buttons->addWidget(button);
        command1_[static_cast<std::size_t>(index)] = button;
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1_);
    layout->addLayout(buttons);
    adjustSize();
    CenterForm(*this);
}

QPushButton* frmFileMessage::Command1(int index) const {
    if (index < 0 || index >= static_cast<int>(command1_.size())) {
        throw std::out_of_range("frmFileMessage::Command1: no such button");
    }
    return command1_[static_cast<std::size_t>(index)];
}

void frmFileMessage::Command1_Click(int index) {
    answer_ = index == 0 ? "Yes" : index == 2 ? "Yes All" : NoAnswer;
    accept();
}

void frmFileMessage::reject() {
    // Esc and the title bar's close button must not fall through to the
    // caller's "anything but No overwrites".
    answer_ = NoAnswer;
    QDialog::reject();
}

void frmFileMessage::showEvent(QShowEvent* event) {
    // The caller may show the same prompt again; an answer from the last
    // show must not be read back if this one ends without a click.
    answer_ = NoAnswer;
    // The label's text is known only now, so the size may have changed.
    adjustSize();
    CenterForm(*this);
    QDialog::showEvent(event);
}

std::string AskOverwrite(const std::string& question, bool yesToAllEnabled) {
    std::string answer;
    {
        frmFileMessage prompt(QApplication::activeWindow());
        prompt.Label1()->setText(DisplayText(question));
        prompt.Command1(2)->setEnabled(yesToAllEnabled);
        ShowModal(prompt);
        answer = prompt.answer();
    }
    DoEvents();
    return answer;
}
