// Files that cannot be written or read, met through the program's own commands: the editors' OK,
// the Performance File commands and the start-up. Each must end in a message box that names the
// file and the reason, leave the old file as it was and nothing else beside it, and leave the
// program working: the next command does what it should.
#include "app/application.h"
#include "app/command.h"
#include "core/file_size_limit.h"
#include "editors/set_drivers_dialog.h"
#include "editors/set_editpower_dialog.h"
#include "editors/set_ranfail_dialog.h"
#include "editors/set_teams_dialog.h"
#include "exchange/performance_file.h"
#include "gui/edit_roster.h"
#include "gui/scripted_prompts.h"
#include "gui/when_open.h"
#include "model/store.h"
#include "views/roster_view.h"

#include <csignal>
#include <functional>
#include <map>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace rk7 {

using test::ScriptedPrompts;
using test::WhenOpen;

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class FaultsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<QTemporaryDir> m_config;
    ScriptedPrompts m_prompts;
    std::unique_ptr<Application> m_app;

    QString Path(const QString& name) const { return m_folder->filePath(name); }
    QString Store(StoreFile f) const { return Path(QString::fromLatin1(StoreFileName(f))); }
    const Roster& R() { return m_app->document().roster(); }
    StoreFileSet Unsaved() { return m_app->document().unsavedStores(); }
    QStringList Listing() const {
        return QDir(m_folder->path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDir::Name);
    }
    void StartApp() {
        m_app = std::make_unique<Application>(
            Application::Options{m_folder->path(), m_config->filePath("prefs.ini")}, m_prompts);
        m_app->initMainWindow();
    }
    // The last message shown names the path and the reason.
    void ExpectMessage(int count, const QString& path, const QString& reason) {
        QCOMPARE(m_prompts.messages.size(), count);
        const QString& text = m_prompts.messages.back().text;
        QVERIFY2(text.contains(path + QStringLiteral(": ") + reason), qPrintable(text));
    }
    // Accepts the Teams editor with team 0's name set to name.
    void AcceptTeamName(const QString& name) {
        WhenOpen<SetTeamsDialog>([name](SetTeamsDialog* d) {
            d->edit(SetTeamsDialog::Name, 0)->setText(name);
            d->accept();
        });
        m_app->trigger(Command::EditTeams);
    }
    // The program still works: the view commands toggle their views, and a file can be written.
    void ExpectProgramWorks() {
        const bool teams = m_app->view()->views().ViewTeams;
        m_app->trigger(Command::ViewTeams);
        QCOMPARE(m_app->view()->views().ViewTeams, !teams);
        const int shown = m_prompts.messages.size();
        m_prompts.fileNames = {m_config->filePath("check.txt")};
        m_app->trigger(Command::SaveExchangeFile);
        QCOMPARE(m_prompts.messages.size(), shown);
        QCOMPARE(ReadAll(m_config->filePath("check.txt")),
                 QByteArray::fromStdString(FormatExchangePerformanceFile(R())));
    }

