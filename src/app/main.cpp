#include "app/application.h"
#include "app/first_paint_exit.h"
#include "app/main_window.h"
#include "app/preferences.h"
#include "app/prompts.h"
#include "license_notice.h"
#include "version.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    rk7::SetProgramIdentity();

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("RK7 Power: team and driver performance editor for RK7."));
    parser.addHelpOption();
    // Qt's own version option says only "rk7power 2.46"; this one adds the license.
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Displays version information."));
    parser.addOption(version);
    const QCommandLineOption userFolder(
        QStringLiteral("user-folder"),
        QStringLiteral("Keeps the roster in the user's own folder, %1 (made when missing).")
            .arg(rk7::UserRosterFolder()));
    parser.addOption(userFolder);
    parser.addPositionalArgument(QStringLiteral("folder"),
                                 QStringLiteral("Folder of the store files (default: the current "
                                                "folder)."),
                                 QStringLiteral("[FOLDER]"));
    parser.process(application);
    if (parser.isSet(version)) {
        std::fputs("rk7power " RK7_VERSION "\n" RK7_LICENSE_NOTICE "\n", stdout);
        return EXIT_SUCCESS;
    }

    const QStringList args = parser.positionalArguments();
    QString folder = args.isEmpty() ? QDir::currentPath() : QDir(args.first()).absolutePath();
    if (parser.isSet(userFolder)) {
        folder = rk7::UserRosterFolder();
        QDir().mkpath(folder); // when it cannot be made, start-up says so
    }

    rk7::DialogPrompts prompts;
    rk7::Application app({folder, rk7::PreferencesPath(), rk7::SettingsPath()}, prompts);
    app.initMainWindow();
    if (qEnvironmentVariableIsSet("RK7_EXIT_AFTER_FIRST_PAINT"))
        app.mainWindow()->installEventFilter(new rk7::FirstPaintExit(app.mainWindow()));
    app.showMainWindow();
    return QApplication::exec();
}
