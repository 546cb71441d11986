// The damaged Performance Files of tests/data/bad_inputs/ through the open commands, as a user
// would pick them: none may crash or hang the program, each gives the message its list entry
// expects, and names in Windows-1252 come back byte for byte when the file is saved again.
#include "app/application.h"
#include "app/command.h"
#include "exchange/dialect.h"
#include "exchange/performance_file.h"
#include "gui/edit_roster.h"
#include "gui/scripted_prompts.h"
#include "model/roster_schema.h"
#include "views/roster_view.h"

#include <cstring>
#include <memory>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace rk7 {

using test::ScriptedPrompts;

namespace {

const QString DataFolder = QStringLiteral(RK7_DATA_DIR);

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Every cell still holds at most W-1 characters before its NUL.
bool CellsIntact(const Roster& roster) {
    bool intact = true;
    ForEachCell(roster, [&](const auto& cell) {
        intact &= std::memchr(cell.bytes.data(), '\0', cell.Width()) != nullptr &&
                  cell.Text().size() < cell.Width();
    });
    return intact;
}

} // namespace

class BadInputTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_folder;
    ScriptedPrompts m_prompts;
    std::unique_ptr<Application> m_app;

    QString Path(const QString& name) const { return m_folder->filePath(name); }
    const Roster& R() { return m_app->document().roster(); }

    // Opens path with the command of the dialect its banner names (the native one when none).
    void Open(const QString& path) {
        const QByteArray head = ReadAll(path).left(200);
        const auto dialect = DetectDialect(std::string_view(head.constData(), head.size()));
        m_prompts.fileNames = {path};
        // A file that looks like UTF-8 is asked about first: read as it is, as the command-line
        // tool reads it without --encoding.
        m_prompts.answers = {ScriptedPrompts::Answer::Discard};
        m_app->trigger(dialect == Dialect::Exchange ? Command::OpenExchangeFile
                                                    : Command::OpenNativeFile);
        m_prompts.answers.clear();
    }
    // The program goes on: a view command still toggles its view.
    void ExpectProgramWorks() {
        const bool drivers = m_app->view()->views().ViewDrivers;
        m_app->trigger(Command::ViewDrivers);
        QCOMPARE(m_app->view()->views().ViewDrivers, !drivers);
        QVERIFY(CellsIntact(R()));
    }

