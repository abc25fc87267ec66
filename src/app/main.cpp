#include <QApplication>

#include "app/startup.h"
#include "platform/ui/qt_ui.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Lumivex");
    QApplication::setOrganizationName("ZEL");
    QtUserInterface ui;
    InstallUserInterface(&ui);
    Main();
    return QApplication::exec();
}
