#include <QApplication>

#include "app/program.h"
#include "platform/ui/qt_ui.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Lumivex");
    QApplication::setOrganizationName("ZEL");
    QtUserInterface ui;
    StartProgram(ui);
    return QApplication::exec();
}
