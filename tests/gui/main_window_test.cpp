#include "app/application.h"
#include "app/command.h"
#include "app/main_window.h"
#include "dialogs/help_window.h"
#include "document/preferences.h"
#include "editors/set_drivers_dialog.h"
#include "editors/set_teams_dialog.h"
#include "editors/spare_dialog.h"
#include "exchange/performance_file.h"
#include "gui/edit_roster.h"
#include "gui/scripted_prompts.h"
#include "gui/when_open.h"
#include "info/whats_new_dialog.h"
#include "model/file_io.h"
#include "model/store.h"
#include "painter/chart_painter.h"
#include "painter/table_fonts.h"
#include "version.h"
#include "views/roster_view.h"
#include "views/view_snapshot.h"
#include "widgets/app_icon.h"
#include "widgets/main_tool_bar.h"

#include <cmath>
#include <memory>

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QHelpEvent>
#include <QImageReader>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStyleOptionMenuItem>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>

namespace rk7 {

using test::ScriptedPrompts;
using test::WhenOpen;

// A program started on a folder of its own, with its own preferences file.
struct Session {
    QTemporaryDir folder;
    ScriptedPrompts prompts;
    std::unique_ptr<Application> app;

    QString Prefs() const { return folder.filePath(QStringLiteral("RK7_Power.ini")); }
    QString Store(StoreFile f) const {
        return folder.filePath(QString::fromLatin1(StoreFileName(f)));
    }
    QByteArray StoreBytes(StoreFile f) const {
        QFile file(Store(f));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void WritePrefs(const QByteArray& text) const {
        QFile file(Prefs());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    Application& Start() {
        app = std::make_unique<Application>(Application::Options{folder.path(), Prefs()}, prompts);
        app->initMainWindow();
        return *app;
    }
    // Starts with options and shows the window, its view watched from the first paint on.
    bool StartShown(const Application::Options& options, QObject* viewWatcher) {
        app = std::make_unique<Application>(options, prompts);
        app->initMainWindow();
        app->view()->installEventFilter(viewWatcher);
        app->mainWindow()->show();
        return QTest::qWaitForWindowExposed(app->mainWindow());
    }
};

// The title the window system shows: Qt adds the application's display name, when one was set,
// to every title that does not already end with it.
QString ShownTitle(const QString& title) {
    const QString display = QGuiApplication::applicationDisplayName();
    if (display == QCoreApplication::applicationName() || title.endsWith(display))
        return title; // none set: the display name is only the application's name
    return title + QStringLiteral(" \u2014 ") + display;
}

// Relative luminance, as contrast ratios are measured.
double Luminance(QColor c) {
    auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

// Records how the menu items it draws are checked.
struct MenuCheckRecorder : QProxyStyle {
    QMap<QString, QStyleOptionMenuItem::CheckType> checks;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        if (element == CE_MenuItem)
            if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option))
                const_cast<MenuCheckRecorder*>(this)->checks[item->text] = item->checkType;
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

// The main window shown and active, so that keys reach it as a user's do; null if it never was.
QWindow* ActiveMainWindow(Application& app) {
    app.mainWindow()->resize(1024, 768);
    app.mainWindow()->show();
    QApplication::setActiveWindow(app.mainWindow());
    return QTest::qWaitForWindowActive(app.mainWindow()) ? app.mainWindow()->windowHandle()
                                                         : nullptr;
}

struct PaintCounter : QObject {
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::Paint;
        return false;
    }
};

// The table fonts each paint of the watched widget was painted in.
struct FontsAtPaint : QObject {
    std::vector<ViewFonts> fonts;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            fonts.push_back(TableFonts());
        return false;
    }
};

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    // A file on the command line is a Performance File to compare with the roster of the
    // folder the program starts on; it never becomes a roster folder, nor a recent one.
    void fileOnTheCommandLine() {
        Session s;
        const QString season = s.folder.filePath(QStringLiteral("season.txt"));
        Roster other;
        other.TeamName[2].SetText("From The File");
        QVERIFY(WriteNativePerformanceFile(other, QFile::encodeName(season).toStdString()));
        const StartArgument file = ClassifyStartArgument(season);
        QCOMPARE(file.file, season);
        QVERIFY(file.folder.isEmpty() && file.error.isEmpty());
        QCOMPARE(ClassifyStartArgument(s.folder.path()).folder, s.folder.path());
        QVERIFY(ClassifyStartArgument(s.folder.filePath(QStringLiteral("new"))).file.isEmpty());
        QVERIFY(ClassifyStartArgument(QStringLiteral("/dev/null")).error.contains("neither"));

        Application& app = s.Start();
        app.compareWhenShown(file.file);
        bool compared = false;
        WhenOpen<QDialog>([&](QDialog* d) {
            compared = d->windowTitle().contains(QStringLiteral("season.txt"));
            d->findChild<QPushButton*>(QStringLiteral("importButton"))->click();
        });
        app.showMainWindow();
        QTRY_VERIFY(compared);
        QCOMPARE(app.document().roster().TeamName[2].Text(), "From The File");
        QCOMPARE(app.folders().recent(), QStringList{s.folder.path()});
    }

    void captionAndMenuTree() {
        Session s;
        Application& app = s.Start();
        QCOMPARE(app.mainWindow()->windowTitle(), QStringLiteral("RK7 Power V" RK7_VERSION));

        // Flatten the menu bar: "menu|item text|id" per row, separators as "menu|-".
        QStringList rows;
        std::function<void(QMenu*, const QString&)> walk = [&](QMenu* menu, const QString& path) {
            for (QAction* a : menu->actions()) {
                if (a->isSeparator())
                    rows << path + "|-";
                else if (a->menu())
                    walk(a->menu(), path + "/" + a->text());
                else
                    rows << path + "|" + a->text() +
                                (a->shortcut().isEmpty() ? QString()
                                                         : "\t" + a->shortcut().toString()) +
                                "|" + a->data().toString();
            }
        };
        for (QAction* top : app.mainWindow()->menuBar()->actions())
            walk(top->menu(), top->text());
        const QStringList expected = {
            "&File/&Open|&Open RK7Edit Performance File...|24332",
            "&File/&Open|Op&en RK7 Power Performance File...\tCtrl+O|6800",
            "&File/&Save|Save &RK7Edit Performance File &As...|24333",
            "&File/&Save|Save RK7 &Power Performance File &As...\tCtrl+S|6801",
            "&File|Open Roster &Folder...\tCtrl+Shift+O|8003",
            "&File|Save Roster &As...|8008",
            "&File|S&how Roster Folder|8009",
            "&File/Recent Roster Fol&ders|&1 " + s.folder.path() + "|",
            "&File|&Compare with Performance File...|8004",
            "&File|-",
            "&File|Print Pre&view...|24340",
            "&File|&Print...\tCtrl+P|24337",
            "&File|P&rint Setup...|24338",
            "&File|-",
            "&File|E&xit\tCtrl+Q|24310",
            "&Edit/Edit &Drivers|Main Drivers|6100",
            "&Edit/Edit &Drivers|Spare Drivers|7010",
            "&Edit|Edit &Teams|3000",
            "&Edit|Edit &Powers|4000",
            "&Edit|&Copy View\tCtrl+C|8005",
            "&Edit|-",
            "&Edit|&Undo\tCtrl+Z|8001",
            "&Edit|&Redo\tCtrl+Shift+Z|8002",
            "&View|View &Teams|6200",
            "&View|View &Drivers|6300",
            "&View|View &All|6400",
            "&View|View &Chart|8007",
            "&View|-",
            "&View|&Highlight Changes|8006",
            "&Help|H&elp Contents|2010",
            "&Help|-",
            "&Help|&What's New|4353",
            "&Help|&About...|2009",
        };
        QCOMPARE(rows, expected);
    }

