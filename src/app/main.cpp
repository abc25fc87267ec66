#include <QApplication>

#include "app/program.h"
#include "platform/ui/qt_ui.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QtUserInterface ui;
    StartProgram(ui);
    return QApplication::exec();
}
