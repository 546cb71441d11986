#include "app/after_first_paint.h"
#include "app/application.h"
#include "app/main_window.h"
#include "app/translations.h"
#include "dialogs/prompts.h"
#include "document/preferences.h"
#include "license_notice.h"
#include "model/exit_status.h"
#include "version.h"
#include "widgets/app_icon.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QStyle>
#include <QStyleFactory>

namespace {

struct CommandLine {
    QCommandLineParser parser;
    QCommandLineOption help;
    // Qt's own version option says only "rk7power 2.46"; this one adds the license.
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Displays version information.")};
    QCommandLineOption userFolder{
        QStringLiteral("user-folder"),
        QStringLiteral("Keeps the roster in the user's own folder, %1 (made when missing).")
            .arg(rk7::UserRosterFolder().isEmpty() ? QStringLiteral("$XDG_DATA_HOME/rk7power")
                                                   : rk7::UserRosterFolder())};

    CommandLine() : help(parser.addHelpOption()) {
        parser.setApplicationDescription(
            QStringLiteral("RK7 Power: team and driver performance editor for RK7."));
        parser.addOption(version);
        parser.addOption(userFolder);
        parser.addPositionalArgument(
            QStringLiteral("folder"),
            QStringLiteral("Roster folder: the folder of the store files (default: the current "
                           "folder), or a Performance File to compare with the roster and import."),
            QStringLiteral("[FOLDER | FILE]"));
    }
};

// Help or version text that did not arrive (a full disk, a closed pipe) is a failed write like
// any other, not a success.
int PrintOut(const QByteArray& text) {
    std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "rk7power: standard output: %s\n", std::strerror(errno));
        return rk7::ExitFileError;
    }
    return EXIT_SUCCESS;
}

// What the command line settles before any window: the status to exit with, or nothing to go on.
// The help text names the program from the QCoreApplication, which must exist by then.
std::optional<int> SettledBeforeWindow(const CommandLine& line) {
    if (line.parser.isSet(line.help))
        return PrintOut(line.parser.helpText().toLocal8Bit());
    if (line.parser.isSet(line.version))
        return PrintOut("rk7power " RK7_VERSION "\n" RK7_LICENSE_NOTICE "\n");
    // Without either variable Qt would put the folder under the root folder.
    if (line.parser.isSet(line.userFolder) && rk7::UserRosterFolder().isEmpty()) {
        std::fputs("rk7power: --user-folder needs HOME or XDG_DATA_HOME to say where the user's "
                   "folder is, and neither is set\n",
                   stderr);
        return EXIT_FAILURE;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char* argv[]) {
    // A QApplication aborts when there is no display, so what needs no window is answered
    // before one is made, from the command line as it stands. Should that not parse (it may hold
    // Qt's own options, such as -style), Qt takes its options out first and the parse below
    // reports what is left.
    {
        CommandLine line;
        QStringList arguments;
        for (int i = 0; i < argc; ++i)
            arguments.append(QString::fromLocal8Bit(argv[i]));
        if (line.parser.parse(arguments)) {
            std::optional<QCoreApplication> core;
            if (line.parser.isSet(line.help))
                core.emplace(argc, argv);
            if (const std::optional<int> status = SettledBeforeWindow(line))
                return *status;
        }
    }

    QApplication application(argc, argv);
    // The windows speak the user's language; what the command line prints stays English.
    const rk7::Translations translations;
    rk7::SetProgramIdentity();
    // The style the platform (or -style) chose, made anew for the proxy to own.
    QApplication::setStyle(
        new rk7::DeferredIconStyle(QStyleFactory::create(QApplication::style()->name())));

    CommandLine line;
    line.parser.process(application);
    if (const std::optional<int> status = SettledBeforeWindow(line))
        return *status;

    const QStringList args = line.parser.positionalArguments();
    const rk7::StartArgument start =
        args.isEmpty() ? rk7::StartArgument{} : rk7::ClassifyStartArgument(args.first());
    if (!start.error.isEmpty()) {
        std::fprintf(stderr, "rk7power: %s\n", start.error.toLocal8Bit().constData());
        return rk7::ExitUsage;
    }
    QString folder = start.folder.isEmpty() ? QDir::currentPath() : start.folder;
    if (line.parser.isSet(line.userFolder)) {
        folder = rk7::UserRosterFolder();
        QDir().mkpath(folder); // when it cannot be made, start-up says so
    }

    rk7::DialogPrompts prompts;
    rk7::Application app({folder, rk7::PreferencesPath(), rk7::SettingsPath(),
                          rk7::TableFontsPath(), rk7::StartFramePath()},
                         prompts);
    app.initMainWindow();
    if (!start.file.isEmpty())
        app.compareWhenShown(start.file);
    if (qEnvironmentVariableIsSet("RK7_EXIT_AFTER_FIRST_PAINT"))
        rk7::ExitAfterFirstPaint(app.mainWindow());
    app.showMainWindow();
    return QApplication::exec();
}
