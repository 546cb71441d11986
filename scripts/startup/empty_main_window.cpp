// The baseline of scripts/measure-startup.sh: a minimal Qt Widgets program, an empty QMainWindow
// shown as RK7 Power shows its main window (maximized), with the same first-paint hook as
// src/app/main.cpp. Built by the script with g++ and pkg-config Qt6Widgets.
//
// With --text the window shows one word in its status bar, and so pays what showing any text
// costs a Qt program at start-up (the font database and a font); the empty window never does.

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>

namespace {

// Prints the monotonic clock once the window's first frame has been painted, then exits at once.
class FirstPaintExit : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            QMetaObject::invokeMethod(
                this,
                [] {
                    const auto now = std::chrono::steady_clock::now().time_since_epoch();
                    std::printf(
                        "first-paint-ns %lld\n",
                        static_cast<long long>(
                            std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
                    std::fflush(stdout);
                    std::_Exit(0);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool m_painted = false;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    if (QApplication::arguments().contains(QStringLiteral("--text")))
        window.statusBar()->showMessage(QStringLiteral("Ready"));
    if (qEnvironmentVariableIsSet("RK7_EXIT_AFTER_FIRST_PAINT"))
        window.installEventFilter(new FirstPaintExit(&window));
    window.showMaximized();
    return QApplication::exec();
}
