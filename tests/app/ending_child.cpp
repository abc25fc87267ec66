// The program as main() runs it (Qt user interface, main window, services,
// termination signals), with one scenario played on it: it brings the program
// to a dialog or a running batch, then asks it to end as a desktop session
// does (SIGTERM to itself) or as the user does (the main window's close box).
// The exit status is the program's own. Run in a folder holding the inputs in
// "in"; outputs go to "out".
//
//   ending_child exit | open-cancel | open | overwrite | batch | close | header |
//                colorimetry

#include <signal.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
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
        // Yes, and the batch lets events through after each answer. The close
        // box is clicked while the 21st file is being asked for.
        Later([&window] { window.mnuLog->trigger(); });
        Watch([&window, answered = 0]() mutable {
            if (auto* prompt = ActiveModal<frmFileMessage>()) {
                if (++answered == 21) {
                    QCoreApplication::postEvent(window.windowHandle(), new QCloseEvent);
                }
                prompt->Command1(0)->click();
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
