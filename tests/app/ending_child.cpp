// The program as main() runs it (Qt user interface, main window, services,
// termination signals), with one scenario played on it: it brings the program
// to a dialog or a running batch, then asks it to end as a desktop session
// does (SIGTERM to itself) or as the user does (a window's close box, sent
// through Qt's window-system interface as a window manager's arrives, so that
// Qt's modal rules apply). The exit status is the program's own. Run in a
// folder holding the inputs in "in"; outputs go to "out".
//
//   ending_child exit | open-cancel | open | overwrite | batch | close | header |
//                colorimetry | batch-close | table-close | colorimetry-close |
//                responsive | hang | idle

#include <signal.h>
#include <unistd.h>

#include <qpa/qwindowsysteminterface.h>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/main_window.h"
#include "app/program.h"
#include "frame/file_message.h"
#include "frame/settings.h"
#include "io/export_dialog.h"
#include "platform/ui/end_control.h"
#include "platform/ui/qt_ui.h"
#include "views/colorimetry_window.h"
#include "views/header_window.h"

namespace fs = std::filesystem;

namespace {

int Outputs() {
    std::error_code error;
    int count = 0;
    for (fs::directory_iterator it("out", error), end; !error && it != end; it.increment(error)) {
        ++count;
    }
    return count;
}

void Terminate() {
    ::kill(::getpid(), SIGTERM);
}

// Sends SIGTERM from a thread of its own once `outputs` files are in "out":
// the signal then arrives while the main thread works through a batch.
class TerminateAfterOutputs {
public:
    explicit TerminateAfterOutputs(int outputs)
        : thread_([this, outputs] {
              while (!stop_ && Outputs() < outputs) {
                  std::this_thread::sleep_for(std::chrono::milliseconds(1));
              }
              // Sent also when the work ended before: the program must end
              // all the same, and the test then sees that nothing was stopped.
              Terminate();
          }) {}
    ~TerminateAfterOutputs() {
        stop_ = true;
        thread_.join();
    }

private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// Sends the window system's close for window from a thread of its own once
// `outputs` files are in "out", as a window manager does whatever the program
// is doing at the time.
class CloseAfterOutputs {
public:
    CloseAfterOutputs(QWindow* window, int outputs)
        : thread_([this, window, outputs] {
              while (!stop_ && Outputs() < outputs) {
                  std::this_thread::sleep_for(std::chrono::milliseconds(1));
              }
              // Sent also when the work ended before: the program then ends
              // from its main loop, and the test sees that nothing was
              // stopped.
              QWindowSystemInterface::handleCloseEvent(window);
          }) {}
    ~CloseAfterOutputs() {
        stop_ = true;
        thread_.join();
    }

private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

template <typename T>
T* ActiveModal() {
    return qobject_cast<T*>(QApplication::activeModalWidget());
}

// Runs an action from the event loop, outside the caller: a menu command or a
// click may open a dialog and so not return for a while.
void Later(std::function<void()> action) {
    QTimer::singleShot(0, qApp, std::move(action));
}

// Polls the program's state from its event loop (which runs inside dialogs
// and batches too) until step says it is done.
void Watch(std::function<bool()> step) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, qApp, [timer, step = std::move(step)] {
        if (step()) {
            timer->stop();
        }
    });
    timer->start(2);
}

// Runs action once a dialog of type T is up.
template <typename T>
void WhenShown(std::function<void(T*)> action) {
    Watch([action = std::move(action)] {
        T* dialog = ActiveModal<T>();
        if (dialog != nullptr) {
            action(dialog);
        }
        return dialog != nullptr;
    });
}

template <typename T>
void TerminateWhenShown() {
    WhenShown<T>([](T*) { Terminate(); });
}

// The graph is open on the first input, so that its look is saved on the
// way out.
void OpenGraph(frmLVX& window) {
    window.List2Box()->item(0)->setSelected(true);
    window.mnuGraph->trigger();
    window.List2Box()->clearSelection();
}

// Tells the test that the program waits in its main loop.
void Ready() {
    std::printf("ready\n");
    std::fflush(stdout);
}

// Counts what reaches one object: key presses, clicks, and the repaints
// asked for by update(), which wait in the queue as posted events.
class Counter : public QObject {
public:
    using QObject::QObject;

