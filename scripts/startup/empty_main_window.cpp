// The baseline of scripts/measure-startup.sh: a minimal Qt Widgets program, an empty QMainWindow
// shown as RK7 Power shows its main window (maximized), with the same first-paint hook as
// src/app/main.cpp. Built by the script with g++ and pkg-config Qt6Widgets.
//
// With --text the window shows one word in its status bar, and so pays what showing any text
// costs a Qt program at start-up (the font database and a font); the empty window never does.

#include "app/first_paint_exit.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    if (QApplication::arguments().contains(QStringLiteral("--text")))
        window.statusBar()->showMessage(QStringLiteral("Ready"));
    if (qEnvironmentVariableIsSet("RK7_EXIT_AFTER_FIRST_PAINT"))
        window.installEventFilter(new rk7::FirstPaintExit(&window));
    window.showMaximized();
    return QApplication::exec();
}
