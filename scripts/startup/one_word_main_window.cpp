// The baseline of the start-up goal in scripts/measure-startup.sh: an empty QMainWindow shown
// maximized, as RK7 Power shows its main window, with one word in its status bar, and the same
// first-paint hook as src/app/main.cpp. Built by the script with g++ and pkg-config Qt6Widgets.
//
// The word makes it pay what showing any text costs a Qt program at start-up (fontconfig, the
// font database and a font), the fair floor for a program that shows text.

#include "app/after_first_paint.h"

#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.statusBar()->showMessage(QStringLiteral("Ready"));
    if (qEnvironmentVariableIsSet("RK7_EXIT_AFTER_FIRST_PAINT"))
        rk7::ExitAfterFirstPaint(&window);
    window.showMaximized();
    return QApplication::exec();
}