    int Keys = 0;
    int Clicks = 0;
    int Paints = 0;

    bool eventFilter(QObject*, QEvent* event) override {
        Keys += event->type() == QEvent::KeyPress;
        Clicks += event->type() == QEvent::MouseButtonPress;
        Paints += event->type() == QEvent::UpdateRequest;
        return false;
    }
};

// A key press and a click on the main window, as the window system delivers
// them.
void SendKeyAndClick(QWindow* window) {
    QWindowSystemInterface::handleKeyEvent(window, QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QWindowSystemInterface::handleKeyEvent(window, QEvent::KeyRelease, Qt::Key_Down,
                                           Qt::NoModifier);
    const QPointF inside(window->width() / 2.0, window->height() / 2.0);
    QWindowSystemInterface::handleMouseEvent(window, inside, window->mapToGlobal(inside),
                                             Qt::LeftButton, Qt::LeftButton,
                                             QEvent::MouseButtonPress);
    QWindowSystemInterface::handleMouseEvent(window, inside, window->mapToGlobal(inside),
                                             Qt::NoButton, Qt::LeftButton,
                                             QEvent::MouseButtonRelease);
}

// A long batch: a timer ticks, repaints are asked for and a key press and a
// click are sent while it runs; once it has ended, the key and the click are
// sent again. Prints what reached the main window during and after the run.
void PlayResponsive(frmLVX& window) {
    QWindow* handle = window.windowHandle();
    auto* counter = new Counter(qApp);
    handle->installEventFilter(counter);
    window.installEventFilter(counter);
    Later([&window, handle, counter] {
        int ticks = 0;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            ++ticks;
            window.update();
            if (ticks == 5) {
                SendKeyAndClick(handle);
            }
        });
        timer.start(10);
        QElapsedTimer run;
        run.start();
        counter->Paints = 0;
        window.mnuLog->trigger();
        std::printf("run %lld ms, ticks %d, paints %d, keys %d, clicks %d\n",
                    static_cast<long long>(run.elapsed()), ticks, counter->Paints, counter->Keys,
                    counter->Clicks);
        SendKeyAndClick(handle);
        QWindowSystemInterface::flushWindowSystemEvents();
        std::printf("after: keys %d, clicks %d\n", counter->Keys, counter->Clicks);
        std::fflush(stdout);
        window.mnuExit->trigger();
    });
    // The closing message of the run.
    Watch([] {
        auto* box = ActiveModal<QMessageBox>();
        if (box != nullptr) {
            box->accept();
        }
        return box != nullptr;
    });
}

