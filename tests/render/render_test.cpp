// Runs rk7power-render as a user would and looks at what it wrote: pages and text with
// poppler's tools, pixels with QImage.
#include "model/folder_transaction.h"
#include "model/program_state.h"
#include "model/roster.h"
#include "model/store.h"
#include "version.h"

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace rk7 {

namespace {

struct ProgramRun {
    int status = -1; // -1: did not finish normally
    QString out;
    QString err;
};

// Runs a program to its end; the renderer without any display or platform chosen for it.
// setUp may change the process before it starts (its environment, where its output goes).
ProgramRun RunProgram(const QString& program, const QStringList& arguments,
                      const QString& workingDir = {},
                      const std::function<void(QProcess&, QProcessEnvironment&)>& setUp = {}) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(QString::fromLatin1(name));
    if (setUp)
        setUp(process, env);
    process.setProcessEnvironment(env);
    if (!workingDir.isEmpty())
        process.setWorkingDirectory(workingDir);
    process.start(program, arguments);
    ProgramRun result;
    if (!process.waitForFinished(60000))
        return result;
    if (process.exitStatus() == QProcess::NormalExit)
        result.status = process.exitCode();
    result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.err = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

ProgramRun Render(const QStringList& arguments, const QString& workingDir = {},
                  const std::function<void(QProcess&, QProcessEnvironment&)>& setUp = {}) {
    return RunProgram(QStringLiteral(RK7_RENDER), arguments, workingDir, setUp);
}

// Every file of a folder with its bytes, to tell whether a run changed anything there.
QMap<QString, QByteArray> FolderContents(const QString& path) {
    QMap<QString, QByteArray> contents;
    for (const QString& name : QDir(path).entryList(QDir::Files | QDir::Hidden)) {
        QFile file(QDir(path).filePath(name));
        contents[name] = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("?");
    }
    return contents;
}

QString Describe(const ProgramRun& r) {
    return QStringLiteral("status %1, stdout: %2, stderr: %3").arg(r.status).arg(r.out, r.err);
}

int PageCount(const QString& pdf) {
    const ProgramRun info = RunProgram(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)$"),
                                                         QRegularExpression::MultilineOption)
                                          .match(info.out);
    return info.status == 0 && m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString PdfText(const QString& pdf) {
    return RunProgram(QStringLiteral("pdftotext"),
                      {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
        .out;
}

// Each word's box in points, from the page's top-left corner; the first of words that repeat.
QMap<QString, QRectF> PdfWords(const QString& pdf) {
    const QString html =
        RunProgram(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")})
            .out;
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QMap<QString, QRectF> words;
    for (const QRegularExpressionMatch& m : word.globalMatch(html)) {
        if (words.contains(m.captured(5)))
            continue;
        words[m.captured(5)] = QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                      QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
    }
    return words;
}

// The page at 96 dots per inch, so that one pixel is one pixel of the screen's view.
QImage PdfAt96Dpi(const QString& pdf) {
    const QString prefix = pdf + QStringLiteral(".raster");
    RunProgram(QStringLiteral("pdftoppm"),
               {QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-png"),
                QStringLiteral("-singlefile"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".png"));
}

bool Inked(QRgb c) {
    return qRed(c) < 200 || qGreen(c) < 200 || qBlue(c) < 200;
}
bool Near(QRgb c, QRgb want, int tolerance) {
    return std::abs(qRed(c) - qRed(want)) <= tolerance &&
           std::abs(qGreen(c) - qGreen(want)) <= tolerance &&
           std::abs(qBlue(c) - qBlue(want)) <= tolerance;
}

constexpr QRgb Teal = 0xff008080;
constexpr QRgb LightGray = 0xffc0c0c0;
constexpr QRgb Black = 0xff000000;
constexpr QRgb DarkGray = 0xff808080;

QRgb Pixel(const QImage& image, int x, int y) {
    return image.pixel(x, y) | 0xff000000;
}

} // namespace

class RenderTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString Out(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        for (const char* tool : {"pdfinfo", "pdftotext", "pdftoppm", "readelf"})
            QVERIFY2(!QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty(), tool);
    }

    void versionAndHelp() {
        const ProgramRun version = Render({QStringLiteral("--version")});
        QCOMPARE(version.status, 0);
        QCOMPARE(version.out.section(QLatin1Char('\n'), 0, 0),
                 QStringLiteral("rk7power-render " RK7_VERSION));
        QVERIFY2(version.out.contains(QLatin1String("License GPL-3.0-or-later")),
                 qPrintable(version.out));
        const ProgramRun help = Render({QStringLiteral("--help")});
        QCOMPARE(help.status, 0);
        for (const char* word : {"--dir", "--view", "--pdf", "--png", "--size"})
            QVERIFY2(help.out.contains(QLatin1String(word)), qPrintable(help.out));
    }

    void linksQtGuiButNotWidgets() {
        const ProgramRun dynamic = RunProgram(QStringLiteral("readelf"),
                                              {QStringLiteral("-d"), QStringLiteral(RK7_RENDER)});
        QCOMPARE(dynamic.status, 0);
        QVERIFY(dynamic.out.contains(QStringLiteral("libQt6Gui.so")));
        QVERIFY(!dynamic.out.contains(QStringLiteral("libQt6Widgets.so")));
        QVERIFY(!dynamic.out.contains(QStringLiteral("libQt6PrintSupport.so")));
    }

    void pdfIsOnePageWithTheView_data() {
        QTest::addColumn<QString>("view");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        QTest::newRow("all") << "all" << QStringList{"Driver Names", "Team Names", "Engine",
                                                     "T Q Power",    "D R Power",  "Failure",
                                                     "Range",        "Ferrari",    "Marco Venturi"}
                             << QStringList{};
        QTest::newRow("teams") << "teams" << QStringList{"Team Names", "Engine",  "T R Power",
                                                         "Failure",    "Ferrari", "Lotus"}
                               << QStringList{"Driver Names", "Marco Venturi", "Range"};
        QTest::newRow("drivers") << "drivers"
                                 << QStringList{"Driver Names", "D Q Power", "Range",
                                                "Marco Venturi"}
                                 << QStringList{"Team Names", "Ferrari", "Failure"};
    }
    void pdfIsOnePageWithTheView() {
        QFETCH(QString, view);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        const QString pdf = Out(view + QStringLiteral(".pdf"));
        // Run in an empty folder: the built-in roster.
        const ProgramRun r =
            Render({QStringLiteral("--view"), view, QStringLiteral("--pdf"), pdf}, m_dir.path());
        QVERIFY2(r.status == 0, qPrintable(Describe(r)));
        QCOMPARE(PageCount(pdf), 1);
        const QString text = PdfText(pdf);
        for (const QString& word : present)
            QVERIFY2(text.contains(word),
                     qPrintable(word + QStringLiteral(" missing in\n") + text));
        for (const QString& word : absent)
            QVERIFY2(!text.contains(word), qPrintable(word + QStringLiteral(" found in\n") + text));
    }

    void viewAllIsTheDefault() {
        const QString pdf = Out(QStringLiteral("default.pdf"));
        const ProgramRun r = Render({QStringLiteral("--pdf"), pdf}, m_dir.path());
        QVERIFY2(r.status == 0, qPrintable(Describe(r)));
        const QString text = PdfText(pdf);
        QVERIFY(text.contains(QStringLiteral("Driver Names")));
        QVERIFY(text.contains(QStringLiteral("Team Names")));
    }

    // The page keeps the screen's physical sizes and the table fills the printable page: 10 mm
    // margins on A4 landscape, which at 96 dpi is 1123 x 794 with the table from (37.8, 37.8) to
    // (1084.7, 756.3).
    void pdfPageGeometry() {
        const QString pdf = Out(QStringLiteral("geometry.pdf"));
        const ProgramRun r = Render({QStringLiteral("--pdf"), pdf}, m_dir.path());
        QVERIFY2(r.status == 0, qPrintable(Describe(r)));
        const QImage page = PdfAt96Dpi(pdf);
        QVERIFY(!page.isNull());
        QVERIFY(std::abs(page.width() - 1123) <= 1 && std::abs(page.height() - 794) <= 1);

        const int headerY = 50; // inside the teal boxes
        int left = -1, right = -1;
        for (int x = 0; x < page.width(); ++x)
            if (Inked(page.pixel(x, headerY))) {
                if (left < 0)
                    left = x;
                right = x;
            }
        QVERIFY2(left >= 37 && left <= 39, qPrintable(QString::number(left)));
        QVERIFY2(right >= 1082 && right <= 1085, qPrintable(QString::number(right)));
        int bottom = -1;
        for (int y = 0; y < page.height(); ++y)
            if (Inked(page.pixel(450, y)))
                bottom = y;
        QVERIFY2(bottom >= 753 && bottom <= 756, qPrintable(QString::number(bottom)));

        // Teal header boxes where the screen has them: right of the "#" and in the empty end of
        // the last box.
        QVERIFY(Near(page.pixel(38 + 17, 38 + 10), Teal, 24));
        QVERIFY(Near(page.pixel(38 + 1037, 38 + 10), Teal, 24));
        // Texts sit where the screen has them, in points: a screen pixel is 3/4 of a point, and
        // the table starts at the 10 mm margin. Captions start 5 pixels into their column, body
        // texts 3; both are 16 pixels high.
        const QMap<QString, QRectF> words = PdfWords(pdf);
        const qreal margin = 10 / 25.4 * 72;
        auto pointsOf = [&](qreal pixels) {
            return margin + pixels * 0.75;
        };
        QVERIFY(words.contains(QStringLiteral("Driver")) &&
                words.contains(QStringLiteral("Range")));
        QVERIFY2(std::abs(words[QStringLiteral("Driver")].left() - pointsOf(24 + 5)) < 1.0,
                 qPrintable(QString::number(words[QStringLiteral("Driver")].left())));
        QVERIFY2(std::abs(words[QStringLiteral("Range")].left() - pointsOf(749 + 5)) < 1.0,
                 qPrintable(QString::number(words[QStringLiteral("Range")].left())));
        QVERIFY2(std::abs(words[QStringLiteral("Marco")].left() - pointsOf(24 + 3)) < 1.0,
                 qPrintable(QString::number(words[QStringLiteral("Marco")].left())));
        QVERIFY2(std::abs(words[QStringLiteral("Marco")].top() - pointsOf(24 + 5)) < 1.5,
                 qPrintable(QString::number(words[QStringLiteral("Marco")].top())));
        QVERIFY2(std::abs(words[QStringLiteral("Driver")].height() - 16 * 0.75) < 1.5,
                 qPrintable(QString::number(words[QStringLiteral("Driver")].height())));
        QVERIFY(!Inked(page.pixel(150, headerY - 12))); // above the table: paper
        // Printing colours: white cell faces below the header.
        QVERIFY(Near(page.pixel(38 + 400, 38 + 300), 0xffffffff, 8));
    }

    void pngOfTheRequestedSize_data() {
        QTest::addColumn<QString>("view");
        QTest::newRow("all") << "all";
        QTest::newRow("teams") << "teams";
        QTest::newRow("drivers") << "drivers";
    }
    void pngOfTheRequestedSize() {
        QFETCH(QString, view);
        const QString png = Out(view + QStringLiteral(".png"));
        const ProgramRun r = Render({QStringLiteral("--view"), view, QStringLiteral("--png"), png,
                                     QStringLiteral("--size"), QStringLiteral("800x600")},
                                    m_dir.path());
        QVERIFY2(r.status == 0, qPrintable(Describe(r)));
        QVERIFY2(r.out.isEmpty(), qPrintable(r.out));
        const QImage image(png);
        QCOMPARE(image.size(), QSize(800, 600));
        // Teal header boxes, where no caption covers them: captions start 5 pixels into their
        // column, so (30, 10) is the "D" of "Driver Names" in View All and View Drivers.
        QCOMPARE(Pixel(image, 4, 10), Teal);
        QCOMPARE(Pixel(image, 4, 20), Teal);
        QCOMPARE(Pixel(image, 790, 10), Teal);
        // Screen colours: light grey cell faces; the last column reaches the right edge and the
        // body cells the bottom one.
        QCOMPARE(Pixel(image, 450, 300), LightGray);
        QCOMPARE(Pixel(image, 799, 10), Black);
        QCOMPARE(Pixel(image, 400, 599), Black);
        QCOMPARE(Pixel(image, 400, 598), DarkGray);
    }

    // The chart on one page and at the size asked for, drawn with the built-in roster's
    // position tables; nothing of it needs a display.
    void chartToPdfAndPng() {
        const QString pdf = Out(QStringLiteral("chart.pdf"));
        ProgramRun r = Render(
            {QStringLiteral("--view"), QStringLiteral("chart"), QStringLiteral("--pdf"), pdf},
            m_dir.path());
        QVERIFY2(r.status == 0, qPrintable(Describe(r)));
        QCOMPARE(PageCount(pdf), 1);
        const QString text = PdfText(pdf);
        for (const char* word :
             {"Team powers", "Driver powers", "Position tables", "Team power by position",
              "Range by position", "Lotus", "Marco Venturi"})
            QVERIFY2(text.contains(QLatin1String(word)), qPrintable(text));

        const QString png = Out(QStringLiteral("chart.png"));
        r = Render({QStringLiteral("--view"), QStringLiteral("chart"), QStringLiteral("--png"), png,
                    QStringLiteral("--size"), QStringLiteral("1280x720")},
                   m_dir.path());
        QVERIFY2(r.status == 0, qPrintable(Describe(r)));
        const QImage image(png);
        QCOMPARE(image.size(), QSize(1280, 720));
        // Panels on the grey, and the points of the position tables in their colours.
        QMap<QRgb, int> colours;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ++colours[Pixel(image, x, y)];
        QVERIFY(colours.value(LightGray) < image.width() * image.height() / 4);
        QVERIFY(colours.value(0xffffffff) > image.width() * image.height() / 2);
        for (const QRgb line : {0xff008080u, 0xff7b3fa0u, 0xff2e8b3au, 0xffc0392bu})
            QVERIFY2(colours.value(line) > 28 * 4, qPrintable(QString::number(line, 16)));
    }

    void pngDefaultSize() {
        const QString png = Out(QStringLiteral("default.png"));
        const ProgramRun r = Render({QStringLiteral("--png"), png}, m_dir.path());
        QVERIFY2(r.status == 0, qPrintable(Describe(r)));
        const QImage image(png);
        QCOMPARE(image.size(), QSize(1024, 768));
        QCOMPARE(Pixel(image, 4, 10), Teal);
        QCOMPARE(Pixel(image, 1014, 10), Teal);
        QCOMPARE(Pixel(image, 1023, 10), Black);
    }

    void storeFilesOfTheFolderAreShown() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        Roster roster;
        ProgramState state;
        state.folder = ResolveRosterFolder(folder.path().toStdString());
        roster.TeamName[0].SetText("Zeta Racing");
        roster.TeamQualPower[0].SetText("987");
        roster.DriverName[0].SetText("Ana Testa");
        roster.CarNumber[0].SetText("17");
        QVERIFY(SaveTeamsStore(roster, state).IsOk());
        QVERIFY(SaveDriversStore(roster, state).IsOk());

        const QString pdf = Out(QStringLiteral("store.pdf"));
        const ProgramRun r =
            Render({QStringLiteral("--dir"), folder.path(), QStringLiteral("--pdf"), pdf});
        QVERIFY2(r.status == 0, qPrintable(Describe(r)));
        const QString text = PdfText(pdf);
        for (const char* word : {"Zeta Racing", "987", "Ana Testa", "17", "Mclaren"})
            QVERIFY2(text.contains(QLatin1String(word)), qPrintable(text));
        QVERIFY(!text.contains(QStringLiteral("Marco Venturi")));
    }

    void badArgumentsAreUsageErrors_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("no output") << QStringList{};
        QTest::newRow("both outputs") << QStringList{"--pdf", "a.pdf", "--png", "a.png"};
        QTest::newRow("missing file") << QStringList{"--png"};
        QTest::newRow("empty file") << QStringList{"--png", ""};
        QTest::newRow("unknown view") << QStringList{"--view", "spares", "--png", "a.png"};
        QTest::newRow("view in capitals") << QStringList{"--view", "ALL", "--png", "a.png"};
        QTest::newRow("zero size") << QStringList{"--png", "a.png", "--size", "0x100"};
        QTest::newRow("no size") << QStringList{"--png", "a.png", "--size", "big"};
        QTest::newRow("huge size") << QStringList{"--png", "a.png", "--size", "100000x10"};
        QTest::newRow("size of a pdf") << QStringList{"--pdf", "a.pdf", "--size", "10x10"};
        QTest::newRow("unknown option") << QStringList{"--png", "a.png", "--colour"};
        QTest::newRow("stray argument") << QStringList{"--png", "a.png", "extra"};
        QTest::newRow("twice") << QStringList{"--png", "a.png", "--png", "b.png"};
    }
    void badArgumentsAreUsageErrors() {
        QFETCH(QStringList, arguments);
        QTemporaryDir folder;
        const ProgramRun r = Render(arguments, folder.path());
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.contains(QStringLiteral("rk7power-render")), qPrintable(r.err));
        QVERIFY(QDir(folder.path()).isEmpty()); // nothing written
    }

    void unreadableOrUnwritableFilesAreFileErrors() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        // The output is a folder.
        const QString taken = folder.filePath(QStringLiteral("taken.png"));
        QVERIFY(QDir().mkdir(taken));
        ProgramRun r = Render({QStringLiteral("--png"), taken});
        QCOMPARE(r.status, 4);
        QVERIFY2(r.err.contains(taken), qPrintable(r.err));
        QVERIFY(QFileInfo(taken).isDir());
        // The output's folder does not exist.
        const QString nowhere = folder.filePath(QStringLiteral("no/such/out.pdf"));
        r = Render({QStringLiteral("--pdf"), nowhere});
        QCOMPARE(r.status, 4);
        QVERIFY2(r.err.contains(nowhere), qPrintable(r.err));
        // The roster folder does not exist.
        const QString missing = folder.filePath(QStringLiteral("missing"));
        r = Render({QStringLiteral("--dir"), missing, QStringLiteral("--png"),
                    folder.filePath(QStringLiteral("x.png"))});
        QCOMPARE(r.status, 4);
        QVERIFY2(r.err.contains(missing), qPrintable(r.err));
        QVERIFY(!QFileInfo::exists(folder.filePath(QStringLiteral("x.png"))));
        // A store file that cannot be read.
        const QString stores = folder.filePath(QStringLiteral("stores"));
        QVERIFY(QDir().mkpath(stores + QStringLiteral("/Teams.rk")));
        r = Render({QStringLiteral("--dir"), stores, QStringLiteral("--png"),
                    folder.filePath(QStringLiteral("y.png"))});
        QCOMPARE(r.status, 4);
        QVERIFY2(r.err.contains(QStringLiteral("Teams.rk")), qPrintable(r.err));
    }

    // Another program's save of Teams.rk and Drivers.rk, killed after its journal and before its
    // renames: the render shows the new roster, as a load would, says so, and leaves every byte
    // of the folder as it was for that program to complete.
    void aSaveCutShortIsReadAsDoneButLeftAlone() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const std::string dir = folder.path().toStdString();
        Roster old;
        ProgramState state;
        state.folder = ResolveRosterFolder(dir);
        QVERIFY(SaveStores(old, state, TeamsStore | DriversStore).IsOk());
        Roster saved;
        saved.TeamName[0].SetText("Zeta Racing");
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            FolderLock lock;
            if (!FolderLock::Acquire(dir, lock))
                ::_exit(1);
            (void)ReplaceFilesTogether(
                dir,
                {{StorePath(dir, TeamsStore), SerializeStore(saved, TeamsStore)},
                 {StorePath(dir, DriversStore), SerializeStore(saved, DriversStore)}},
                Durability::NoFlush, [](ReplaceStep step, std::size_t) {
                    if (step == ReplaceStep::Rename)
                        ::_exit(0);
                    return true;
                });
            ::_exit(1);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        const QMap<QString, QByteArray> before = FolderContents(folder.path());
        QVERIFY2(before.contains(QStringLiteral("RK7_Power.journal")),
                 qPrintable(before.keys().join(QLatin1Char(' '))));

        const QString pdf = Out(QStringLiteral("cut-short.pdf"));
        const ProgramRun r =
            Render({QStringLiteral("--dir"), folder.path(), QStringLiteral("--pdf"), pdf});
        QVERIFY2(r.status == 0, qPrintable(Describe(r)));
        QVERIFY2(PdfText(pdf).contains(QStringLiteral("Zeta Racing")), qPrintable(PdfText(pdf)));
        QVERIFY(FolderContents(folder.path()) == before);
        QVERIFY2(r.err.contains(QStringLiteral("warning")) &&
                     r.err.contains(QStringLiteral("cut short")) &&
                     r.err.contains(QStringLiteral("Teams.rk, Drivers.rk")),
                 qPrintable(r.err));
    }

    // The picture never goes over one of the folder's own files, by any of its names.
    void neverWritesOverTheStoreFiles() {
        QTemporaryDir folder;
        QFile teams(folder.filePath(QStringLiteral("Teams.rk")));
        QVERIFY(teams.open(QIODevice::WriteOnly) && teams.write(QByteArray(1260, 'T')) == 1260);
        teams.close();
        QVERIFY(QFile::link(QStringLiteral("Teams.rk"), folder.filePath(QStringLiteral("t.png"))));
        const QMap<QString, QByteArray> before = FolderContents(folder.path());
        for (const QString& target :
             {QStringLiteral("Teams.rk"), QStringLiteral("t.png"), QStringLiteral("./Drivers.rk"),
              QStringLiteral("RK7_Power.journal")}) {
            const ProgramRun r = Render(
                {QStringLiteral("--dir"), QStringLiteral("."), QStringLiteral("--png"), target},
                folder.path());
            QVERIFY2(r.status == 4 && r.err.contains(QStringLiteral("roster folder's own files")),
                     qPrintable(Describe(r)));
        }
        QVERIFY(FolderContents(folder.path()) == before);
    }

    // No display is ever needed, whatever platform the environment or the command line names.
    void neverNeedsADisplay() {
        QTemporaryDir folder;
        const QString png = folder.filePath(QStringLiteral("xcb.png"));
        const auto xcb = [](QProcess&, QProcessEnvironment& env) {
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        };
        ProgramRun r = Render(
            {QStringLiteral("--png"), png, QStringLiteral("--size"), QStringLiteral("64x48")},
            folder.path(), xcb);
        QVERIFY2(r.status == 0, qPrintable(Describe(r)));
        QCOMPARE(QImage(png).size(), QSize(64, 48));
        // Qt's own options are not this program's: a usage error, not a display looked for.
        r = Render(
            {QStringLiteral("-platform"), QStringLiteral("xcb"), QStringLiteral("--png"), png},
            folder.path());
        QVERIFY2(r.status == 2, qPrintable(Describe(r)));
    }

    // A write that cannot be done is an error with a message and exit status 4, and leaves no
    // file behind: under a file-size limit, and with the help or the version to a full disk.
    void writesThatFailAreReported() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString png = folder.filePath(QStringLiteral("big.png"));
        const auto limited = [](QProcess& process, QProcessEnvironment&) {
            process.setChildProcessModifier([] {
                std::signal(SIGXFSZ, SIG_DFL); // as a shell leaves it
                const rlimit limit{4096, 4096};
                ::setrlimit(RLIMIT_FSIZE, &limit);
            });
        };
        ProgramRun r = Render({QStringLiteral("--png"), png}, folder.path(), limited);
        QVERIFY2(r.status == 4, qPrintable(Describe(r)));
        QVERIFY2(r.err.contains(png) && r.err.contains(QStringLiteral("File too large")),
                 qPrintable(r.err));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{});

        const auto full = [](QProcess& process, QProcessEnvironment&) {
            process.setStandardOutputFile(QStringLiteral("/dev/full"));
        };
        for (const char* option : {"--help", "--version"}) {
            r = Render({QString::fromLatin1(option)}, folder.path(), full);
            QVERIFY2(r.status == 4, qPrintable(QLatin1String(option) + Describe(r)));
            QVERIFY2(r.err.contains(QStringLiteral("standard output")), qPrintable(r.err));
        }
    }

    void anExistingFileIsReplaced() {
        QTemporaryDir folder;
        const QString png = folder.filePath(QStringLiteral("again.png"));
        QFile old(png);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("not an image");
        old.close();
        const ProgramRun r = Render(
            {QStringLiteral("--png"), png, QStringLiteral("--size"), QStringLiteral("64x48")});
        QVERIFY2(r.status == 0, qPrintable(Describe(r)));
        QCOMPARE(QImage(png).size(), QSize(64, 48));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"again.png"});
    }
};

} // namespace rk7

QTEST_GUILESS_MAIN(rk7::RenderTest)
#include "render_test.moc"