    void everyMenuCommandIsEnabled() {
        Session s;
        Application& app = s.Start();
        for (const CommandInfo& info : Commands())
            if (info.command != Command::Undo && info.command != Command::Redo) // nothing yet
                QVERIFY2(app.mainWindow()->action(info.command)->isEnabled(), info.name);
    }

    void toolBarOrderAndLook() {
        Session s;
        Application& app = s.Start();
        MainToolBar* bar = app.mainWindow()->toolBar();
        QStringList gadgets;
        for (QAction* a : bar->actions()) {
            QWidget* w = bar->widgetForAction(a);
            if (qobject_cast<QToolButton*>(w))
                gadgets << a->data().toString();
            else
                gadgets << QStringLiteral("|");
        }
        QCOMPARE(
            gadgets.join(' '),
            QStringLiteral(
                "24332 24333 | 6800 6801 | 6100 3000 4000 | 24337 24340 | 6400 6200 6300 8007"));
        // Menus and buttons share one action per command.
        QCOMPARE(bar->actions().at(7), app.mainWindow()->action(Command::EditTeams));
        QVERIFY(!app.mainWindow()->action(Command::EditTeams)->icon().isNull());

        app.mainWindow()->resize(800, 600);
        app.mainWindow()->show();
        QVERIFY(QTest::qWaitForWindowExposed(app.mainWindow()));
        const QImage shot = bar->grab().toImage();
        QCOMPARE(shot.pixelColor(shot.width() / 2, 0), QColor(Qt::black));                  // bevel
        QCOMPARE(shot.pixelColor(shot.width() - 10, shot.height() / 2), QColor(0, 0, 128)); // navy
        // The buttons' own look: the checked view's button a dark face inside a light edge, one
        // pixel in from its corner; a button at rest shows the bar's navy there.
        const auto at = [&](const char* button, QPoint offset) {
            const auto* w = bar->findChild<QToolButton*>(QLatin1String("button:") + button);
            return shot.pixelColor(w->geometry().topLeft() + offset);
        };
        QCOMPARE(bar->findChild<QToolButton*>(QStringLiteral("button:print"))->size(),
                 QSize(27, 27));
        QCOMPARE(at("view-all", {1, 1}), QColor(0x80, 0x80, 0xff));
        QCOMPARE(at("view-all", {3, 3}), QColor(0x30, 0x30, 0xa0));
        QCOMPARE(at("print", {1, 1}), QColor(0, 0, 128));
    }

    // The icons make their images only when drawn, but show exactly the images of the sources:
    // each size (the buttons' compiled in as pixels), the @2x twins on a high-density screen, and
    // Qt's greyed disabled look.
    void iconsShowTheirImages() {
        const auto image = [](const QString& file) {
            QImageReader reader(file, "png");
            return reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        };
        const auto shown = [](const QIcon& icon, QSize size, qreal ratio, QIcon::Mode mode) {
            return icon.pixmap(size, ratio, mode)
                .toImage()
                .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        };

        const QIcon app = AppIcon();
        QCOMPARE(app.availableSizes(),
                 QList<QSize>({QSize(48, 48), QSize(128, 128), QSize(256, 256)}));
        for (int size : {48, 128, 256})
            QCOMPARE(shown(app, QSize(size, size), 1.0, QIcon::Normal),
                     image(QStringLiteral(":/icons/app-%1.png").arg(size)));
        QCOMPARE(app.actualSize(QSize(300, 300)), QSize(256, 256)); // never scaled up

        for (const std::optional<Command>& button : ToolBarButtons()) {
            if (!button)
                continue;
            const char* bitmap = InfoOf(*button).name;
            const QString name = QStringLiteral(":/icons/") + QLatin1String(bitmap);
            // The usual size is compiled in from the image in the sources.
            const QImage file = image(QStringLiteral(RK7_ICONS_DIR "/%1.png").arg(bitmap));
            QVERIFY2(!file.isNull(), bitmap);
            const QIcon icon = ToolButtonIcon(bitmap);
            const QImage normal = shown(icon, file.size(), 1.0, QIcon::Normal);
            QCOMPARE(normal, file);
            const QPixmap dense = icon.pixmap(file.size(), 2.0);
            QCOMPARE(dense.devicePixelRatio(), 2.0);
            QCOMPARE(dense.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                     image(name + QStringLiteral("@2x.png")));
            const QImage disabled = shown(icon, file.size(), 1.0, QIcon::Disabled);
            QCOMPARE(disabled.size(), file.size());
            QVERIFY2(disabled != normal, bitmap);
            // A copy (QIcon detaches by cloning the engine) shows the same.
            QIcon copy = icon;
            copy.detach();
            QCOMPARE(shown(copy, file.size(), 1.0, QIcon::Normal), normal);
        }
    }

    // On the navy bar every glyph stands out, at both densities: most of what each one draws
    // contrasts at least 3:1 with navy, the least that a shape needs to be made out.
    void toolBarGlyphsStandOut() {
        const QColor navy(0, 0, 128);
        const double navyLuminance = Luminance(navy);
        QStringList faint;
        for (const std::optional<Command>& button : ToolBarButtons()) {
            if (!button)
                continue;
            for (const char* density : {"", "@2x"}) {
                const QString name = QStringLiteral(RK7_ICONS_DIR "/%1%2.png")
                                         .arg(QLatin1String(InfoOf(*button).name), density);
                const QImage image = QImage(name).convertToFormat(QImage::Format_ARGB32);
                QVERIFY2(!image.isNull(), qPrintable(name));
                int drawn = 0, clear = 0;
                for (int y = 0; y < image.height(); ++y)
                    for (int x = 0; x < image.width(); ++x) {
                        const QColor c = image.pixelColor(x, y);
                        if (c.alpha() < 128)
                            continue;
                        ++drawn;
                        const double a = c.alphaF();
                        const double l = Luminance(
                            QColor::fromRgbF(float(c.redF() * a), float(c.greenF() * a),
                                             float(c.blueF() * a + navy.blueF() * (1 - a))));
                        clear += (std::max(l, navyLuminance) + 0.05) /
                                     (std::min(l, navyLuminance) + 0.05) >=
                                 3.0;
                    }
                if (clear < drawn * 3 / 4)
                    faint << QStringLiteral("%1 (%2 of %3)").arg(name).arg(clear).arg(drawn);
            }
        }
        QVERIFY2(faint.isEmpty(), qPrintable(faint.join(QStringLiteral(", "))));
    }

