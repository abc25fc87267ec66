#include "platform/ui/end_control.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include "platform/ui/end_request.h"

namespace {

int signalPipe[2] = {-1, -1};
int nestedEvents = 0;
bool endActionRan = false;
std::function<void()> endAction;
QPointer<QTimer> endTimer;

void OnEndSignal(int signal) {
    // Only the flag, a write and the default action are safe here; the event
    // loop does the rest. A second signal while the end is still pending
    // means the end hangs: the program then ends at once, as the signal's
    // default would have it.
    if (EndRequested()) {
        ::signal(signal, SIG_DFL);
        ::raise(signal);
        return;
    }
    const int interruptedErrno = errno;
    MarkEndRequested();
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
    errno = interruptedErrno;
}

// Every modal dialog that is open ends as by its Cancel; inner and outer ones
// alike, since an outer dialog's loop would otherwise keep running once the
// inner one has returned.
void RejectModals() {
    QList<QPointer<QWidget>> open;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->isModal()) {
            open.append(widget);
        }
    }
    for (const QPointer<QWidget>& widget : open) {
        if (widget.isNull() || !widget->isVisible()) {
            continue;
        }
        if (auto* dialog = qobject_cast<QDialog*>(widget.data())) {
            dialog->reject();
        } else {
            widget->close();
        }
    }
    if (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
    }
}

void EndWhenBackAtTopLevel() {
    RejectModals();
    if (InsideNestedLoop() || endActionRan) {
        return;
    }
    endActionRan = true;
    endTimer->stop();
    if (endAction) {
        endAction();
    } else {
        QApplication::closeAllWindows();
        QApplication::quit();
    }
}

}  // namespace

void InstallEndSignals() {
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        std::fprintf(stderr, "Lumivex: termination signals cannot be handled: %s\n",
                     std::strerror(errno));
        return;
    }
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] {
        char bytes[16];
        while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {
        }
        RequestEnd();
    });
    struct sigaction action {};
    action.sa_handler = OnEndSignal;
    // Neither signal interrupts the other's handler.
    sigemptyset(&action.sa_mask);
    sigaddset(&action.sa_mask, SIGTERM);
    sigaddset(&action.sa_mask, SIGINT);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT}) {
        // A signal ignored at start (a shell's background job, nohup) is the
        // starter's wish and stays ignored.
        struct sigaction inherited {};
        if (::sigaction(signal, nullptr, &inherited) == 0 && inherited.sa_handler == SIG_IGN) {
            continue;
        }
        ::sigaction(signal, &action, nullptr);
    }
}

void SetEndAction(std::function<void()> action) {
    endAction = std::move(action);
    endActionRan = false;
}

void RequestEnd() {
    MarkEndRequested();
    RejectModals();
    if (endTimer.isNull()) {
        endTimer = new QTimer(qApp);
        // Often enough that the end follows the last dialog at once, seldom
        // enough to cost a batch nothing.
        endTimer->setInterval(10);
        QObject::connect(endTimer, &QTimer::timeout, qApp, EndWhenBackAtTopLevel);
    }
    if (!endActionRan) {
        endTimer->start();
    }
}

bool InsideNestedLoop() {
    return QThread::currentThread()->loopLevel() > 1 || nestedEvents > 0;
}

NestedEvents::NestedEvents() {
    ++nestedEvents;
}

NestedEvents::~NestedEvents() {
    --nestedEvents;
}
