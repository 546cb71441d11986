// The second reference line of scripts/measure-startup.sh: a minimal Qt Widgets program, an empty
// QMainWindow shown as RK7 Power shows its main window (maximized), with the same first-paint
// hook as src/app/main.cpp. Built by the script with g++ and pkg-config Qt6Widgets.
//
// It shows no text and so never loads a font, which any program that shows text must do: the
// goal's baseline is one_word_main_window.cpp.

#include "app/after_first_paint.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    if (qEnvironmentVariableIsSet("RK7_EXIT_AFTER_FIRST_PAINT"))
        rk7::ExitAfterFirstPaint(&window);
    window.showMaximized();
    return QApplication::exec();
}