bool Play(const std::string& scenario, frmLVX& window) {
    if (scenario == "exit") {
        Later([&window] { window.mnuExit->trigger(); });
    } else if (scenario == "open") {
        Later([&window] { window.mnuOpen->trigger(); });
        TerminateWhenShown<QFileDialog>();
    } else if (scenario == "overwrite") {
        Later([&window] { window.mnuLog->trigger(); });
        TerminateWhenShown<frmFileMessage>();
    } else if (scenario == "batch") {
        Later([&window] {
            TerminateAfterOutputs terminate(20);
            window.mnuLog->trigger();
        });
    } else if (scenario == "open-cancel") {
        // The user's own Cancel, then File > Exit.
        Later([&window] {
            window.mnuOpen->trigger();
            window.mnuExit->trigger();
        });
        Watch([] {
            auto* dialog = ActiveModal<QFileDialog>();
            if (dialog != nullptr) {
                dialog->reject();
            }
            return dialog != nullptr;
        });
    } else if (scenario == "close") {
        // Every output is there already: each file is asked for and answered
        // Yes. The close box is clicked as the 21st answer is given, once the
        // prompt no longer blocks the main window.
        Later([&window] { window.mnuLog->trigger(); });
        Watch([&window, answered = 0]() mutable {
            if (auto* prompt = ActiveModal<frmFileMessage>()) {
                prompt->Command1(0)->click();
                if (++answered == 21) {
                    QWindowSystemInterface::handleCloseEvent(window.windowHandle());
                    QWindowSystemInterface::flushWindowSystemEvents();
                }
            }
            return false;
        });
    } else if (scenario == "header") {
        Later([&window] { window.mnuHeader->trigger(); });
        WhenShown<frmHeader>([](frmHeader* header) {
            Later([header] {
                header->Text1->setText(QStringLiteral("edited, not saved"));
                header->List1->setCurrentRow(1);
            });
            TerminateWhenShown<QMessageBox>();
        });
    } else if (scenario == "colorimetry") {
        Later([&window] { window.mnuColorimetry->trigger(); });
        WhenShown<frmColorimetry>([](frmColorimetry* form) {
            Later([form] {
                TerminateAfterOutputs terminate(5);
                form->chkSelectAll->click();
                form->cmdReport->click();
            });
        });
    } else if (scenario == "batch-close") {
        Later([&window] {
            CloseAfterOutputs close(window.windowHandle(), 300);
            window.mnuLog->trigger();
        });
    } else if (scenario == "table-close") {
        // All inputs gathered into one table that replaces an earlier one.
        Later([&window] { window.mnuFRAscii->trigger(); });
        WhenShown<frmExport>([](frmExport* form) {
            Later([form] {
                form->Check1[2]->setChecked(true);
                form->cmdExport->click();
            });
            WhenShown<QFileDialog>([](QFileDialog* dialog) {
                dialog->selectFile(QString::fromStdString(fs::absolute("out/table.txt").string()));
                QMetaObject::invokeMethod(dialog, "accept");
                WhenShown<frmFileMessage>(
                    [](frmFileMessage* prompt) { prompt->Command1(0)->click(); });
            });
        });
        Watch([&window] {
            if (window.ProgressBar1->value() < 300) {
                return false;
            }
            QWindowSystemInterface::handleCloseEvent(window.windowHandle());
            return true;
        });
    } else if (scenario == "colorimetry-close") {
        // The report runs in a modal window, which blocks the main window's
        // close: the report's own window is closed, then the main window.
        Later([&window] { window.mnuColorimetry->trigger(); });
        WhenShown<frmColorimetry>([&window](frmColorimetry* form) {
            Later([form, &window] {
                {
                    CloseAfterOutputs close(form->windowHandle(), 300);
                    form->chkSelectAll->click();
                    form->cmdReport->click();
                }
                Later(
                    [&window] { QWindowSystemInterface::handleCloseEvent(window.windowHandle()); });
            });
        });
    } else if (scenario == "responsive") {
        PlayResponsive(window);
    } else if (scenario == "hang") {
        // The end never finishes: only a second signal can end the program.
        SetEndAction([] {
            std::printf("ending\n");
            std::fflush(stdout);
            for (;;) {
                std::this_thread::sleep_for(std::chrono::seconds(1));
            }
        });
        Later(Ready);
    } else if (scenario == "idle") {
        Later(Ready);
    } else {
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QtUserInterface ui;
    StartProgram(ui);
    OutputDirectory = fs::absolute("out").string();

    std::vector<std::string> inputs;
    for (const auto& entry : fs::directory_iterator("in")) {
        inputs.push_back(fs::absolute(entry.path()).string());
    }
    std::sort(inputs.begin(), inputs.end());
    MainWindow->List2().AddItems(inputs);
    MainWindow->EnableProcessMenus();
    MainWindow->mnuClose->setEnabled(true);
    OpenGraph(*MainWindow);

    if (argc != 2 || !Play(argv[1], *MainWindow)) {
        std::fprintf(stderr, "unknown scenario\n");
        return 2;
    }
    return QApplication::exec();
}
