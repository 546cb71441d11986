#include "app/preferences.h"
#include "app/prompts.h"
#include "app/rk7_power_app.h"
#include "app/sdi_dec_frame.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

namespace {

// With RK7_EXIT_AFTER_FIRST_PAINT set, the program prints the monotonic clock once the first
// frame of the main window has been painted, and exits at once; scripts/measure-startup.sh times
// the start-up with it. The print is queued from the window's first paint event, so it runs when
// the whole frame, every child of the window included, has been painted and flushed.
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
    QApplication::setApplicationName(QStringLiteral("rk7power"));
    QApplication::setApplicationDisplayName(QStringLiteral("RK7 Power"));
    QApplication::setApplicationVersion(QStringLiteral(RK7_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("rk7power"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("RK7 Power: team and driver performance editor for RK7."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("folder"),
                                 QStringLiteral("Folder of the store files (default: the current "
                                                "folder)."),
                                 QStringLiteral("[FOLDER]"));
    parser.process(application);

    const QStringList args = parser.positionalArguments();
    const QString folder = args.isEmpty() ? QDir::currentPath() : QDir(args.first()).absolutePath();

    rk7::DialogPrompts prompts;
    rk7::TRK7_PowerApp app({folder, rk7::PreferencesPath()}, prompts);
    app.InitMainWindow();
    if (qEnvironmentVariableIsSet("RK7_EXIT_AFTER_FIRST_PAINT"))
        app.Frame()->installEventFilter(new FirstPaintExit(app.Frame()));
    app.ShowMainWindow();
    return QApplication::exec();
}
