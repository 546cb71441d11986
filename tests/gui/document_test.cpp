// The roster document as the user meets it: undo and redo of each kind of step.
#include "app/application.h"
#include "app/command.h"
#include "app/main_window.h"
#include "dialogs/compare_dialog.h"
#include "editors/set_editpower_dialog.h"
#include "editors/set_teams_dialog.h"
#include "exchange/performance_file.h"
#include "gui/scripted_prompts.h"
#include "gui/when_open.h"
#include "model/folder_transaction.h"
#include "model/roster_parts.h"
#include "model/store.h"
#include "views/roster_view.h"

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace rk7 {

using test::ScriptedPrompts;
using test::WhenOpen;

// Takes the URLs the desktop would open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QUrl opened;
public slots:
    void open(const QUrl& url) { opened = url; }
};

class DocumentTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    ScriptedPrompts m_prompts;
    std::unique_ptr<Application> m_app;

    RosterDocument& Doc() { return m_app->document(); }
    QString Store(StoreFile f) const {
        return m_folder.filePath(QString::fromLatin1(StoreFileName(f)));
    }
    QByteArray Bytes(StoreFile f) const {
        QFile file(Store(f));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }
    std::map<StoreFile, QByteArray> AllBytes() const {
        std::map<StoreFile, QByteArray> bytes;
        for (StoreFile f : StoreFiles)
            bytes[f] = Bytes(f);
        return bytes;
    }
    bool SameTexts(const Roster& a, const Roster& b) {
        for (StoreFile f : StoreFiles)
            if (!SameStoreTexts(a, b, f))
                return false;
        return true;
    }
    QString MenuText(Command c) { return m_app->mainWindow()->action(c)->text(); }
    // A roster folder beside the first, whose Teams.rk names its first team.
    QString OtherFolder(const char* firstTeam) {
        const QString other = m_folder.filePath(QStringLiteral("other"));
        QDir().mkpath(other);
        Roster roster;
        roster.TeamName[0].SetText(firstTeam);
        ProgramState state;
        state.folder = ResolveRosterFolder(QFile::encodeName(other).toStdString());
        if (!SaveStores(roster, state, TeamsStore))
            return {};
        return other;
    }