    void hintsInTheStatusBar() {
        Session s;
        Application& app = s.Start();
        app.mainWindow()->show();
        QVERIFY(QTest::qWaitForWindowExposed(app.mainWindow()));
        // A highlighted menu item shows its hint; disabled items cannot be highlighted.
        QMenu* view = app.mainWindow()->findChild<QMenu*>(QStringLiteral("menu:&View"));
        QVERIFY(view);
        app.mainWindow()->menuBar()->setActiveAction(view->menuAction()); // opens it from the bar
        QTRY_VERIFY(view->isVisible());
        QTRY_COMPARE(app.mainWindow()->statusBar()->currentMessage(),
                     QStringLiteral("Select Various Views"));
        view->setActiveAction(app.mainWindow()->action(Command::ViewDrivers));
        QCOMPARE(app.mainWindow()->statusBar()->currentMessage(),
                 QStringLiteral("View Driver Info"));
        view->setActiveAction(app.mainWindow()->action(Command::ViewAll));
        QCOMPARE(app.mainWindow()->statusBar()->currentMessage(), QStringLiteral("View All Info"));
        view->close();
        QMenu* edit = app.mainWindow()->findChild<QMenu*>(QStringLiteral("menu:&Edit"));
        QCOMPARE(app.mainWindow()->action(Command::Exit)->statusTip(),
                 QStringLiteral("Quits RK7 Power and prompts to save the documents"));
        QCOMPARE(edit->menuAction()->statusTip(),
                 QStringLiteral("Edit Teams, Drivers, and Calculated Powers"));
        QVERIFY(app.mainWindow()->action(Command::SpareDrivers)->statusTip().isEmpty());
        QVERIFY(app.mainWindow()->action(Command::HelpContents)->statusTip().isEmpty());

        // Hovering the tool button of the powers table shows the menu command's hint.
        auto* button =
            app.mainWindow()->findChild<QToolButton*>(QStringLiteral("button:edit-powers"));
        QVERIFY(button);
        QStatusTipEvent tip(button->defaultAction()->statusTip());
        QCoreApplication::sendEvent(button, &tip);
        QCOMPARE(app.mainWindow()->statusBar()->currentMessage(),
                 QStringLiteral("Editing power numbers that the program uses to calculate with"));
    }

    void startsFromTheStoreFilesInItsFolder() {
        Session s;
        {
            Roster stored;
            stored.TeamName[2].SetText("Stored Team");
            ProgramState state;
            state.folder = ResolveRosterFolder(s.folder.path().toStdString());
            QVERIFY(SaveTeamsStore(stored, state));
        }
        Application& app = s.Start();
        QCOMPARE(app.document().roster().TeamName[2].Text(), "Stored Team");
        QCOMPARE(app.document().roster().DriverName, Roster().DriverName);
        QCOMPARE(QString::fromStdString(app.document().state().folder.path), s.folder.path());
        QVERIFY(s.prompts.messages.isEmpty());

        Session empty;
        Application& fresh = empty.Start();
        QVERIFY(fresh.document().roster() == Roster());
        QVERIFY(fresh.view()->views().ViewAll);
        QVERIFY(fresh.mainWindow()->action(Command::ViewAll)->isChecked());
        QCOMPARE(QDir(empty.folder.path()).entryList(QDir::Files), QStringList());
    }

    void unreadableStoreFileIsReported() {
        Session s;
        QDir(s.folder.path()).mkdir(QStringLiteral("Drivers.rk"));
        Application& app = s.Start();
        app.reportStartupProblems();
        QCOMPARE(s.prompts.messages.size(), 1);
        QVERIFY(s.prompts.messages[0].text.contains(QStringLiteral("Drivers.rk")));
        QVERIFY(app.document().roster() == Roster());
    }