private slots:
    void init() {
        m_folder = std::make_unique<QTemporaryDir>();
        m_config = std::make_unique<QTemporaryDir>();
        QVERIFY(m_folder->isValid() && m_config->isValid());
        m_prompts = ScriptedPrompts();
        StartApp();
    }
    void cleanup() {
        m_app.reset();
        m_folder.reset();
        m_config.reset();
    }

    void editorOkOntoAFolderThenAgainOntoTheFile() {
        QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("Teams.rk")));
        AcceptTeamName(QStringLiteral("Scuderia"));
        ExpectMessage(1, Store(TeamsStore), QStringLiteral("Is a directory"));
        QCOMPARE(R().TeamName[0].Text(), "Scuderia"); // the edit is kept
        QCOMPARE(Unsaved(), StoreFileSet(TeamsStore));
        QCOMPARE(Listing(), QStringList{QStringLiteral("Teams.rk")});
        QVERIFY(QDir(Store(TeamsStore)).isEmpty());

        // Once the folder is gone, the next OK saves.
        QVERIFY(QDir(m_folder->path()).rmdir(QStringLiteral("Teams.rk")));
        AcceptTeamName(QStringLiteral("Scuderia Two"));
        QCOMPARE(m_prompts.messages.size(), 1);
        QVERIFY(!Unsaved().any());
        QCOMPARE(ReadAll(Store(TeamsStore)),
                 QByteArray::fromStdString(SerializeStore(R(), TeamsStore)));
        QVERIFY(ReadAll(Store(TeamsStore)).startsWith("Scuderia Two"));
        ExpectProgramWorks();
    }

    void everyEditorOkOnAFullDisk() {
        QVERIFY(m_app->document().save(AllStores));
        std::map<StoreFile, QByteArray> old;
        for (StoreFile f : StoreFiles)
            old[f] = ReadAll(Store(f));
        const QStringList listing = Listing();

        const std::pair<Command, StoreFile> editors[] = {{Command::EditTeams, TeamsStore},
                                                         {Command::MainDrivers, DriversStore},
                                                         {Command::EditPowers, PowersStore},
                                                         {Command::RangeFailure, RanFailStore}};
        auto armEditors = [](Command command) {
            switch (command) {
            case Command::EditTeams:
                WhenOpen<SetTeamsDialog>([](SetTeamsDialog* d) {
                    d->edit(SetTeamsDialog::Engine, 13)->setText(QStringLiteral("Cosworth"));
                    d->accept();
                });
                break;
            case Command::MainDrivers:
                WhenOpen<SetDriversDialog>([](SetDriversDialog* d) {
                    d->edit(SetDriversDialog::Name, 27)->setText(QStringLiteral("Last Driver"));
                    d->accept();
                });
                break;
            case Command::EditPowers:
                WhenOpen<SetEditpowerDialog>([](SetEditpowerDialog* d) {
                    d->driverPower(28)->setText(QStringLiteral("7"));
                    d->accept();
                });
                break;
            default:
                WhenOpen<SetRanFailDialog>([](SetRanFailDialog* d) {
                    d->range(28)->setText(QStringLiteral("1999"));
                    d->accept();
                });
                break;
            }
        };
        int shown = 0;
        for (auto [command, file] : editors) {
            armEditors(command);
            {
                test::FileSizeLimit full(100); // as if the disk were full
                QVERIFY(full.Set());
                m_app->trigger(command);
            }
            ExpectMessage(++shown, Store(file), QStringLiteral("File too large"));
            QCOMPARE(ReadAll(Store(file)), old[file]);
            QCOMPARE(Listing(), listing);
            QVERIFY(Unsaved() & file);
        }
        // The edits are all in the roster ...
        QCOMPARE(R().EngineName[13].Text(), "Cosworth");
        QCOMPARE(R().DriverName[27].Text(), "Last Driver");
        QCOMPARE(R().DriverPowerByPos[27].Text(), "7");
        QCOMPARE(R().RangeByPos[27].Text(), "1999");
        // ... and reach the files with the next OK, once there is room.
        // The power tables mark the driver powers for Drivers.rk, so they go first.
        const std::pair<Command, StoreFile> again[] = {{Command::EditPowers, PowersStore},
                                                       {Command::EditTeams, TeamsStore},
                                                       {Command::MainDrivers, DriversStore},
                                                       {Command::RangeFailure, RanFailStore}};
        for (auto [command, file] : again) {
            WhenOpen<QDialog>([](QDialog* d) { d->accept(); });
            m_app->trigger(command);
            QCOMPARE(ReadAll(Store(file)), QByteArray::fromStdString(SerializeStore(R(), file)));
        }
        QCOMPARE(m_prompts.messages.size(), shown);
        QVERIFY(!Unsaved().any());
        QCOMPARE(Listing(), listing);
        ExpectProgramWorks();
    }

    void saveOntoAFolderThenElsewhere() {
        QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("taken.txt")));
        for (Command command : {Command::SaveNativeFile, Command::SaveExchangeFile}) {
            const int shown = m_prompts.messages.size();
            m_prompts.fileNames = {Path(QStringLiteral("taken.txt"))};
            m_app->trigger(command);
            ExpectMessage(shown + 1, Path(QStringLiteral("taken.txt")),
                          QStringLiteral("Is a directory"));
        }
        QCOMPARE(Listing(), QStringList{QStringLiteral("taken.txt")});
        QVERIFY(QDir(Path(QStringLiteral("taken.txt"))).isEmpty());
        m_prompts.fileNames = {Path(QStringLiteral("free.txt"))};
        m_app->trigger(Command::SaveNativeFile);
        QCOMPARE(m_prompts.messages.size(), 2);
        QCOMPARE(ReadAll(Path(QStringLiteral("free.txt"))),
                 QByteArray::fromStdString(FormatNativePerformanceFile(R())));
        ExpectProgramWorks();
    }

    void saveOnAFullDiskKeepsTheOldFile() {
        const QString path = Path(QStringLiteral("season.txt"));
        QVERIFY(WriteNativePerformanceFile(Roster(), QFile::encodeName(path).toStdString()));
        const QByteArray old = ReadAll(path);
        test::EditRoster(*m_app, [](Roster& r) { r.TeamName[0].SetText("Changed"); });
        const Roster before = R();
        for (Command command : {Command::SaveNativeFile, Command::SaveExchangeFile}) {
            const int shown = m_prompts.messages.size();
            m_prompts.fileNames = {path};
            {
                test::FileSizeLimit full(100); // as if the disk were full
                QVERIFY(full.Set());
                m_app->trigger(command);
            }
            ExpectMessage(shown + 1, path, QStringLiteral("File too large"));
            QCOMPARE(ReadAll(path), old);
            QCOMPARE(Listing(), QStringList{QStringLiteral("season.txt")});
        }
        QVERIFY(R() == before);
        m_prompts.fileNames = {path};
        m_app->trigger(Command::SaveNativeFile);
        QCOMPARE(m_prompts.messages.size(), 2);
        QVERIFY(ReadAll(path).contains("Name=Changed,Ferrari\r\n"));
        ExpectProgramWorks();
    }

    void openWhatCannotBeRead() {
        QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("folder.txt")));
        QVERIFY(::mkfifo(QFile::encodeName(Path(QStringLiteral("pipe.txt"))).constData(), 0600) ==
                0);
        test::EditRoster(*m_app, [](Roster& r) { r.TeamName[0].SetText("Mine"); });
        QVERIFY(m_app->document().save(AllStores));
        const Roster before = R();
        QSignalSpy changed(&m_app->document(), &RosterDocument::changed);

        m_prompts.fileNames = {Path(QStringLiteral("missing.txt"))};
        m_app->trigger(Command::OpenNativeFile);
        ExpectMessage(1, Path(QStringLiteral("missing.txt")),
                      QStringLiteral("No such file or directory"));
        m_prompts.fileNames = {Path(QStringLiteral("folder.txt"))};
        m_app->trigger(Command::OpenExchangeFile);
        ExpectMessage(2, Path(QStringLiteral("folder.txt")), QStringLiteral("Is a directory"));
        // A FIFO nobody writes to reads as an empty file: not a Performance File, and no hang.
        m_prompts.fileNames = {Path(QStringLiteral("pipe.txt"))};
        m_app->trigger(Command::OpenNativeFile);
        QCOMPARE(m_prompts.messages.size(), 3);
        QCOMPARE(m_prompts.messages[2].text, QStringLiteral("This not a valid Peformance File"));
        QVERIFY(R() == before);
        QVERIFY(changed.isEmpty());
        QVERIFY(!Unsaved().any());

        // The next open of a good file reads it.
        Roster other;
        other.TeamName[4].SetText("From File");
        QVERIFY(WriteNativePerformanceFile(
            other, QFile::encodeName(Path(QStringLiteral("good.txt"))).toStdString()));
        m_prompts.fileNames = {Path(QStringLiteral("good.txt"))};
        m_app->trigger(Command::OpenNativeFile);
        QCOMPARE(m_prompts.messages.size(), 3);
        QCOMPARE(R().TeamName[4].Text(), "From File");
        QCOMPARE(changed.size(), 1);
        ExpectProgramWorks();
    }

    void startUpWithStoreFilesThatCannotBeRead() {
        m_app.reset();
        QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("Teams.rk")));
        QVERIFY(::mkfifo(QFile::encodeName(Store(DriversStore)).constData(), 0600) == 0);
        m_prompts = ScriptedPrompts();
        StartApp(); // must neither hang on the FIFO nor give up
        m_app->reportStartupProblems();
        ExpectMessage(1, Store(TeamsStore), QStringLiteral("Is a directory"));
        QVERIFY(m_prompts.messages[0].text.contains(QStringLiteral("built-in values")));
        QVERIFY(R() == Roster());
        ExpectProgramWorks();
    }
};

} // namespace rk7

QTEST_MAIN(rk7::FaultsTest)
#include "faults_test.moc"
