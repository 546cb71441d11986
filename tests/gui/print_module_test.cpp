#include "app/application.h"
#include "app/command.h"
#include "app/main_window.h"
#include "app/print_controller.h"
#include "gui/scripted_prompts.h"
#include "printing/print_support.h"
#include "version.h"

#include <QFile>
#include <QLibraryInfo>
#include <QTemporaryDir>
#include <QTest>

namespace rk7 {

using test::ScriptedPrompts;

// Printing is a module that the program loads at the first print command. This test runs from a
// folder without the module.
class PrintModuleTest : public QObject {
    Q_OBJECT

private slots:
    // A module that cannot be loaded is named, with the reason.
    void loadingSaysWhichFileAndWhy() {
        QTemporaryDir folder;
        const QString missing = folder.filePath(QStringLiteral("rk7power-printing.so"));
        PrintSupportLoad load = LoadPrintSupport({missing});
        QVERIFY(!load.support);
        QCOMPARE(load.error, missing + QStringLiteral(": no such file"));

        QFile damaged(missing);
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("\x7f"
                      "ELF, but cut short");
        damaged.close();
        load = LoadPrintSupport({folder.filePath(QStringLiteral("elsewhere.so")), missing});
        QVERIFY(!load.support);
        QVERIFY2(load.error.contains(missing), qPrintable(load.error));

        // A library that loads, but is another one.
        const QString plugin = QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                               QStringLiteral("/platforms/libqoffscreen.so");
        QVERIFY(QFile::exists(plugin));
        load = LoadPrintSupport({plugin});
        QVERIFY(!load.support);
        QCOMPARE(load.error, plugin + QStringLiteral(": not the printing module"));

        // The printing module of another version is refused before anything of it runs: its
        // stand-ins abort when asked for their printing.
        load = LoadPrintSupport({QStringLiteral(RK7_FOREIGN_MODULE)});
        QVERIFY(!load.support);
        QCOMPARE(load.error, QStringLiteral(RK7_FOREIGN_MODULE ": the printing module of RK7 Power "
                                                               "1.0, not of " RK7_VERSION));
        load = LoadPrintSupport({QStringLiteral(RK7_UNVERSIONED_MODULE)});
        QVERIFY(!load.support);
        QCOMPARE(load.error,
                 QStringLiteral(RK7_UNVERSIONED_MODULE ": the printing module of another version "
                                                       "of RK7 Power, not of " RK7_VERSION));
    }

    // Print, Print Setup and Print Preview each say so, and nothing opens or prints.
    void printCommandsSayPrintingIsNotAvailable() {
        QTemporaryDir folder;
        ScriptedPrompts prompts;
        Application app(Application::Options{folder.path(), folder.filePath("prefs.ini")}, prompts);
        app.initMainWindow();
        app.showMainWindow();
        for (Command command : {Command::Print, Command::PrintSetup, Command::PrintPreview})
            app.trigger(command);
        QCOMPARE(prompts.messages.size(), 3);
        for (const ScriptedPrompts::Shown& shown : prompts.messages) {
            QCOMPARE(shown.caption, QStringLiteral("Print Error"));
            QVERIFY2(
                shown.text.startsWith(QStringLiteral("Printing is not available: /")) &&
                    shown.text.endsWith(QStringLiteral("/rk7power-printing.so: no such file.")),
                qPrintable(shown.text));
        }
        QCOMPARE(prompts.printDialogs + prompts.pageSetupDialogs, 0);
        QVERIFY(!app.printing().preview());
        QVERIFY(app.mainWindow()->isVisible());
    }
};

} // namespace rk7

QTEST_MAIN(rk7::PrintModuleTest)
#include "print_module_test.moc"
