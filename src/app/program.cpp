#include "app/program.h"

#include <QApplication>

#include "app/main_window.h"
#include "app/startup.h"
#include "io/io_services.h"
#include "platform/ui/end_control.h"
#include "platform/ui/keyboard.h"
#include "platform/ui/qt_ui.h"
#include "views/view_services.h"

void StartProgram(QtUserInterface& ui) {
    QApplication::setApplicationName("Lumivex");
    QApplication::setOrganizationName("ZEL");
    // The session manager or a user's kill ends the program as if File > Exit
    // were chosen, so settings and the graph's look are saved as on a normal
    // exit.
    InstallEndSignals();
    SetEndAction(CloseProgram);
    InstallUserInterface(&ui);
    InstallKeyboardRule();
    InstallImportExportServices();
    InstallViewServices();
    Main();
    ui.MainForm = MainWindow;
}

void CloseProgram() {
    if (MainWindow != nullptr) {
        MainWindow->close();
    }
    QApplication::closeAllWindows();
    QApplication::quit();
}
