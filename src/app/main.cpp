#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>

#include "app/startup.h"
#include "io/io_services.h"
#include "platform/ui/keyboard.h"
#include "platform/ui/qt_ui.h"
#include "views/view_services.h"

namespace {

int terminationPipe[2] = {-1, -1};

void OnTerminate(int) {
    const char byte = 1;
    // Nothing but a write is safe in a signal handler; the event loop does the rest.
    [[maybe_unused]] const auto written = ::write(terminationPipe[1], &byte, 1);
}

// The session manager or a user's kill ends the program as if its windows were
// closed, so settings and the graph's look are saved as on a normal exit.
void CloseWindowsOnTerminate(QApplication& application) {
    if (::pipe(terminationPipe) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(terminationPipe[0], QSocketNotifier::Read, &application);
    QObject::connect(notifier, &QSocketNotifier::activated, &application, [notifier] {
        char byte = 0;
        [[maybe_unused]] const auto got = ::read(terminationPipe[0], &byte, 1);
        notifier->setEnabled(false);
        QApplication::closeAllWindows();
        QApplication::quit();
    });
    struct sigaction action {};
    action.sa_handler = OnTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Lumivex");
    QApplication::setOrganizationName("ZEL");
    CloseWindowsOnTerminate(application);
    QtUserInterface ui;
    InstallUserInterface(&ui);
    InstallKeyboardRule();
    InstallImportExportServices();
    InstallViewServices();
    Main();
    return QApplication::exec();
}