private slots:
    void init() {
        QVERIFY(m_folder.isValid());
        for (StoreFile f : StoreFiles)
            QFile::remove(Store(f));
        m_prompts = ScriptedPrompts();
        m_app = std::make_unique<Application>(
            Application::Options{m_folder.path(), m_folder.filePath("prefs.ini")}, m_prompts);
        m_app->initMainWindow();
        QVERIFY(Doc().save(AllStores));
    }
    void cleanup() { m_app.reset(); }

    // Compare lists what a file would change and changes nothing; its Import is an ordinary
    // import: one step, its cells highlighted, and the view copied shows it.
    void compareThenImportThenCopy() {
        Roster other = Doc().roster();
        other.TeamRacePower[0].SetText("55");
        other.DriverName[3].SetText("Newcomer");
        const QString season = m_folder.filePath(QStringLiteral("season.txt"));
        QVERIFY(WriteExchangePerformanceFile(other, QFile::encodeName(season).toStdString()));
        const Roster before = Doc().roster();

        int rows = -1;
        m_prompts.fileNames = {season};
        WhenOpen<CompareDialog>([&](CompareDialog* d) {
            rows = d->findChild<QTableWidget*>(QStringLiteral("compareTable"))->rowCount();
            d->findChild<QPushButton*>(QStringLiteral("closeButton"))->click();
        });
        m_app->trigger(Command::CompareFile);
        QVERIFY(rows >= 2); // and whatever the exchange dialect does not carry
        QVERIFY(SameTexts(Doc().roster(), before));
        QVERIFY(!Doc().canUndo());

        m_prompts.fileNames = {season};
        WhenOpen<CompareDialog>([](CompareDialog* d) {
            d->findChild<QPushButton*>(QStringLiteral("importButton"))->click();
        });
        m_app->trigger(Command::CompareFile);
        QCOMPARE(Doc().roster().TeamRacePower[0].Text(), "55");
        QCOMPARE(Doc().undoName(), QStringLiteral("Open season.txt"));
        const CellSet& marked = m_app->view()->highlight();
        QVERIFY(marked.Contains(Field::TeamRacePower, 0));
        QVERIFY(marked.Contains(Field::DriverName, 3));
        QVERIFY(!marked.Contains(Field::TeamName, 0));
        m_app->trigger(Command::Undo); // the undo's own changes are the ones marked now
        QVERIFY(m_app->view()->highlight().Contains(Field::TeamRacePower, 0));
        m_app->trigger(Command::Redo);

        m_app->trigger(Command::CopyView);
        const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
        QVERIFY(copied);
        const QStringList lines = copied->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1 + DriverCount); // captions, then every driver
        QVERIFY(lines[0].startsWith(QStringLiteral("#\t")));
        QVERIFY(lines[4].contains(QStringLiteral("\tNewcomer\t")));
        QVERIFY(copied->html().contains(QStringLiteral("<table")));
        QVERIFY(m_prompts.messages.isEmpty());
    }

    // The status bar names the roster folder; another folder is opened from the menu, after the
    // question about unsaved changes, and joins the recent folders.
    void openAnotherRosterFolder() {
        auto* label = m_app->mainWindow()->statusBar()->findChild<QLabel*>("folderLabel");
        QVERIFY(label);
        QVERIFY(label->toolTip().contains(m_folder.path()));
        const QString other = OtherFolder("Other Team");
        QVERIFY(!other.isEmpty());
        WhenOpen<SetTeamsDialog>([](SetTeamsDialog* d) {
            d->edit(SetTeamsDialog::Name, 1)->setText(QStringLiteral("Mine"));
            d->accept();
        });
        m_app->trigger(Command::EditTeams);
        Roster imported = Doc().roster();
        imported.DriverName[0].SetText("Unsaved");
        Doc().apply(imported, DriversPart, QStringLiteral("Open x.txt"));

        m_prompts.fileNames = {other}; // Cancel at the question keeps everything
        m_app->trigger(Command::OpenRosterFolder);
        QCOMPARE(m_prompts.questions.size(), 1);
        QCOMPARE(Doc().roster().DriverName[0].Text(), "Unsaved");

        m_prompts.fileNames = {other};
        m_prompts.answers = {Prompts::Answer::Discard};
        m_app->trigger(Command::OpenRosterFolder);
        QCOMPARE(Doc().roster().TeamName[0].Text(), "Other Team");
        QVERIFY(label->toolTip().contains(other));
        QVERIFY(!Doc().canUndo());
        QCOMPARE(m_app->folders().recent(), (QStringList{other, m_folder.path()}));

        // Back through the recent folders: the first roster's edit was saved with its form.
        QMenu* recent = m_app->mainWindow()->findChild<QMenu*>(
            QStringLiteral("menu:&File/Recent Roster Fol&ders"));
        QVERIFY(recent && recent->actions().size() == 2);
        recent->actions().at(1)->trigger();
        QCOMPARE(Doc().roster().TeamName[1].Text(), "Mine");
        QVERIFY(m_prompts.messages.isEmpty());
    }

    // A store file that another program replaces is read again when nothing is unsaved; with
    // unsaved changes the user is asked, and Keep Mine keeps them, to be saved over the file.
    void storeFileChangedByAnotherProgram() {
        const QString other = OtherFolder("From Elsewhere");
        const QString teams = QDir(other).filePath(QStringLiteral("Teams.rk"));
        QCOMPARE(QProcess::execute(QStringLiteral("cp"), {teams, Store(TeamsStore)}), 0);
        QTRY_COMPARE(Doc().roster().TeamName[0].Text(), "From Elsewhere");
        QVERIFY(m_app->mainWindow()->statusBar()->currentMessage().contains("Teams.rk"));
        QVERIFY(m_prompts.questions.isEmpty());

        Roster mine = Doc().roster();
        mine.TeamName[0].SetText("Mine");
        Doc().apply(mine, TeamsPart, QStringLiteral("Open x.txt"));
        // The same bytes written again are no change; other bytes are.
        QCOMPARE(QProcess::execute(QStringLiteral("cp"), {teams, Store(TeamsStore)}), 0);
        QTest::qWait(500);
        QVERIFY(m_prompts.questions.isEmpty());
        QVERIFY(!OtherFolder("Again Elsewhere").isEmpty());
        QFile::remove(Store(TeamsStore)); // as another program's save starts afresh
        QCOMPARE(QProcess::execute(QStringLiteral("cp"), {teams, Store(TeamsStore)}), 0);
        QTRY_COMPARE(m_prompts.questions.size(), 1);
        QVERIFY(m_prompts.questions[0].contains("Teams.rk"));
        QCOMPARE(Doc().roster().TeamName[0].Text(), "Mine");
        QVERIFY(Doc().unsavedStores() & TeamsStore);
        QTest::qWait(500); // no second question for the same change
        QCOMPARE(m_prompts.questions.size(), 1);

        // A roster folder that the first save makes is watched from then on.
        const QString made = m_folder.filePath(QStringLiteral("made/later"));
        m_prompts.answers = {Prompts::Answer::Discard, Prompts::Answer::Save};
        QVERIFY(m_app->folders().open(made));
        WhenOpen<SetTeamsDialog>([](SetTeamsDialog* d) {
            d->edit(SetTeamsDialog::Name, 2)->setText(QStringLiteral("Saved Here"));
            d->accept();
        });
        m_app->trigger(Command::EditTeams); // asks to make the folder: yes
        QVERIFY(QFileInfo::exists(QDir(made).filePath(QStringLiteral("Teams.rk"))));
        QCOMPARE(QProcess::execute(QStringLiteral("cp"),
                                   {teams, QDir(made).filePath(QStringLiteral("Teams.rk"))}),
                 0);
        QTRY_COMPARE(Doc().roster().TeamName[0].Text(), "Again Elsewhere");
    }

    // Another program saves into the folder while Edit Teams is open. OK takes only the cells
    // the user changed, over what the other program saved; a cell both changed is asked about,
    // Cancel going back to the form; what is shown is what a fresh load shows.
    void formOpenWhileAnotherProgramSaves() {
        Roster theirs = Doc().roster();
        theirs.TeamName[0].SetText("Their Team");
        theirs.TeamName[1].SetText("Their Other");
        theirs.DriverName[0].SetText("Their Driver");
        auto otherProgramSaves = [&] {
            ProgramState state;
            state.folder = ResolveRosterFolder(QFile::encodeName(m_folder.path()).toStdString());
            QVERIFY(SaveStores(theirs, state, TeamsStore | DriversStore));
        };
        auto freshLoad = [&] {
            Roster fresh;
            ProgramState state;
            (void)LoadStore(fresh, state, QFile::encodeName(m_folder.path()).toStdString());
            return fresh;
        };

        // OK without typing saves nothing over their teams.
        WhenOpen<SetTeamsDialog>([&](SetTeamsDialog* d) {
            otherProgramSaves();
            d->accept();
        });
        m_app->trigger(Command::EditTeams);
        QCOMPARE(Doc().roster().TeamName[0].Text(), "Their Team");
        QCOMPARE(Doc().roster().DriverName[0].Text(), "Their Driver");
        QVERIFY(SameTexts(Doc().roster(), freshLoad()));

        // The user's cell joins theirs; a cell both changed is asked about.
        theirs.TeamName[1].SetText("Theirs Again");
        theirs.TeamName[2].SetText("Only Theirs");
        m_prompts.answers = {Prompts::Answer::Cancel, Prompts::Answer::Save};
        bool stayedOpen = false;
        WhenOpen<SetTeamsDialog>([&](SetTeamsDialog* d) {
            d->edit(SetTeamsDialog::Name, 1)->setText(QStringLiteral("Mine"));
            d->edit(SetTeamsDialog::Name, 3)->setText(QStringLiteral("Also Mine"));
            otherProgramSaves();
            d->accept(); // Cancel at the question
            stayedOpen = d->isVisible();
            d->accept(); // Keep Mine
        });
        m_app->trigger(Command::EditTeams);
        QVERIFY(stayedOpen);
        QCOMPARE(m_prompts.questions.size(), 2);
        QVERIFY(m_prompts.questions[1].contains("1 cell"));
        QVERIFY(
            m_prompts.questions[1].contains("TeamName: theirs \"Theirs Again\", yours \"Mine\""));
        const Roster& now = Doc().roster();
        QCOMPARE(now.TeamName[1].Text(), "Mine");
        QCOMPARE(now.TeamName[2].Text(), "Only Theirs");
        QCOMPARE(now.TeamName[3].Text(), "Also Mine");
        QVERIFY(SameTexts(now, freshLoad()));
        QVERIFY(!Doc().unsavedStores().any());
        // The undo step holds what the user did, and only that.
        QVERIFY(Doc().undo());
        QCOMPARE(Doc().roster().TeamName[1].Text(), "Theirs Again");
        QCOMPARE(Doc().roster().TeamName[2].Text(), "Only Theirs");
        QCOMPARE(Doc().roster().TeamName[3].Text(), Roster().TeamName[3].Text());
    }

    // Every load starts from the built-in roster: values of the folder shown before never stay,
    // whether the next folder lacks a store file or a file is removed from outside.
    void everyLoadStartsFromTheBuiltInRoster() {
        Roster first = Doc().roster();
        first.DriverStartQual.SetText("20000");
        first.TeamRacePower[4].SetText("999");
        ProgramState state;
        state.folder = ResolveRosterFolder(QFile::encodeName(m_folder.path()).toStdString());
        QVERIFY(SaveStores(first, state, AllStores));
        (void)Doc().reload();
        QCOMPARE(Doc().roster().DriverStartQual.Text(), "20000");

        const QString other = OtherFolder("Other Team"); // Teams.rk alone
        QVERIFY(m_app->folders().open(other));
        QCOMPARE(Doc().roster().TeamName[0].Text(), "Other Team");
        QCOMPARE(Doc().roster().DriverStartQual.Text(), Roster().DriverStartQual.Text());
        QTemporaryDir empty;
        QVERIFY(m_app->folders().open(empty.path()));
        QVERIFY(Doc().roster() == Roster());

        QVERIFY(m_app->folders().open(m_folder.path()));
        QCOMPARE(Doc().roster().TeamRacePower[4].Text(), "999");
        QVERIFY(QFile::remove(Store(TeamsStore)));
        QTRY_COMPARE(Doc().roster().TeamRacePower[4].Text(), Roster().TeamRacePower[4].Text());
        QCOMPARE(Doc().roster().DriverStartQual.Text(), "20000");
        // A file damaged from outside is reported as at start-up.
        QFile damaged(Store(PowersStore));
        QVERIFY(damaged.open(QIODevice::WriteOnly) && damaged.write("short") == 5);
        damaged.close();
        QTRY_COMPARE(m_prompts.messages.size(), 1);
        QVERIFY(m_prompts.messages[0].text.contains("EPowers.rk is 5 bytes long, not 220"));
    }

    // While another program holds the folder, a save waits with the window alive, and the user
    // may give up: the form stays open and nothing changes.
    void saveWaitsForABusyFolder() {
        int ready[2];
        QCOMPARE(::pipe(ready), 0);
        const pid_t holder = ::fork();
        QVERIFY(holder >= 0);
        if (holder == 0) {
            FolderLock lock;
            if (!FolderLock::Acquire(QFile::encodeName(m_folder.path()).toStdString(), lock))
                ::_exit(1);
            (void)!::write(ready[1], "x", 1);
            ::sleep(30);
            ::_exit(0);
        }
        char byte = 0;
        QCOMPARE(::read(ready[0], &byte, 1), 1);
        const auto before = AllBytes();
        m_prompts.giveUpWaiting = true;
        bool stayedOpen = false;
        WhenOpen<SetTeamsDialog>([&](SetTeamsDialog* d) {
            d->edit(SetTeamsDialog::Name, 0)->setText(QStringLiteral("Waiting"));
            d->accept();
            stayedOpen = d->isVisible();
            m_prompts.giveUpWaiting = false;
            QTimer::singleShot(300, [holder] { ::kill(holder, SIGKILL); });
            d->accept(); // waits until the other program is gone
        });
        m_app->trigger(Command::EditTeams);
        ::waitpid(holder, nullptr, 0);
        ::close(ready[0]);
        ::close(ready[1]);
        QVERIFY(stayedOpen);
        QCOMPARE(m_prompts.waits, 2);
        QVERIFY(m_prompts.messages.isEmpty());
        QVERIFY(AllBytes() != before);
        QVERIFY(Bytes(TeamsStore).startsWith("Waiting"));
    }

    // A file that looks like UTF-8 but has no byte-order mark: Compare offers to read it as UTF-8
    // and imports that reading; Open asks first (Read as UTF-8, as it is, or Cancel); a file with
    // the mark is read as UTF-8 and asked nothing.
    void utf8FileIsOfferedAsUtf8() {
        Roster other = Doc().roster();
        other.TeamName[0].SetText("Caf\xc3\xa9"); // "Café" in UTF-8
        const std::string text = FormatNativePerformanceFile(other);
        const QString path = m_folder.filePath(QStringLiteral("utf8.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text.data(), qint64(text.size())));
        file.close();

        // The file's text of TeamName 0, before and after Read as UTF-8.
        QStringList shown;
        auto teamName = [](CompareDialog* d) {
            auto* table = d->findChild<QTableWidget*>(QStringLiteral("compareTable"));
            for (int row = 0; row < table->rowCount(); ++row)
                if (table->item(row, 1)->text() == QLatin1String("TeamName"))
                    return table->item(row, 3)->text();
            return QString();
        };
        m_prompts.fileNames = {path};
        WhenOpen<CompareDialog>([&](CompareDialog* d) {
            shown << teamName(d);
            auto* utf8 = d->findChild<QPushButton*>(QStringLiteral("utf8Button"));
            if (utf8 && utf8->isVisible()) {
                utf8->click();
                shown << teamName(d) << (utf8->isVisible() ? "offered again" : "done");
            }
            d->findChild<QPushButton*>(QStringLiteral("importButton"))->click();
        });
        m_app->trigger(Command::CompareFile);
        QCOMPARE(m_prompts.fileDialogs.last().title,
                 QStringLiteral("Compare with Performance File"));
        QCOMPARE(shown, (QStringList{"Caf\u00c3\u00a9", "Caf\u00e9", "done"}));
        QCOMPARE(Doc().roster().TeamName[0].Text(), "Caf\xe9");

        const Roster before = Doc().roster();
        const QString undo = Doc().undoName();
        std::vector<std::string> read;
        for (auto answer : {ScriptedPrompts::Answer::Cancel, ScriptedPrompts::Answer::Discard,
                            ScriptedPrompts::Answer::Save}) {
            m_prompts.fileNames = {path};
            m_prompts.answers = {answer};
            m_app->trigger(Command::OpenNativeFile);
            read.emplace_back(Doc().roster().TeamName[0].Text());
            if (answer == ScriptedPrompts::Answer::Cancel) {
                QVERIFY(SameTexts(Doc().roster(), before));
                QCOMPARE(Doc().undoName(), undo);
            }
        }
        QCOMPARE(read, (std::vector<std::string>{"Caf\xe9", "Caf\xc3\xa9", "Caf\xe9"}));
        QCOMPARE(m_prompts.questions.size(), 3);
        QVERIFY2(m_prompts.questions[0].contains(QStringLiteral("utf8.txt looks like UTF-8")),
                 qPrintable(m_prompts.questions[0]));
        QVERIFY(m_prompts.messages.isEmpty()); // the question was the news

        // With the mark: UTF-8 without a question.
        m_app->trigger(Command::Undo); // back to the reading as it is
        QCOMPARE(Doc().roster().TeamName[0].Text(), "Caf\xc3\xa9");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\xEF\xBB\xBF");
        file.write(text.data(), qint64(text.size()));
        file.close();
        m_prompts.fileNames = {path};
        m_app->trigger(Command::OpenNativeFile);
        QCOMPARE(Doc().roster().TeamName[0].Text(), "Caf\xe9");
        QCOMPARE(m_prompts.questions.size(), 3);
    }

    // The desktop's ways in and out: a Performance File dropped on the window is compared, the
    // roster saved into another folder goes on there, and the folder opens in the file manager.
    void dropSaveAsAndShowFolder() {
        Roster other = Doc().roster();
        other.TeamName[5].SetText("Dropped In");
        const QString season = m_folder.filePath(QStringLiteral("dropped.txt"));
        QVERIFY(WriteNativePerformanceFile(other, QFile::encodeName(season).toStdString()));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(season)});
        MainWindow* window = m_app->mainWindow();
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &enter);
        QVERIFY(enter.isAccepted());
        QMimeData folderData; // a folder is no Performance File
        folderData.setUrls({QUrl::fromLocalFile(m_folder.path())});
        QDragEnterEvent folderEnter(QPoint(5, 5), Qt::CopyAction, &folderData, Qt::LeftButton,
                                    Qt::NoModifier);
        QApplication::sendEvent(window, &folderEnter);
        QVERIFY(!folderEnter.isAccepted());
        int rows = -1;
        WhenOpen<CompareDialog>([&](CompareDialog* d) {
            rows = d->findChild<QTableWidget*>(QStringLiteral("compareTable"))->rowCount();
            d->findChild<QPushButton*>(QStringLiteral("importButton"))->click();
        });
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &drop);
        QTRY_VERIFY(rows > 0);
        QCOMPARE(Doc().roster().TeamName[5].Text(), "Dropped In");
        const Roster dropped = Doc().roster();

        // Save Roster As: all four files in the new folder, and the roster goes on there; the old
        // folder keeps its files.
        const auto oldFiles = AllBytes();
        const QString next = m_folder.filePath(QStringLiteral("next season"));
        m_prompts.fileNames = {next};
        m_app->trigger(Command::SaveRosterAs);
        QCOMPARE(m_app->folders().folder(), next);
        QVERIFY(SameTexts(Doc().roster(), dropped));
        QVERIFY(!Doc().unsavedStores().any());
        for (StoreFile f : StoreFiles) {
            QFile file(QDir(next).filePath(QString::fromLatin1(StoreFileName(f))));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), QByteArray::fromStdString(SerializeStore(Doc().roster(), f)));
        }
        QVERIFY(AllBytes() == oldFiles);
        // Back into the first folder, which holds a roster: asked first, and No writes nothing.
        Roster changed = Doc().roster();
        changed.TeamName[6].SetText("Not Saved There");
        Doc().apply(changed, TeamsPart, QStringLiteral("Open y.txt"));
        m_prompts.fileNames = {m_folder.path()};
        m_prompts.answers = {Prompts::Answer::Cancel};
        m_app->trigger(Command::SaveRosterAs);
        QVERIFY(m_prompts.questions.last().contains("holds a roster already"));
        QVERIFY(AllBytes() == oldFiles);
        QCOMPARE(m_app->folders().folder(), next);

        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
        m_app->trigger(Command::ShowRosterFolder);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(catcher.opened, QUrl::fromLocalFile(next));
    }

    // Forms and imports undone one by one bring back the cells and every store file byte for
    // byte; redone, the cells and files of each step come back.
    void undoAndRedoEachKindOfStep() {
        const Roster start = Doc().roster();
        const auto startFiles = AllBytes();
        QVERIFY(!m_app->mainWindow()->action(Command::Undo)->isEnabled());

        WhenOpen<SetTeamsDialog>([](SetTeamsDialog* d) {
            d->edit(SetTeamsDialog::Name, 3)->setText(QStringLiteral("Scuderia"));
            d->accept();
        });
        m_app->trigger(Command::EditTeams);
        WhenOpen<SetEditpowerDialog>([](SetEditpowerDialog* d) {
            d->driverPower(1)->setText(QStringLiteral("999"));
            d->accept();
        });
        m_app->trigger(Command::EditPowers); // saves EPowers.rk, leaves the driver powers unsaved
        Roster other = Doc().roster();
        other.DriverName[5].SetText("Imported");
        other.TeamRacePower[0].SetText("77");
        const QString season = m_folder.filePath(QStringLiteral("season.txt"));
        QVERIFY(WriteNativePerformanceFile(other, QFile::encodeName(season).toStdString()));
        m_prompts.fileNames = {season};
        m_app->trigger(Command::OpenNativeFile);
        QCOMPARE(Doc().roster().DriverName[5].Text(), "Imported");

        const Roster end = Doc().roster();
        const auto endFiles = AllBytes();
        QVERIFY(endFiles.at(TeamsStore) != startFiles.at(TeamsStore));
        QVERIFY(endFiles.at(PowersStore) != startFiles.at(PowersStore));
        QCOMPARE(MenuText(Command::Undo), QStringLiteral("&Undo Open season.txt"));

        m_app->trigger(Command::Undo); // the import saved nothing: the cells alone
        QCOMPARE(Doc().roster().DriverName[5].Text(), start.DriverName[5].Text());
        QCOMPARE(AllBytes(), endFiles);
        QCOMPARE(MenuText(Command::Undo), QStringLiteral("&Undo Edit Powers"));
        QCOMPARE(MenuText(Command::Redo), QStringLiteral("&Redo Open season.txt"));
        m_app->trigger(Command::Undo);
        m_app->trigger(Command::Undo);
        QVERIFY(SameTexts(Doc().roster(), start));
        QCOMPARE(AllBytes(), startFiles);
        QVERIFY(!Doc().unsavedStores().any());
        QVERIFY(!m_app->mainWindow()->action(Command::Undo)->isEnabled());
        QCOMPARE(MenuText(Command::Undo), QStringLiteral("&Undo"));

        for (int i = 0; i < 3; ++i)
            m_app->trigger(Command::Redo);
        QVERIFY(SameTexts(Doc().roster(), end));
        QCOMPARE(AllBytes(), endFiles);
        QVERIFY(!m_app->mainWindow()->action(Command::Redo)->isEnabled());

        // A new step after an undo drops what was undone.
        m_app->trigger(Command::Undo);
        WhenOpen<SetTeamsDialog>([](SetTeamsDialog* d) {
            d->edit(SetTeamsDialog::Name, 0)->setText(QStringLiteral("Other"));
            d->accept();
        });
        m_app->trigger(Command::EditTeams);
        QVERIFY(!Doc().canRedo());
        QVERIFY(m_prompts.messages.isEmpty());
    }

    // A store file that cannot be written stops the undo: the failure names the file, and the
    // cells, the files and the step stay as they were until the file can be written again.
    void failedSaveKeepsTheStep() {
        WhenOpen<SetTeamsDialog>([](SetTeamsDialog* d) {
            d->edit(SetTeamsDialog::Name, 0)->setText(QStringLiteral("Scuderia"));
            d->accept();
        });
        m_app->trigger(Command::EditTeams);
        const QByteArray saved = Bytes(TeamsStore);
        QFile teams(Store(TeamsStore));
        const auto writable = teams.permissions();
        QVERIFY(teams.setPermissions(QFile::ReadOwner));

        m_app->trigger(Command::Undo);
        QCOMPARE(m_prompts.messages.size(), 1);
        QVERIFY2(m_prompts.messages[0].text.contains(Store(TeamsStore)),
                 qPrintable(m_prompts.messages[0].text));
        QCOMPARE(Doc().roster().TeamName[0].Text(), "Scuderia");
        QCOMPARE(Bytes(TeamsStore), saved);
        QCOMPARE(Doc().undoName(), QStringLiteral("Edit Teams"));
        QVERIFY(!Doc().canRedo());

        QVERIFY(teams.setPermissions(writable));
        m_app->trigger(Command::Undo);
        QVERIFY(Doc().roster().TeamName[0].Text() != "Scuderia");
        QVERIFY(Bytes(TeamsStore) != saved);
        QVERIFY(!Doc().unsavedStores().any());
    }
};

} // namespace rk7

QTEST_MAIN(rk7::DocumentTest)
#include "document_test.moc"
