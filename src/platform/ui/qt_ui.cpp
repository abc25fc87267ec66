#include "platform/ui/qt_ui.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QWindow>

#include "platform/ui/common_dialog.h"
#include "platform/ui/end_control.h"
#include "platform/ui/end_request.h"

QString DisplayText(const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QChar('\r'), QChar('\n'));
    return shown;
}

QStringList QtNameFilters(const CommonDialog& dialog) {
    QStringList filters;
    for (const auto& [description, pattern] : dialog.FilterPairs()) {
        QString patterns = QString::fromStdString(pattern);
        patterns.replace(QChar(';'), QChar(' '));
        const QString text = QString::fromStdString(description);
        // Qt reads the patterns from the last parentheses of the text, which
        // the descriptions mostly carry already.
        if (text.endsWith(QStringLiteral("(") + patterns + QStringLiteral(")"))) {
            filters << text;
        } else {
            filters << text + QStringLiteral(" (") + patterns + QStringLiteral(")");
        }
    }
    return filters;
}

namespace {

struct ButtonSet {
    std::vector<std::pair<QMessageBox::StandardButton, int>> buttons;
    int escapeResult;
};

ButtonSet ButtonsFor(int style) {
    using B = QMessageBox;
    switch (ButtonsOf(style)) {
        case vbOKCancel:
            return {{{B::Ok, vbOK}, {B::Cancel, vbCancel}}, vbCancel};
        case vbAbortRetryIgnore:
            return {{{B::Abort, vbAbort}, {B::Retry, vbRetry}, {B::Ignore, vbIgnore}}, 0};
        case vbYesNoCancel:
            return {{{B::Yes, vbYes}, {B::No, vbNo}, {B::Cancel, vbCancel}}, vbCancel};
        case vbYesNo:
            return {{{B::Yes, vbYes}, {B::No, vbNo}}, 0};
        case vbRetryCancel:
            return {{{B::Retry, vbRetry}, {B::Cancel, vbCancel}}, vbCancel};
        default:
            return {{{B::Ok, vbOK}}, vbOK};
    }
}

QMessageBox::Icon IconFor(int style) {
    switch (IconOf(style)) {
        case vbCritical:
            return QMessageBox::Critical;
        case vbQuestion:
            return QMessageBox::Question;
        case vbExclamation:
            return QMessageBox::Warning;
        case vbInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

}  // namespace

int QtUserInterface::MsgBox(const std::string& prompt, int buttons, const std::string& title) {
    if (EndRequested()) {
        return EndAnswer(buttons);
    }
    QMessageBox box(IconFor(buttons), QString::fromStdString(title), DisplayText(prompt),
                    QMessageBox::NoButton, Parent);
    const ButtonSet set = ButtonsFor(buttons);
    std::vector<std::pair<QAbstractButton*, int>> added;
    for (const auto& [standard, result] : set.buttons) {
        added.emplace_back(box.addButton(standard), result);
    }
    const std::size_t defaultIndex = static_cast<std::size_t>(DefaultButtonOf(buttons) / 256);
    if (defaultIndex < added.size()) {
        box.setDefaultButton(qobject_cast<QPushButton*>(added[defaultIndex].first));
    }
    for (const auto& [button, result] : added) {
        if (result == set.escapeResult) {
            box.setEscapeButton(button);
        }
    }
    box.exec();
    for (const auto& [button, result] : added) {
        if (box.clickedButton() == button) {
            return result;
        }
    }
    if (EndRequested()) {
        return EndAnswer(buttons);
    }
    return set.escapeResult != 0 ? set.escapeResult : added.front().second;
}

std::string QtUserInterface::InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) {
    if (EndRequested()) {
        return {};
    }
    bool ok = false;
    const QString text =
        QInputDialog::getText(Parent, QString::fromStdString(title), DisplayText(prompt),
                              QLineEdit::Normal, QString::fromStdString(defaultText), &ok);
    return ok ? text.toStdString() : std::string();
}

int QtUserInterface::ShowModal(QDialog& dialog) {
    if (EndRequested()) {
        return QDialog::Rejected;
    }
    return dialog.exec();
}

namespace {

// Qt's own way, processEvents(ExcludeUserInputEvents), holds back the close
// box too: Qt counts a window system's close as user input, and so does the
// X11 plugin for the window manager's delete message. Held back, the close
// would wait for the run's closing message box, whose modality then drops it.
// So the events are handled in full, and this filter takes away what the user
// types, clicks or drops on any window while a command runs.
class UserInputFilter : public QObject {
public:
    explicit UserInputFilter(const QWidget* mainWindow) : mainWindow_(mainWindow) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::ShortcutOverride:
                // Accepted, the key never reaches the shortcut map, which
                // would otherwise keep a half-typed sequence for later.
                event->accept();
                return true;
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::Shortcut:
            case QEvent::InputMethod:
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseMove:
            case QEvent::Wheel:
            case QEvent::TouchBegin:
            case QEvent::TouchUpdate:
            case QEvent::TouchEnd:
            case QEvent::TouchCancel:
            case QEvent::TabletPress:
            case QEvent::TabletMove:
            case QEvent::TabletRelease:
            case QEvent::ContextMenu:
            case QEvent::DragEnter:
            case QEvent::DragMove:
            case QEvent::Drop:
                return true;
            case QEvent::Close:
                if (event->spontaneous() && watched->isWindowType() &&
                    !MayClose(static_cast<QWindow*>(watched))) {
                    event->ignore();
                    return true;
                }
                return false;
            default:
                return false;
        }
    }

private:
    // The main window's close ends the command and then the program; the
    // modal dialog a command runs in decides itself. Any other window (a
    // graph window deletes itself on close) could be in use by the command,
    // so its close box does nothing until the command is over.
    bool MayClose(const QWindow* window) const {
        const QWidget* modal = QApplication::activeModalWidget();
        return (mainWindow_ != nullptr && window == mainWindow_->windowHandle()) ||
               (modal != nullptr && window == modal->windowHandle());
    }