    void autoModePreference_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("autoMode");
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("TRUE") << QByteArray("[Preferences]\nAutoMode=TRUE\n") << true;
        QTest::newRow("True") << QByteArray("[Preferences]\nAutoMode=True\n") << true;
        QTest::newRow("true") << QByteArray("[Preferences]\nAutoMode=true\n") << true;
        QTest::newRow("TRUEX") << QByteArray("[Preferences]\nAutoMode=TRUEX\n") << false;
        QTest::newRow("FALSE") << QByteArray("[Preferences]\nAutoMode=FALSE\n") << false;
        QTest::newRow("list") << QByteArray("[Preferences]\nAutoMode=TRUE,TRUE\n") << false;
        QTest::newRow("other key case") << QByteArray("[Preferences]\nautomode=TRUE\n") << true;
        QTest::newRow("all in small letters")
            << QByteArray("[preferences]\r\nautomode=true\r\n") << true;
        QTest::newRow("spaces and other sections")
            << QByteArray("[Other]\nAutoMode=FALSE\n[ PREFERENCES ]\n; note\n AUTOMODE = True ")
            << true;
        QTest::newRow("only another section") << QByteArray("[Other]\nAutoMode=TRUE\n") << false;
        QTest::newRow("the first section counts")
            << QByteArray("[Preferences]\nAutoMode=FALSE\n[Preferences]\nAutoMode=TRUE\n") << false;
    }

    void autoModePreference() {
        QFETCH(QByteArray, file);
        QFETCH(bool, autoMode);
        Session s;
        if (!file.isEmpty())
            s.WritePrefs(file);
        Application& app = s.Start();
        QCOMPARE(app.document().state().autoMode, autoMode);
    }

    // Writing the mode changes the key's value and keeps every other byte of the file.
    void writingTheModeKeepsTheRestOfTheFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("RK7_Power.ini"));
        auto write = [&](const QByteArray& text) {
            QFile file(path);
            return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                   file.write(text) == text.size();
        };
        auto read = [&] {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
        };
        struct Case {
            QByteArray before;
            bool mode;
            QByteArray after;
        };
        const QByteArray full = "; RK7 Power\r\n[Window]\r\nAutoMode=TRUE\r\n\r\n[preferences]\r\n"
                                "; the edit mode\r\nautomode = FALSE\r\nOther=1\r\n[Last]\r\nx=y";
        QByteArray fullAuto = full;
        fullAuto.replace("automode = FALSE", "automode = TRUE");
        const Case cases[] = {
            {full, true, fullAuto},
            {fullAuto, false, full},
            {"[Preferences]\r\nOther=1\r\n\r\n[Last]\r\nx=y", true,
             "[Preferences]\r\nOther=1\r\nAutoMode=TRUE\r\n\r\n[Last]\r\nx=y"},
            {"[Other]\nk=v", true, "[Other]\nk=v\n[Preferences]\nAutoMode=TRUE\n"},
            {"[PREFERENCES]\nAUTOMODE=false", true, "[PREFERENCES]\nAUTOMODE=TRUE"},
            {"[Preferences]\nOther=1", false, "[Preferences]\nOther=1\nAutoMode=FALSE\n"},
            {"", true, "[Preferences]\r\nAutoMode=TRUE\r\n"},
        };
        for (const Case& c : cases) {
            QVERIFY(write(c.before));
            QVERIFY(WriteAutoMode(path, c.mode));
            QCOMPARE(read(), c.after);
            QCOMPARE(ReadAutoMode(path), c.mode);
        }

        // A run that reads the small-letter section writes into it at close, not a second one.
        Session s;
        s.WritePrefs("[preferences]\r\nautomode=true\r\n");
        Application& app = s.Start();
        QVERIFY(app.document().state().autoMode);
        QVERIFY(app.mainWindow()->close());
        QFile prefs(s.Prefs());
        QVERIFY(prefs.open(QIODevice::ReadOnly));
        QCOMPARE(prefs.readAll(), QByteArray("[preferences]\r\nautomode=TRUE\r\n"));
    }

    void autoModeIsWrittenAtClose() {
        Session s;
        Application& app = s.Start();
        app.document().setAutoMode(true);
        QVERIFY(app.mainWindow()->close());
        QFile file(s.Prefs());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY2(text.contains("[Preferences]") && text.contains("AutoMode=TRUE"),
                 text.constData());
        Session again;
        QFile::copy(s.Prefs(), again.Prefs());
        QVERIFY(again.Start().document().state().autoMode);
        again.app->document().setAutoMode(false);
        QVERIFY(again.app->mainWindow()->close());
        QVERIFY(!QSettings(again.Prefs(), QSettings::IniFormat)
                     .value("Preferences/AutoMode")
                     .toString()
                     .compare("FALSE"));
    }

    void aChangeRepaintsAtOnce() {
        Session s;
        Application& app = s.Start();
        // Without the highlight, which a later step clears with a paint of its own.
        app.views().setHighlighting(false);
        app.mainWindow()->show();
        QVERIFY(QTest::qWaitForWindowExposed(app.mainWindow()));
        PaintCounter paints;
        app.view()->installEventFilter(&paints);
        QTest::qWait(250);
        QCOMPARE(paints.count, 0); // nothing changed, nothing painted
        // A change the view shows is painted as soon as the events are handled.
        test::EditRoster(app, [](Roster& r) { r.TeamName[0].SetText("Now"); });
        QCoreApplication::processEvents();
        QCOMPARE(paints.count, 1);
        // The spare drivers, which no view shows, are no reason to paint.
        Roster spares = app.document().roster();
        spares.SpareName[0].SetText("Reserve");
        app.document().apply(spares, SparesPart, QStringLiteral("Edit Spare Drivers"));
        QCoreApplication::processEvents();
        QTest::qWait(50);
        QCOMPARE(paints.count, 1);
    }

    // The table fonts fitted at one start are kept for the next, whose first frame needs no fit.
    // A kept fit that no longer holds (fonts installed or removed since) gives way once the
    // window is up: the tables are painted again in the fonts fitted now, which are kept instead.
    void tableFontsKeptBetweenStarts() {
        Session s;
        const QString kept = s.folder.filePath(QStringLiteral("cache/table-fonts"));
        const std::string keptPath = QFile::encodeName(kept).toStdString();
        FontsAtPaint painted;
        const auto start = [&] {
            painted.fonts.clear();
            return s.StartShown({s.folder.path(), s.Prefs(), {}, kept}, &painted);
        };
        const ViewFonts fit = FitTableFonts();

        QVERIFY(start());
        QTRY_VERIFY(ReadTableFonts(keptPath) == fit);

        ViewFonts stale = fit;
        stale.body.setPixelSize(fit.body.pixelSize() + 3);
        QVERIFY(WriteTableFonts(keptPath, stale).IsOk());
        QVERIFY(start());
        QTRY_VERIFY(!painted.fonts.empty() && painted.fonts.back() == fit);
        QVERIFY(painted.fonts.front() == stale);
        QVERIFY(ReadTableFonts(keptPath) == fit);

        // A fit that holds is not written again at every start.
        const FileStamp before = StampOf(keptPath);
        QVERIFY(start());
        QTest::qWait(100);
        QVERIFY(painted.fonts.front() == fit);
        QVERIFY(StampOf(keptPath) == before);
    }

    // The view's start frame is kept for the next start, which draws it instead of painting. One
    // that painting no longer gives (here: the right key over wrong pixels, as after the system's
    // font settings changed) is painted over once the window is up, and kept right; a right one
    // is neither painted again nor written again.
    void startFrameKeptBetweenStarts() {
        Session s;
        const QString framePath = s.folder.filePath(QStringLiteral("cache/start-frame"));
        const std::string path = QFile::encodeName(framePath).toStdString();
        PaintCounter paints;
        const auto start = [&] {
            paints.count = 0;
            return s.StartShown({s.folder.path(), s.Prefs(), {}, {}, framePath}, &paints);
        };
        // What the screen shows of the view.
        const auto shown = [&] {
            RosterView* view = s.app->view();
            const QPoint at = view->mapTo(view->window(), QPoint());
            return view->screen()
                ->grabWindow(view->window()->winId(), at.x(), at.y(), view->width(), view->height())
                .toImage()
                .convertToFormat(QImage::Format_RGB32);
        };

        QVERIFY(start());
        QTRY_VERIFY(ReadViewSnapshot(path).has_value());
        const ViewSnapshot right = *ReadViewSnapshot(path);
        QVERIFY(!s.app->view()->keptFrameShown());
        const QImage painted = shown();

        const ViewSnapshot wrong = ViewSnapshot::Take(
            right.key(), right.size(), right.devicePixelRatio(),
            [&](QPainter& p) { p.fillRect(QRect(QPoint(), right.size()), Qt::red); });
        QVERIFY(WriteViewSnapshot(path, wrong).IsOk());
        QVERIFY(start());
        QVERIFY(s.app->view()->keptFrameShown());
        QTRY_COMPARE(ReadViewSnapshot(path)->bytes(), right.bytes());
        QTRY_VERIFY(paints.count >= 2);
        QTRY_COMPARE(shown(), painted);

        const FileStamp before = StampOf(path);
        QVERIFY(start());
        QVERIFY(s.app->view()->keptFrameShown());
        QTest::qWait(100);
        QCOMPARE(paints.count, 1);
        QCOMPARE(shown(), painted);
        QVERIFY(StampOf(path) == before);
    }

    void viewCommandsToggle() {
        Session s;
        Application& app = s.Start();
        RosterView* client = app.view();
        auto checks = [&] {
            QString marks;
            for (Command view :
                 {Command::ViewAll, Command::ViewTeams, Command::ViewDrivers, Command::ViewChart})
                marks += app.mainWindow()->action(view)->isChecked() ? u'1' : u'0';
            return marks;
        };
        QCOMPARE(checks(), QStringLiteral("1000"));
        app.mainWindow()->action(Command::ViewAll)->trigger(); // the shown view switches off
        QVERIFY(!client->views().ViewAll && !client->views().ViewTeams);
        QCOMPARE(checks(), QStringLiteral("0000"));
        app.mainWindow()->action(Command::ViewTeams)->trigger();
        QVERIFY(client->views().ViewTeams);
        QCOMPARE(checks(), QStringLiteral("0100"));
        app.mainWindow()->action(Command::ViewDrivers)->trigger(); // another view replaces it
        QVERIFY(client->views().ViewDrivers && !client->views().ViewTeams);
        QCOMPARE(checks(), QStringLiteral("0010"));
        // The chart is one of the views: it replaces a table, and a table replaces it.
        auto* chart =
            app.mainWindow()->findChild<QToolButton*>(QStringLiteral("button:view-chart"));
        QVERIFY(chart);
        chart->click();
        QVERIFY(client->views().Chart && !client->views().ViewDrivers);
        QCOMPARE(checks(), QStringLiteral("0001"));
        auto* button = app.mainWindow()->findChild<QToolButton*>(QStringLiteral("button:view-all"));
        QVERIFY(button);
        button->click();
        QCOMPARE(checks(), QStringLiteral("1000"));
        QVERIFY(button->isChecked() && !chart->isChecked() && !client->views().Chart);
        chart->click();
        chart->click(); // shown, so switched off
        QCOMPARE(checks(), QStringLiteral("0000"));
        QVERIFY(!client->views().Chart);
    }

    // The chart shows the position tables too: a change to one repaints it, a change to the
    // spare drivers does not. Resting the pointer on a bar tells what it is.
    void chartRepaintsAndTellsWhatABarIs() {
        Session s;
        Application& app = s.Start();
        app.views().setHighlighting(false);
        app.mainWindow()->resize(1024, 768);
        app.mainWindow()->show();
        QVERIFY(QTest::qWaitForWindowExposed(app.mainWindow()));
        app.trigger(Command::ViewChart);
        QCoreApplication::processEvents();
        PaintCounter paints;
        app.view()->installEventFilter(&paints);
        const auto change = [&](RosterPartSet parts, const auto& edit) {
            Roster edited = app.document().roster();
            edit(edited);
            app.document().apply(edited, parts, QStringLiteral("Edit"));
            QCoreApplication::processEvents();
        };
        change(SparesPart, [](Roster& r) { r.SpareName[0].SetText("Reserve"); });
        QCOMPARE(paints.count, 0);
        change(PowerTablesPart, [](Roster& r) { r.DriverPowerByPos[0].SetText("777"); });
        QCOMPARE(paints.count, 1);
        change(TeamsPart, [](Roster& r) { r.TeamQualPower[2].SetText("123"); });
        QCOMPARE(paints.count, 2);

        RosterView* view = app.view();
        const QString tip = QStringLiteral("Williams: qualifying team power 123");
        QPoint onBar;
        for (const ChartMark& mark :
             ChartMarks(view->rect(), MakeChartData(app.document().roster())))
            if (mark.tip == tip)
                onBar = mark.area.center().toPoint();
        QVERIFY(!onBar.isNull());
        const auto hover = [&](QPoint at) {
            QHelpEvent event(QEvent::ToolTip, at, view->mapToGlobal(at));
            QCoreApplication::sendEvent(view, &event);
        };
        hover(onBar);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), tip);
        hover(QPoint(2, 2)); // the grey margin: nothing to tell
        QTRY_VERIFY(!QToolTip::isVisible());
        // Copy View copies the chart as a picture of the window's size, as it prints: on white.
        app.trigger(Command::CopyView);
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), view->size());
        QCOMPARE(copied.pixel(onBar) | 0xff000000, chartcolors::Qualifying);
        QCOMPARE(copied.pixel(2, 2) | 0xff000000, viewcolors::White);
        app.trigger(Command::ViewAll); // the tables have no tips
        hover(onBar);
        QTest::qWait(50);
        QVERIFY(!QToolTip::isVisible());
    }

    void exitPromptForUnsavedChanges() {
        Session s;
        Application& app = s.Start();
        QVERIFY(app.mainWindow()->close()); // nothing unsaved: no question
        QVERIFY(s.prompts.questions.isEmpty());

        Session t;
        Application& edited = t.Start();
        test::EditRoster(edited, [](Roster& r) { r.SpareName[0].SetText("Spare One"); });
        edited.mainWindow()->show();
        t.prompts.answers = {Prompts::Answer::Cancel};
        QVERIFY(!edited.mainWindow()->close());
        QVERIFY(edited.mainWindow()->isVisible());
        QCOMPARE(t.prompts.questions,
                 QStringList{QStringLiteral("Save changes to the store files?")});
        QVERIFY(!QFile::exists(t.Store(DriversStore)));

        t.prompts.answers = {Prompts::Answer::Save};
        QVERIFY(edited.mainWindow()->close());
        QFile drivers(t.Store(DriversStore));
        QVERIFY(drivers.open(QIODevice::ReadOnly));
        QCOMPARE(drivers.size(), 2844);
        QVERIFY(drivers.readAll().mid(2100).startsWith("Spare One"));
        QVERIFY(!QFile::exists(t.Store(TeamsStore))); // only the file that lacked changes
        QVERIFY(!edited.document().unsavedStores().any());

        Session u;
        Application& discarded = u.Start();
        test::EditRoster(discarded, [](Roster& r) { r.TeamName[1].SetText("Changed"); });
        u.prompts.answers = {Prompts::Answer::Discard};
        QVERIFY(discarded.mainWindow()->close());
        QVERIFY(!QFile::exists(u.Store(TeamsStore)));
        QVERIFY(QFile::exists(u.Prefs()));
    }

    void failedSaveAtExitKeepsTheProgramOpen() {
        Session s;
        Application& app = s.Start();
        QDir(s.folder.path()).mkdir(QStringLiteral("Teams.rk")); // cannot be replaced
        test::EditRoster(app, [](Roster& r) { r.TeamName[0].SetText("Changed"); });
        s.prompts.answers = {Prompts::Answer::Save};
        QVERIFY(!app.mainWindow()->close());
        QCOMPARE(s.prompts.messages.size(), 1);
        QVERIFY(s.prompts.messages[0].text.contains(QStringLiteral("Teams.rk")));
        QCOMPARE(app.document().unsavedStores(), StoreFileSet(TeamsStore));

        // Two changed files are saved together: a write-protected Drivers.rk keeps Teams.rk
        // from being saved too.
        Session t;
        Application& both = t.Start();
        QVERIFY(both.document().save(TeamsStore | DriversStore));
        const QByteArray teamsBefore = t.StoreBytes(TeamsStore);
        QVERIFY(QFile::setPermissions(t.Store(DriversStore), QFile::ReadOwner));
        test::EditRoster(both, [](Roster& r) {
            r.TeamName[0].SetText("Changed");
            r.DriverName[0].SetText("Changed Too");
        });
        t.prompts.answers = {Prompts::Answer::Save};
        QVERIFY(!both.mainWindow()->close());
        QCOMPARE(t.prompts.messages.size(), 1);
        QVERIFY2(t.prompts.messages[0].text.contains(QStringLiteral("Drivers.rk: the file is "
                                                                    "read-only")),
                 qPrintable(t.prompts.messages[0].text));
        QCOMPARE(t.StoreBytes(TeamsStore), teamsBefore);
        QCOMPARE(both.document().unsavedStores(), TeamsStore | DriversStore);
    }

    void exitPromptOnlyWhenCellsDiffer() {
        Session s;
        Application& app = s.Start();
        // A Performance File of what the store files already hold, read in ...
        const QString file = s.folder.filePath(QStringLiteral("same.txt"));
        QVERIFY(WriteNativePerformanceFile(app.document().roster(),
                                           QFile::encodeName(file).toStdString()));
        s.prompts.fileNames = {file};
        app.trigger(Command::OpenNativeFile);
        QVERIFY(app.document().save(TeamsStore | DriversStore));
        QSignalSpy steps(&app.document(), &RosterDocument::historyChanged);
        s.prompts.fileNames = {file};
        app.trigger(Command::OpenNativeFile);
        // ... and the spare drivers form accepted as it opened.
        test::WhenOpen<SpareDialog>([](SpareDialog* spares) { spares->accept(); });
        app.trigger(Command::SpareDrivers);
        QCOMPARE(steps.size(), 0); // nothing differed, so nothing was a step
        QVERIFY(app.mainWindow()->close());
        QVERIFY(s.prompts.questions.isEmpty());
        QVERIFY(s.prompts.messages.isEmpty());
    }

    void startupReportsTheRosterFolder() {
        // Store files of the wrong size: one warning naming each, with both sizes.
        Session s;
        QVERIFY(QFile(s.Store(TeamsStore)).open(QIODevice::WriteOnly));
        {
            QFile drivers(s.Store(DriversStore));
            QVERIFY(drivers.open(QIODevice::WriteOnly));
            drivers.write(QByteArray(1000, 'd'));
        }
        s.Start().reportStartupProblems();
        QCOMPARE(s.prompts.messages.size(), 1);
        const QString warning = s.prompts.messages[0].text;
        QVERIFY2(warning.contains(QStringLiteral("Teams.rk is 0 bytes long, not 1260")),
                 qPrintable(warning));
        QVERIFY2(warning.contains(QStringLiteral("Drivers.rk is 1000 bytes long, not 2844")),
                 qPrintable(warning));

        // A folder that does not exist is named at start-up, and made at the first save when
        // the user agrees.
        Session t;
        const QString folder = t.folder.filePath(QStringLiteral("new/season"));
        Application app({folder, t.Prefs()}, t.prompts);
        app.initMainWindow();
        app.reportStartupProblems();
        QCOMPARE(t.prompts.messages.size(), 1);
        QVERIFY(t.prompts.messages[0].text.contains(QStringLiteral("The roster folder ") + folder +
                                                    QStringLiteral(" does not exist")));
        t.prompts.answers = {Prompts::Answer::Save};
        test::WhenOpen<SetTeamsDialog>([](SetTeamsDialog* teams) { teams->accept(); });
        app.trigger(Command::EditTeams);
        QCOMPARE(t.prompts.questions.size(), 1);
        QVERIFY(t.prompts.questions[0].contains(QStringLiteral("Create it")));
        QCOMPARE(QFileInfo(folder + QStringLiteral("/Teams.rk")).size(), 1260);

        // With no home folder named, the edit mode is kept in memory, and that is said once.
        const QByteArray home = qgetenv("HOME"), config = qgetenv("XDG_CONFIG_HOME");
        qunsetenv("HOME");
        qunsetenv("XDG_CONFIG_HOME");
        const QString path = PreferencesPath();
        qputenv("HOME", home);
        if (!config.isEmpty())
            qputenv("XDG_CONFIG_HOME", config);
        QCOMPARE(path, QString());
        Session u;
        Application unhomed({u.folder.path(), path}, u.prompts);
        unhomed.initMainWindow();
        QVERIFY(u.prompts.messages.isEmpty()); // said over the window, once it is up
        unhomed.reportStartupProblems();
        unhomed.reportStartupProblems();
        QCOMPARE(u.prompts.messages.size(), 1);
        QVERIFY(u.prompts.messages[0].text.contains(QStringLiteral("Neither HOME nor")));
        unhomed.document().setAutoMode(true);
        QVERIFY(unhomed.mainWindow()->close());
        QCOMPARE(u.prompts.messages.size(), 1);
    }

    void helpContentsAndContextHelp() {
        Session s;
        Application& app = s.Start();
        app.mainWindow()->show();
        QVERIFY(QTest::qWaitForWindowExposed(app.mainWindow()));

        QTest::keyClick(app.view(), Qt::Key_F1);
        QVERIFY(app.help().window() && app.help().window()->isVisible());
        QCOMPARE(app.help().window()->browser()->source().toString(),
                 QStringLiteral("qrc:/help/index.html"));
        QVERIFY(
            app.help().window()->browser()->toPlainText().contains(QStringLiteral("RK7 Power")));
        app.help().window()->close();

        // Shift+F1, then a command: its topic, and the command does not run.
        QTest::keyClick(app.view(), Qt::Key_F1, Qt::ShiftModifier);
        QVERIFY(app.help().active());
        app.mainWindow()->action(Command::ViewTeams)->trigger();
        QVERIFY(!app.help().active());
        QVERIFY(app.view()->views().ViewAll);
        QVERIFY(!app.mainWindow()->action(Command::ViewTeams)->isChecked());
        QCOMPARE(app.help().window()->browser()->source().toString(),
                 QStringLiteral("qrc:/help/views.html#view-teams"));

        // Escape leaves the mode.
        QTest::keyClick(app.view(), Qt::Key_F1, Qt::ShiftModifier);
        QVERIFY(app.help().active());
        QTest::keyClick(app.view(), Qt::Key_Escape);
        QVERIFY(!app.help().active());

        // F1 on a highlighted menu item shows its topic and does not run it.
        QMenu* view = app.mainWindow()->findChild<QMenu*>(QStringLiteral("menu:&View"));
        view->popup(QPoint(0, 0));
        QVERIFY(QTest::qWaitForWindowExposed(view));
        view->setActiveAction(app.mainWindow()->action(Command::ViewAll));
        QTest::keyClick(view, Qt::Key_F1);
        QVERIFY(app.view()->views().ViewAll);
        QCOMPARE(app.help().window()->browser()->source().toString(),
                 QStringLiteral("qrc:/help/views.html#view-all"));
        QVERIFY(!view->isVisible());
        QVERIFY(s.prompts.messages.isEmpty());
    }

    // Each window's title is its caption and nothing more.
    void titlesAreTheCaptionsAlone() {
        SetProgramIdentity();
        Session s;
        Application& app = s.Start();
        QCOMPARE(ShownTitle(app.mainWindow()->windowTitle()),
                 QStringLiteral("RK7 Power V" RK7_VERSION));
        QStringList forms;
        WhenOpen<SetTeamsDialog>([&](SetTeamsDialog* d) {
            forms << ShownTitle(d->windowTitle());
            d->reject();
        });
        app.trigger(Command::EditTeams);
        WhenOpen<WhatsNewDialog>([&](WhatsNewDialog* d) {
            forms << ShownTitle(d->windowTitle());
            d->reject();
        });
        app.trigger(Command::WhatsNew);
        QCOMPARE(forms, QStringList({"Teams", "What's New"}));
        app.help().showContents();
        QCOMPARE(ShownTitle(app.help().window()->windowTitle()), QStringLiteral("RK7 Power Help"));
    }

    // F1 pressed as a user presses it, on a highlighted menu item: the item's topic, the menu
    // closed, the command not run.
    void f1OnAnOpenMenuShowsTheItemsTopic() {
        Session s;
        Application& app = s.Start();
        app.mainWindow()->show();
        QApplication::setActiveWindow(app.mainWindow());
        QVERIFY(QTest::qWaitForWindowActive(app.mainWindow()));
        QWindow* window = app.mainWindow()->windowHandle();
        QTest::keyClick(window, Qt::Key_V, Qt::AltModifier);
        QMenu* view = app.mainWindow()->findChild<QMenu*>(QStringLiteral("menu:&View"));
        QTRY_VERIFY(view->isVisible());
        for (int i = 0;
             i < 3 && view->activeAction() != app.mainWindow()->action(Command::ViewDrivers); ++i)
            QTest::keyClick(window, Qt::Key_Down); // down to View Drivers
        QCOMPARE(view->activeAction(), app.mainWindow()->action(Command::ViewDrivers));
        QTest::keyClick(window, Qt::Key_F1);
        QVERIFY(app.help().window() && app.help().window()->isVisible());
        QCOMPARE(app.help().window()->browser()->source().toString(),
                 QStringLiteral("qrc:/help/views.html#view-drivers"));
        QTRY_VERIFY(!view->isVisible());
        QVERIFY(app.view()->views().ViewAll); // not run
        QVERIFY(!QApplication::activePopupWidget());
    }

    // Help asked for inside a form can be used while the form is open, and stays after it.
    void helpFromAFormCanBeUsed() {
        Session s;
        Application& app = s.Start();
        app.mainWindow()->show();
        QString afterBack, afterForward, afterContents;
        bool clickable = false;
        WhenOpen<SetTeamsDialog>([&](SetTeamsDialog* d) {
            QTest::keyClick(d->windowHandle(), Qt::Key_F1);
            HelpWindow* help = app.help().window();
            auto* back = help ? help->findChild<QPushButton*>(QStringLiteral("helpBack")) : nullptr;
            auto* forward =
                help ? help->findChild<QPushButton*>(QStringLiteral("helpForward")) : nullptr;
            auto* contents =
                help ? help->findChild<QPushButton*>(QStringLiteral("helpContents")) : nullptr;
            if (back && forward && contents && QTest::qWaitForWindowExposed(help)) {
                clickable = !back->isEnabled();
                help->browser()->setSource(QUrl(QStringLiteral("qrc:/help/editors.html")));
                QTest::mouseClick(back, Qt::LeftButton); // through the window system
                afterBack = help->browser()->source().toString();
                QTest::mouseClick(forward, Qt::LeftButton);
                afterForward = help->browser()->source().toString();
                help->browser()->setSource(QUrl(QStringLiteral("qrc:/help/files.html")));
                QTest::mouseClick(contents, Qt::LeftButton);
                afterContents = help->browser()->source().toString();
            }
            d->reject();
        });
        app.trigger(Command::EditTeams);
        QVERIFY(clickable);
        QCOMPARE(afterBack, QStringLiteral("qrc:/help/index.html"));
        QCOMPARE(afterForward, QStringLiteral("qrc:/help/editors.html"));
        QCOMPARE(afterContents, QStringLiteral("qrc:/help/index.html"));
        QVERIFY(app.help().window() && app.help().window()->isVisible()); // outlives the form
        QVERIFY(app.help().window()->isWindow());
    }

    // The bars have no context menu that could hide the tool bar; the View menu shows checks.
    void noBarMenuAndViewCheckMarks() {
        Session s;
        Application& app = s.Start();
        app.mainWindow()->show();
        QVERIFY(QTest::qWaitForWindowExposed(app.mainWindow()));
        bool popped = false;
        QTimer::singleShot(100, [&] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                popped = true;
                popup->close();
            }
        });
        QTest::mouseClick(app.mainWindow()->menuBar(), Qt::RightButton, {}, QPoint(300, 5));
        QTest::mouseClick(app.mainWindow()->toolBar(), Qt::RightButton, {},
                          QPoint(app.mainWindow()->toolBar()->width() - 5, 10));
        QTest::qWait(150);
        QVERIFY(!popped);
        QVERIFY(app.mainWindow()->toolBar()->isVisible());

        QMenu* view = app.mainWindow()->findChild<QMenu*>(QStringLiteral("menu:&View"));
        MenuCheckRecorder recorder;
        view->setStyle(&recorder);
        view->grab();
        view->setStyle(nullptr);
        QCOMPARE(recorder.checks.value(QStringLiteral("View &All")),
                 QStyleOptionMenuItem::NonExclusive);
        QCOMPARE(recorder.checks.value(QStringLiteral("View &Teams")),
                 QStyleOptionMenuItem::NonExclusive);
    }

    // The exit prompt answers Alt+S and Alt+D.
    void exitPromptHasMnemonics() {
        DialogPrompts real;
        for (auto [key, expected] : {std::pair{Qt::Key_S, Prompts::Answer::Save},
                                     std::pair{Qt::Key_D, Prompts::Answer::Discard}}) {
            WhenOpen<QMessageBox>([key = key](QMessageBox* box) {
                QApplication::setActiveWindow(box);
                if (QTest::qWaitForWindowActive(box))
                    QTest::keyClick(box->windowHandle(), key, Qt::AltModifier);
                // A button pressed by its shortcut shows itself pressed for a moment first.
                if (!QTest::qWaitFor([box] { return !box->isVisible(); }, 1000))
                    box->reject(); // the key did nothing: Cancel
            });
            QCOMPARE(real.askSaveDiscardCancel(nullptr, QStringLiteral("RK7 Power"),
                                               QStringLiteral("Save changes to the store files?")),
                     expected);
        }
    }

    // The file, print, folder, exit and redo commands answer their keys in the main window.
    void menuShortcutsRunTheirCommands() {
        Session s;
        Application& app = s.Start();
        QWindow* window = ActiveMainWindow(app);
        QVERIFY(window);
        const QString file = s.folder.filePath(QStringLiteral("keyed.txt"));
        s.prompts.fileNames = {file};
        QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(QFile::exists(file));
        Roster keyed = app.document().roster();
        keyed.TeamName[0].SetText("Keyed");
        QVERIFY(WriteNativePerformanceFile(keyed, QFile::encodeName(file).toStdString()));
        s.prompts.fileNames = {file};
        QTest::keyClick(window, Qt::Key_O, Qt::ControlModifier);
        QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(app.document().roster().TeamName[0].Text() != "Keyed");
        QTest::keyClick(window, Qt::Key_Y, Qt::ControlModifier); // Redo's second key
        QCOMPARE(app.document().roster().TeamName[0].Text(), "Keyed");
        s.prompts.acceptPrint = false;
        QTest::keyClick(window, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(s.prompts.printDialogs, 1);
        QVERIFY(QDir(s.folder.path()).mkdir(QStringLiteral("other")));
        s.prompts.fileNames = {s.folder.filePath(QStringLiteral("other"))};
        s.prompts.answers = {Prompts::Answer::Discard}; // the opened file is not kept
        QTest::keyClick(window, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(app.folders().folder().endsWith(QStringLiteral("/other")));
        QTest::keyClick(window, Qt::Key_Q, Qt::ControlModifier);
        QTRY_VERIFY(!app.mainWindow()->isVisible());
    }

    // The help window closes from the keyboard, with Escape or Ctrl+W.
    void helpWindowClosesWithItsKeys() {
        Session s;
        Application& app = s.Start();
        for (QKeyCombination key : {QKeyCombination(Qt::Key_Escape), Qt::CTRL | Qt::Key_W}) {
            app.help().showContents();
            HelpWindow* help = app.help().window();
            QApplication::setActiveWindow(help);
            QVERIFY(QTest::qWaitForWindowActive(help));
            QTest::keyClick(help->windowHandle(), key.key(), key.keyboardModifiers());
            QTRY_VERIFY(!help->isVisible());
        }
    }

    // A table has a cell cursor that the keys move, drawn on the screen and never on paper;
    // Enter or a double-click edits its cell in the form, with the keyboard in that cell's field.
    void cellCursorMovesAndEditsItsCell() {
        Session s;
        Application& app = s.Start();
        app.views().setHighlighting(false);
        QWindow* window = ActiveMainWindow(app);
        QVERIFY(window);
        RosterView* view = app.view();
        QCOMPARE(QApplication::focusWidget(), view);
        QSignalSpy moved(view, &RosterView::cellCursorMoved);
        const auto press = [&](std::initializer_list<QKeyCombination> keys) {
            for (QKeyCombination key : keys)
                QTest::keyClick(window, key.key(), key.keyboardModifiers());
            const TableCell at = view->cellCursor().value_or(TableCell{View::All, -1, -1});
            return QStringLiteral("%1:%2,%3").arg(int(at.view)).arg(at.row).arg(at.column);
        };
        QCOMPARE(press({Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up,
                        Qt::Key_Down, Qt::Key_Down}),
                 QStringLiteral("0:3,2")); // View All, the fourth driver's team name
        QCOMPARE(moved.size(), 7);

        // Dots along its cell's left edge on the screen; none on paper.
        const QRect box = TableCellArea(view->rect(), *view->cellCursor());
        const auto dots = [&](const QImage& image) {
            int n = 0;
            for (int y = box.top() + 1; y < box.bottom(); ++y)
                n += qGray(image.pixel(box.left(), y)) < 64;
            return n;
        };
        QVERIFY(dots(view->grab().toImage()) >= box.height() / 3);
        QImage paper(view->size(), QImage::Format_RGB32);
        paper.fill(Qt::white);
        QPainter painter(&paper);
        view->paintInto(painter, paper.rect(), true);
        QCOMPARE(dots(paper), 0);

        // The fourth driver's team is the second: Enter opens Teams in its name, ready to type.
        QString typed;
        WhenOpen<SetTeamsDialog>([&](SetTeamsDialog* d) {
            QApplication::setActiveWindow(d);
            if (QTest::qWaitForWindowActive(d)) {
                QTest::keyClick(d->windowHandle(), Qt::Key_Q);
                typed =
                    d->focusWidget()->objectName() + "=" + d->edit(SetTeamsDialog::Name, 1)->text();
            }
            d->reject();
        });
        press({Qt::Key_Return});
        QCOMPARE(typed, QStringLiteral("teamName1=q"));

        // Each table has its own cursor, kept on its cells: End stops before the empty filler.
        app.trigger(Command::ViewTeams);
        QCOMPARE(press({Qt::Key_PageDown, Qt::Key_End}), QStringLiteral("1:13,4"));
        QCOMPARE(press({Qt::CTRL | Qt::Key_Home, Qt::Key_Down, Qt::Key_End}),
                 QStringLiteral("1:1,4"));
        // A failure that Auto Edit Mode computes takes no typing: its team's name takes the keys.
        app.document().setAutoMode(true);
        const auto focusedIn = [&](auto* form) {
            typed = form->focusWidget() ? form->focusWidget()->objectName() : QString();
            form->reject();
        };
        WhenOpen<SetTeamsDialog>(focusedIn);
        press({Qt::KeypadModifier | Qt::Key_Enter});
        QCOMPARE(typed, QStringLiteral("teamName1"));
        // A double-click on a driver's car number opens Main Drivers in that driver's car box.
        app.trigger(Command::ViewDrivers);
        WhenOpen<SetDriversDialog>(focusedIn);
        QTest::mouseDClick(view, Qt::LeftButton, {},
                           TableCellArea(view->rect(), {View::Drivers, 20, 0}).center());
        QCOMPARE(typed, QStringLiteral("carNumber20"));
        app.trigger(Command::ViewChart);
        QVERIFY(!view->cellCursor());
    }

    // Copy View is offered only while a view is shown.
    void copyViewNeedsAView() {
        Session s;
        Application& app = s.Start();
        QWindow* window = ActiveMainWindow(app);
        QVERIFY(window);
        app.trigger(Command::ViewAll); // shown, so switched off: nothing is shown
        QVERIFY(!app.mainWindow()->action(Command::CopyView)->isEnabled());
        QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
        QTest::keyClick(window, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
        app.trigger(Command::ViewDrivers);
        QTest::keyClick(window, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("#\tDriver")));
    }

    // The contents page leads to every command's topic and names every key that runs one, so
    // that a command or a shortcut added later cannot go unmentioned.
    void contentsLinkEveryCommandAndKey() {
        QFile file(QStringLiteral(":/help/index.html"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString contents = QString::fromUtf8(file.readAll());
        Session s;
        Application& app = s.Start();
        QStringList missing;
        for (const CommandInfo& info : Commands()) {
            const QString page = QLatin1String(info.helpPage);
            const QString href =
                QStringLiteral("href=\"%1#%2\"")
                    .arg(page == QLatin1String("index") ? QString() : page + ".html",
                         QLatin1String(info.name));
            if (!contents.contains(href))
                missing << href;
            for (const QKeySequence& keys : app.mainWindow()->action(info.command)->shortcuts())
                if (!contents.contains(keys.toString(QKeySequence::PortableText)))
                    missing << keys.toString(QKeySequence::PortableText);
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char(' '))));
        for (const char* argument : {"--user-folder", "FOLDER", "FILE"})
            QVERIFY2(contents.contains(QLatin1String(argument)), argument);
    }

    void everyCommandHasAHelpTopic() {
        for (const CommandInfo& info : Commands()) {
            const QString url = ContextHelp::topicUrl(info.command);
            const QString page = QUrl(url).path();
            QFile file(QStringLiteral(":") + page);
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(url));
            const QString anchor = QUrl(url).fragment();
            QVERIFY2(QString::fromUtf8(file.readAll())
                         .contains(QStringLiteral("name=\"%1\"").arg(anchor)),
                     qPrintable(url));
        }
    }
};

} // namespace rk7

QTEST_MAIN(rk7::MainWindowTest)
#include "main_window_test.moc"