private slots:
    void init() {
        m_folder = std::make_unique<QTemporaryDir>();
        QVERIFY(m_folder->isValid());
        m_prompts = ScriptedPrompts();
        m_app = std::make_unique<Application>(
            Application::Options{m_folder->path(), Path(QStringLiteral("prefs.ini"))}, m_prompts);
        m_app->initMainWindow();
    }
    void cleanup() {
        m_app.reset();
        m_folder.reset();
    }

    void openEachBadInput_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("checkStatus");
        QTest::addColumn<bool>("same");
        QTest::addColumn<QString>("text");
        QFile list(DataFolder + QStringLiteral("/bad_inputs.txt"));
        QVERIFY(list.open(QIODevice::ReadOnly));
        int rows = 0;
        while (!list.atEnd()) {
            const QString line = QString::fromUtf8(list.readLine()).trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            const QStringList parts = line.split(QLatin1Char(' '));
            QVERIFY(parts.size() >= 5);
            QTest::newRow(qPrintable(parts[0]))
                << parts[0] << parts[1].toInt() << (parts[3] == QLatin1String("same"))
                << parts.mid(4).join(QLatin1Char(' '));
            ++rows;
        }
        QVERIFY(rows >= 20);
    }

    void openEachBadInput() {
        QFETCH(QString, file);
        QFETCH(int, checkStatus);
        QFETCH(bool, same);
        QFETCH(QString, text);
        const QString path = DataFolder + QStringLiteral("/bad_inputs/") + file;
        QVERIFY(QFile::exists(path));
        test::EditRoster(*m_app, [](Roster& r) { r.TeamName[0].SetText("Before"); });
        const Roster before = R();
        Open(path);
        switch (checkStatus) {
        case 0: // read as it stood
            QVERIFY2(m_prompts.messages.isEmpty(), qPrintable(m_prompts.messages.value(0).text));
            break;
        case 1: { // read, with diagnostics
            // The look of UTF-8 was the question before the reading, and is not told again.
            if (text.contains(QStringLiteral("the file looks like UTF-8"))) {
                QCOMPARE(m_prompts.questions.size(), 1);
                QVERIFY2(m_prompts.messages.isEmpty(),
                         qPrintable(m_prompts.messages.value(0).text));
                break;
            }
            QCOMPARE(m_prompts.messages.size(), 1);
            const QString& shown = m_prompts.messages[0].text;
            QVERIFY2(shown.contains(QStringLiteral("was read, but some values were not taken")),
                     qPrintable(shown));
            // The list's text is a diagnostic "LINE: message" (shown as "Line LINE: message"),
            // or the dialect's name, which the box does not show.
            static const QRegularExpression diagnostic(QStringLiteral("^(\\d+): (.*)$"));
            const auto match = diagnostic.match(text);
            if (match.hasMatch())
                QVERIFY2(
                    shown.contains(
                        QStringLiteral("Line %1: %2").arg(match.captured(1), match.captured(2))),
                    qPrintable(shown));
            else if (text != QLatin1String("native") && text != QLatin1String("exchange"))
                QVERIFY2(shown.contains(text), qPrintable(shown));
            break;
        }
        default: // refused: the roster is as it was
            QCOMPARE(m_prompts.messages.size(), 1);
            QCOMPARE(m_prompts.messages[0].text,
                     QStringLiteral("This not a valid Peformance File"));
            QCOMPARE(m_prompts.messages[0].caption, QStringLiteral("Error"));
            QVERIFY(R() == before);
            break;
        }
        ExpectProgramWorks();

        if (same) {
            // Saved again in its dialect, the file comes back byte for byte: names in
            // Windows-1252 (or UTF-8) included.
            const QByteArray original = ReadAll(path);
            const bool exchange = original.startsWith("** Rk7edit");
            m_prompts.messages.clear();
            m_prompts.fileNames = {Path(QStringLiteral("again.txt"))};
            m_app->trigger(exchange ? Command::SaveExchangeFile : Command::SaveNativeFile);
            QCOMPARE(ReadAll(Path(QStringLiteral("again.txt"))), original);
            QCOMPARE(m_prompts.messages.size(), 0);
        }
    }

    void windows1252NamesStayBytes() {
        Open(DataFolder + QStringLiteral("/bad_inputs/cp1252_names.txt"));
        QVERIFY(m_prompts.messages.isEmpty());
        QCOMPARE(R().TeamName[0].Text(), std::string_view("Caf\xe9 R\xe9sum\xe9"));
        QCOMPARE(R().TeamName[6].Text(), std::string_view("\x81\x8d\x8f\x90\x9d"));
        QCOMPARE(R().EngineName[1].Text(), std::string_view("Motor \x80"
                                                            "1"));
        QCOMPARE(R().DriverName[2].Text(), std::string_view("\x8aime \x9aolc 2"));
    }

    void largeFilesMadeHere() {
        const std::string base = FormatNativePerformanceFile(Roster());
        // A name of 1 MB on line 4.
        std::string longLine = base;
        const std::string name = "Name=Ferrari,Ferrari";
        longLine.replace(longLine.find(name), name.size(),
                         "Name=" + std::string(1 << 20, 'L') + ",Engine");
        WriteAll(Path(QStringLiteral("long_line.txt")), QByteArray::fromStdString(longLine));
        Open(Path(QStringLiteral("long_line.txt")));
        QCOMPARE(m_prompts.messages.size(), 1);
        QVERIFY2(m_prompts.messages[0].text.contains(
                     QStringLiteral("Line 4: team name of 1048576 characters cut to 31")),
                 qPrintable(m_prompts.messages[0].text));
        QCOMPARE(R().TeamName[0].Text(), std::string(31, 'L'));
        QCOMPARE(R().EngineName[0].Text(), "Engine");

        // One line of 1 MB without a line end: no banner.
        WriteAll(Path(QStringLiteral("one_line.txt")), QByteArray(1 << 20, 'A'));
        Open(Path(QStringLiteral("one_line.txt")));
        QCOMPARE(m_prompts.messages.size(), 2);
        QCOMPARE(m_prompts.messages[1].text, QStringLiteral("This not a valid Peformance File"));

        // Beyond the 4 MiB a Performance File may have: refused unread.
        WriteAll(Path(QStringLiteral("too_large.txt")),
                 QByteArray::fromStdString(base) + QByteArray(5 << 20, 'x'));
        const Roster before = R();
        Open(Path(QStringLiteral("too_large.txt")));
        QCOMPARE(m_prompts.messages.size(), 3);
        QVERIFY2(m_prompts.messages[2].text.contains(
                     Path(QStringLiteral("too_large.txt")) +
                     QStringLiteral(": larger than 4 MiB, too large for a Performance File")),
                 qPrintable(m_prompts.messages[2].text));
        QVERIFY(R() == before);
        ExpectProgramWorks();
    }
};

} // namespace rk7

QTEST_MAIN(rk7::BadInputTest)
#include "bad_input_test.moc"