    const QWidget* mainWindow_;
};

}  // namespace

void QtUserInterface::HandleEventsButUserInput() {
    // A timer or repaint handled here may itself reach a loop that asks.
    if (handling_) {
        return;
    }
    handling_ = true;
    UserInputFilter filter(MainForm);
    qApp->installEventFilter(&filter);
    {
        // A close of the main window arriving now must not delete it under
        // the command: end_control turns it into a request to end.
        NestedEvents nested;
        QCoreApplication::processEvents();
    }
    qApp->removeEventFilter(&filter);
    handling_ = false;
}

void QtUserInterface::DoEvents() {
    // The window needs it no oftener than a screen shows a frame, and
    // handling events at every call slowed the loops that once called it.
    constexpr qint64 FrameMilliseconds = 16;
    if (eventsHandled_.isValid() && eventsHandled_.elapsed() < FrameMilliseconds) {
        return;
    }
    HandleEventsButUserInput();
    eventsHandled_.start();
}

void QtUserInterface::LetWindowSystemThrough() {
    // Often enough for a window manager to see the program alive and for the
    // progress bar to move smoothly; the check is all a file costs otherwise.
    constexpr qint64 IntervalMilliseconds = 50;
    if (windowSystemLetThrough_.isValid() &&
        windowSystemLetThrough_.elapsed() < IntervalMilliseconds) {
        return;
    }
    HandleEventsButUserInput();
    windowSystemLetThrough_.start();
}

void QtUserInterface::SetWaitCursor(bool waiting) {
    // The pointer is a setting, not a stack: setting the hourglass twice and
    // the default once leaves the default.
    if (waiting && !waiting_) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (!waiting && waiting_) {
        QGuiApplication::restoreOverrideCursor();
    }
    waiting_ = waiting;
}

FileDialogAnswer QtUserInterface::ShowFileDialog(const CommonDialog& dialog, bool save) {
    if (EndRequested()) {
        return {{}, dialog.FilterIndex >= 1 ? dialog.FilterIndex : 1};
    }
    QFileDialog box(Parent, QString::fromStdString(dialog.DialogTitle),
                    QString::fromStdString(dialog.InitDir));
    box.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    const QStringList filters = QtNameFilters(dialog);
    box.setNameFilters(filters);
    const int index = dialog.FilterIndex >= 1 ? dialog.FilterIndex : 1;
    if (index <= filters.size()) {
        box.selectNameFilter(filters[index - 1]);
    }
    QString suffix = QString::fromStdString(dialog.DefaultExt);
    if (suffix.startsWith(QChar('.'))) {
        suffix.remove(0, 1);
    }
    box.setDefaultSuffix(suffix);
    if (!save) {
        // Without "file must exist" the open form also names a new file, as
        // the exports use it for their outputs.
        box.setFileMode((dialog.Flags & cdlOFNAllowMultiselect) != 0 ? QFileDialog::ExistingFiles
                        : (dialog.Flags & cdlOFNFileMustExist) != 0  ? QFileDialog::ExistingFile
                                                                     : QFileDialog::AnyFile);
    }
    box.setOption(QFileDialog::DontConfirmOverwrite, (dialog.Flags & cdlOFNOverwritePrompt) == 0);
    if (!dialog.FileName.empty()) {
        box.selectFile(QString::fromStdString(dialog.FileName));
    }
    FileDialogAnswer answer;
    const bool accepted = box.exec() == QDialog::Accepted;
    answer.FilterIndex = static_cast<int>(filters.indexOf(box.selectedNameFilter())) + 1;
    if (accepted) {
        for (const QString& file : box.selectedFiles()) {
            answer.Paths.push_back(file.toStdString());
        }
    }
    return answer;
}
