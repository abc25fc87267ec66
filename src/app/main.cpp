#include <QApplication>

#include "app/startup.h"
#include "io/io_services.h"
#include "platform/ui/qt_ui.h"
#include "views/view_services.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Lumivex");
    QApplication::setOrganizationName("ZEL");
    QtUserInterface ui;
    InstallUserInterface(&ui);
    InstallImportExportServices();
    InstallViewServices();
    Main();
    return QApplication::exec();
}
