// The start-up anchor: a bare Qt window, shown, reporting its first paint the way the program
// reports its login screen's (with PARLUMO_STARTUP_TIMING set).
#include "app/startup_timing.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(400, 300);
    parlumo::reportFirstPaintIfAsked(&window);
    window.show();
    return QApplication::exec();
}
