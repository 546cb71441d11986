#include "app/application.h"
#include "app/command.h"
#include "app/main_window.h"
#include "exchange/performance_file.h"
#include "gui/edit_roster.h"
#include "gui/scripted_prompts.h"
#include "gui/when_open.h"
#include "version.h"
#include "views/print_preview_window.h"
#include "views/roster_printout.h"
#include "views/roster_view.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace rk7 {

using test::ScriptedPrompts;
using test::WhenOpen;

namespace {

// The preview's action that does what name says: "two-pages".
QAction* PreviewAction(PrintPreviewWindow* preview, const char* name) {
    return preview->findChild<QAction*>(QStringLiteral("action:") + QLatin1String(name));
}

QString Run(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(20000))
        return QStringLiteral("<%1 did not finish>").arg(program);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int PdfPages(const QString& path) {
    const QString info = Run(QStringLiteral("pdfinfo"), {path});
    for (const QString& line : info.split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

// A word of a PDF page and where it stands, in points.
struct Word {
    QString text;
    double left, top, right;
};

QList<Word> PdfWords(const QString& path, double& pageWidth) {
    const QString html = Run(QStringLiteral("pdftotext"), {"-bbox", path, "-"});
    const QRegularExpression page(QStringLiteral("<page width=\"([0-9.]+)\""));
    pageWidth = page.match(html).captured(1).toDouble();
    const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\"[^>]*>([^<]*)</word>"));
    QList<Word> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words.append({m.captured(4), m.captured(1).toDouble(), m.captured(2).toDouble(),
                      m.captured(3).toDouble()});
    }
    return words;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class FilePrintTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    ScriptedPrompts m_prompts;
    std::unique_ptr<Application> m_app;

    QString Path(const QString& name) const { return m_folder.filePath(name); }
    Application& App() { return *m_app; }

private slots:
    void init() {
        m_prompts = ScriptedPrompts();
        m_app = std::make_unique<Application>(
            Application::Options{m_folder.path(), Path("prefs.ini")}, m_prompts);
        m_app->initMainWindow();
    }
    void cleanup() { m_app.reset(); }

    void saveDialogsRememberTheirOwnPaths() {
        test::EditRoster(App(), [](Roster& r) { r.TeamName[0].SetText("Written"); });
        m_prompts.fileNames = {Path("native.txt"), Path("exchange.txt"), Path("native2.txt")};
        App().trigger(Command::SaveNativeFile);
        App().trigger(Command::SaveExchangeFile);
        App().trigger(Command::SaveNativeFile);
        QCOMPARE(m_prompts.fileDialogs.size(), 3);
        const FileDialogSettings& first = m_prompts.fileDialogs[0];
        QCOMPARE(first.title, QStringLiteral("Select File"));
        QCOMPARE(first.filter, QStringLiteral("TEXT Files (*.txt)"));
        QCOMPARE(first.defaultSuffix, QStringLiteral("txt"));
        QVERIFY(first.confirmOverwrite);
        QVERIFY(first.fileName.isEmpty());
        QVERIFY(m_prompts.fileDialogs[1].fileName.isEmpty()); // each dialect its own
        QCOMPARE(m_prompts.fileDialogs[2].fileName, Path("native.txt"));

        const QByteArray native = ReadAll(Path("native.txt"));
        QCOMPARE(QByteArray::fromStdString(FormatNativePerformanceFile(App().document().roster())),
                 native);
        QCOMPARE(native.count("\r\n"), 208);
        QVERIFY(native.contains("Name=Written,Ferrari\r\n"));
        QCOMPARE(ReadAll(Path("exchange.txt")).count("\r\n"), 99);
        QVERIFY(m_prompts.messages.isEmpty());
        // Writing a Performance File saves no store file: the edit is still unsaved.
        QCOMPARE(App().document().unsavedStores(), StoreFileSet(TeamsStore));

        m_prompts.fileNames = {};
        App().trigger(Command::SaveNativeFile); // cancelled: nothing happens
        QVERIFY(m_prompts.messages.isEmpty());
    }

    void failedSaveIsReported() {
        QDir(m_folder.path()).mkdir(QStringLiteral("taken.txt"));
        m_prompts.fileNames = {Path("taken.txt")};
        App().trigger(Command::SaveExchangeFile);
        QCOMPARE(m_prompts.messages.size(), 1);
        QVERIFY(m_prompts.messages[0].text.contains(Path("taken.txt")));
    }

    void openReadsOverTheRoster() {
        Roster other;
        other.TeamName[5].SetText("From File");
        other.DriverQualPos[3].SetText("9");
        QVERIFY(WriteNativePerformanceFile(other, Path("in.txt").toStdString()));
        QSignalSpy changed(&App().document(), &RosterDocument::changed);
        m_prompts.fileNames = {Path("in.txt")};
        App().trigger(Command::OpenNativeFile);
        QCOMPARE(App().document().roster().TeamName[5].Text(), "From File");
        QCOMPARE(App().document().roster().DriverQualPos[3].Text(), "9");
        QCOMPARE(changed.size(), 1);
        QVERIFY(m_prompts.messages.isEmpty());
        const FileDialogSettings& open = m_prompts.fileDialogs[0];
        QVERIFY(open.mustExist);
        QCOMPARE(open.filter, QStringLiteral("All Files (*)"));
        QVERIFY(open.fileName.isEmpty());
        QCOMPARE(App().files().openDialogSettings().folder, m_folder.path());
        // The store files do not have it yet: the exit prompt offers to save them.
        QCOMPARE(App().document().unsavedStores(), TeamsStore | DriversStore);
    }

    void wrongBannerShowsTheErrorBox() {
        QVERIFY(WriteExchangePerformanceFile(Roster(), Path("exchange.txt").toStdString()));
        test::EditRoster(App(), [](Roster& r) { r.TeamName[0].SetText("Mine"); });
        const Roster before = App().document().roster();
        QSignalSpy changed(&App().document(), &RosterDocument::changed);
        m_prompts.fileNames = {Path("exchange.txt")};
        App().trigger(Command::OpenNativeFile); // the other dialect's file
        QCOMPARE(m_prompts.messages.size(), 1);
        const auto& box = m_prompts.messages[0];
        QCOMPARE(box.caption, QStringLiteral("Error"));
        QCOMPARE(box.text, QStringLiteral("This not a valid Peformance File"));
        QCOMPARE(box.icon, Prompts::Icon::None);
        QVERIFY(!box.hasParent);
        QVERIFY(App().document().roster() == before);
        QVERIFY(changed.isEmpty());
    }

    void diagnosticsAndUnreadableFiles() {
        std::string text = FormatExchangePerformanceFile(Roster());
        const std::string name = "Name=Ferrari,Ferrari";
        text.replace(text.find(name), name.size(), "Name=" + std::string(40, 'N') + ",Ferrari");
        QFile file(Path("long.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
        file.close();
        m_prompts.fileNames = {Path("long.txt"), Path("missing.txt")};
        App().trigger(Command::OpenExchangeFile);
        QCOMPARE(App().document().roster().TeamName[0].Text(), std::string(31, 'N'));
        QCOMPARE(m_prompts.messages.size(), 1);
        QVERIFY2(m_prompts.messages[0].text.contains(QStringLiteral("Line 4")),
                 qPrintable(m_prompts.messages[0].text));

        App().trigger(Command::OpenExchangeFile);
        QCOMPARE(m_prompts.messages.size(), 2);
        QVERIFY(m_prompts.messages[1].text.contains(Path("missing.txt")));
    }

    void printoutMapsThePageToScreenPixels() {
        // A4 at 1200 dpi, printable 9448 x 13606 pixels, shown on a 96 dpi screen.
        QCOMPARE(RosterPrintout::logicalClientSize({9448, 13606}, {1200, 1200}, {96, 96}),
                 QSize(756, 1088));
        QCOMPARE(RosterPrintout::logicalClientSize({1000, 500}, {300, 600}, {96, 120}),
                 QSize(320, 100));
    }

    void printsEachViewOnOnePage_data() {
        QTest::addColumn<int>("view");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("all") << int(Command::ViewAll)
                             << QStringList{"Driver Names", "Team Names", "T Q Power", "Range",
                                            "Ferrari"};
        QTest::newRow("teams") << int(Command::ViewTeams)
                               << QStringList{"Team Names", "Engine", "Lambourgini"};
        QTest::newRow("drivers") << int(Command::ViewDrivers)
                                 << QStringList{"Driver Names", "D R Power"};
        QTest::newRow("chart") << int(Command::ViewChart)
                               << QStringList{"Team powers", "Driver powers", "Lotus",
                                              "Patrick Delaney", "Failure by position"};
        QTest::newRow("none") << 0 << QStringList{};
    }

    void printsEachViewOnOnePage() {
        QFETCH(int, view);
        QFETCH(QStringList, texts);
        App().trigger(Command::ViewAll); // none shown
        if (view)
            App().trigger(Command(view));
        const QString pdf = Path(QStringLiteral("print-%1.pdf").arg(view));
        m_prompts.printTo = pdf;
        App().trigger(Command::Print);
        QCOMPARE(PdfPages(pdf), 1);
        const QString text = Run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        for (const QString& t : texts)
            QVERIFY2(text.contains(t), qPrintable(t + " not in: " + text.left(300)));
        if (!view)
            QVERIFY(text.trimmed().isEmpty());
        QVERIFY(m_prompts.messages.isEmpty());
    }

    void cancelledPrintPrintsNothing() {
        m_prompts.acceptPrint = false;
        m_prompts.printTo = Path("nothing.pdf");
        App().trigger(Command::Print);
        QCOMPARE(m_prompts.printDialogs, 1);
        QVERIFY(!QFile::exists(Path("nothing.pdf")));
        App().trigger(Command::PrintSetup);
        QCOMPARE(m_prompts.pageSetupDialogs, 1);
    }

    // View All on the default portrait A4 page: every figure stands apart from its neighbours
    // and on the page; the landscape page prints the view at its own size, as before.
    void viewAllFitsAPortraitPage() {
        test::EditRoster(App(), [](Roster& r) {
            r.TeamFailure[0].SetText("500");
            r.DriverRange[0].SetText("2000");
        });
        const QString failure = QStringLiteral("500"), range = QStringLiteral("2000");
        double landscapeRangeRight = 0;
        for (const auto orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
            App().printing().printer()->setPageSize(QPageSize(QPageSize::A4));
            App().printing().printer()->setPageOrientation(orientation);
            const QString pdf = Path(QStringLiteral("all-%1.pdf").arg(int(orientation)));
            m_prompts.printTo = pdf;
            App().trigger(Command::Print);
            double pageWidth = 0;
            const QList<Word> words = PdfWords(pdf, pageWidth);
            QVERIFY(pageWidth > 0);
            // The first body row: the first driver's failure and range, apart and in order.
            const Word* first = nullptr;
            const Word* second = nullptr;
            for (const Word& w : words)
                if (!first && w.text == failure)
                    first = &w;
            QVERIFY2(first, qPrintable(failure + " is not a word of its own"));
            for (const Word& w : words)
                if (!second && w.text == range && std::abs(w.top - first->top) < 2)
                    second = &w;
            QVERIFY2(second, qPrintable(range + " is not a word of its own"));
            QVERIFY2(first->right <= second->left,
                     qPrintable(QStringLiteral("%1 ends at %2, %3 starts at %4")
                                    .arg(failure)
                                    .arg(first->right)
                                    .arg(range)
                                    .arg(second->left)));
            for (const Word& w : words)
                QVERIFY2(w.left >= 0 && w.right <= pageWidth, qPrintable(w.text));
            if (orientation == QPageLayout::Landscape)
                landscapeRangeRight = second->right;
        }
        // Landscape is not scaled: the range figure ends 5 screen pixels short of the printable
        // right edge, as the view draws it, within a point.
        const QRectF printable =
            App().printing().printer()->pageLayout().paintRect(QPageLayout::Point);
        const QRectF full = App().printing().printer()->pageLayout().fullRect(QPageLayout::Point);
        QVERIFY2(std::abs(landscapeRangeRight - (printable.right() + full.left() - 5 * 72.0 / 96)) <
                     1.5,
                 qPrintable(QString::number(landscapeRangeRight)));
    }

    // The preview shows each page whole, in its proportions, in any window shape.
    void previewFitsItsPagesWhole() {
        const QRect shapes[] = {QRect(0, 0, 1280, 994), QRect(0, 0, 1024, 738),
                                QRect(80, 60, 700, 420)};
        for (const QRect& shape : shapes) {
            App().mainWindow()->setGeometry(shape);
            App().mainWindow()->show();
            App().printing().printer()->setPageOrientation(QPageLayout::Portrait);
            App().trigger(Command::PrintPreview);
            PrintPreviewWindow* preview = App().printing().preview();
            QVERIFY(preview);
            QVERIFY(QTest::qWaitForWindowExposed(preview));
            const QSizeF paper = App().printing().printer()->pageRect(QPrinter::DevicePixel).size();
            for (int pages = 1; pages <= 2; ++pages) {
                if (pages == 2)
                    PreviewAction(preview, "two-pages")->trigger();
                QWidget* client = preview->centralWidget();
                for (QWidget* view : {static_cast<QWidget*>(preview->firstView()),
                                      static_cast<QWidget*>(preview->secondView())}) {
                    if (!view)
                        continue;
                    const QRect g = view->geometry();
                    QVERIFY2(client->rect().contains(g),
                             qPrintable(QStringLiteral("%1x%2 page at %3,%4 in %5x%6")
                                            .arg(g.width())
                                            .arg(g.height())
                                            .arg(g.x())
                                            .arg(g.y())
                                            .arg(client->width())
                                            .arg(client->height())));
                    const double ratio = double(g.width()) / g.height();
                    QVERIFY(std::abs(ratio - paper.width() / paper.height()) < 0.02);
                }
            }
            // The buttons carry the names the help gives them, and icons beside them that show
            // an image.
            QStringList names;
            for (const char* action :
                 {"previous-page", "next-page", "one-page", "two-pages", "print", "done"}) {
                names << PreviewAction(preview, action)->text();
                QVERIFY2(!PreviewAction(preview, action)->icon().pixmap(QSize(20, 20)).isNull(),
                         action);
            }
            QCOMPARE(names, QStringList({"Previous page", "Next page", "One page", "Two pages",
                                         "Print", "Done"}));
            preview->close();
            QTRY_VERIFY(!App().printing().preview());
        }
    }

    // Print Setup offers the printers (and a PDF file), the paper and the orientation.
    void printSetupChoosesPrinterPaperAndOrientation() {
        DialogPrompts real;
        QPrinter& printer = *App().printing().printer();
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Portrait);
        QStringList printers;
        for (const bool accept : {false, true}) {
            WhenOpen<QDialog>([&, accept](QDialog* d) {
                auto* list = d->findChild<QComboBox*>(QStringLiteral("printer"));
                printers.clear();
                for (int i = 0; list && i < list->count(); ++i)
                    printers << list->itemText(i);
                if (list)
                    list->setCurrentIndex(list->count() - 1);
                if (auto* paper = d->findChild<QComboBox*>(QStringLiteral("paper")))
                    paper->setCurrentIndex(paper->findData(int(QPageSize::A5)));
                if (auto* landscape = d->findChild<QRadioButton*>(QStringLiteral("landscape")))
                    QTest::mouseClick(landscape, Qt::LeftButton);
                accept ? d->accept() : d->reject();
            });
            QCOMPARE(real.pageSetupDialog(App().mainWindow(), *App().printing().support(), printer),
                     accept);
            const bool changed = accept;
            QCOMPARE(printer.pageLayout().pageSize().id(), changed ? QPageSize::A5 : QPageSize::A4);
            QCOMPARE(printer.pageLayout().orientation(),
                     changed ? QPageLayout::Landscape : QPageLayout::Portrait);
        }
        QStringList expected = QPrinterInfo::availablePrinterNames();
        expected << QStringLiteral("PDF file");
        QCOMPARE(printers, expected);
        QCOMPARE(printer.outputFormat(), QPrinter::PdfFormat);
    }

    // Without a system printer the PDF goes into the documents folder, or home when there is
    // none.
    void pdfOutputGoesToAFolderThatExists() {
        if (!QPrinterInfo::defaultPrinterName().isEmpty())
            QSKIP("a system printer is installed: no PDF file by default");
        QTemporaryDir home;
        const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(".config")));
        QStringList folders;
        for (int run = 0; run < 2; ++run) {
            if (run == 1)
                QDir(home.path()).mkdir(QStringLiteral("Documents"));
            m_app = std::make_unique<Application>(
                Application::Options{m_folder.path(), Path("prefs.ini")}, m_prompts);
            m_app->initMainWindow();
            folders << QFileInfo(App().printing().printer()->outputFileName()).absolutePath();
        }
        qputenv("HOME", oldHome);
        qputenv("XDG_CONFIG_HOME", oldConfig);
        if (oldConfig.isEmpty())
            qunsetenv("XDG_CONFIG_HOME");
        QCOMPARE(folders, QStringList({home.path(), home.filePath("Documents")}));
    }

    // The open dialog opens the name that was typed; a save dialog adds ".txt".
    void openDialogOpensWhatWasTyped() {
        QFile season(Path("season"));
        QVERIFY(season.open(QIODevice::WriteOnly));
        season.close();
        DialogPrompts real;
        // Should the dialog complain, its message box is closed after a while.
        QTimer::singleShot(5000, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->reject();
        });
        for (const bool open : {true, false}) {
            WhenOpen<QFileDialog>([&](QFileDialog* d) {
                auto* name = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                if (name) {
                    QTest::keyClicks(name,
                                     open ? QStringLiteral("season") : QStringLiteral("season2"));
                    QTest::keyClick(name, Qt::Key_Return);
                }
                if (d->isVisible())
                    d->reject();
            });
            FileDialogSettings settings = open ? App().files().openDialogSettings()
                                               : App().files().saveDialogSettings(Dialect::Native);
            settings.folder = m_folder.path();
            const QString chosen =
                open ? real.openFileName(nullptr, settings) : real.saveFileName(nullptr, settings);
            QCOMPARE(chosen, open ? Path("season") : Path("season2.txt"));
        }
    }

    void previewOnePortraitPage() {
        App().mainWindow()->resize(900, 700);
        App().mainWindow()->show();
        QVERIFY(QTest::qWaitForWindowExposed(App().mainWindow()));
        App().printing().printer()->setPageOrientation(QPageLayout::Portrait);
        App().trigger(Command::PrintPreview);
        PrintPreviewWindow* preview = App().printing().preview();
        QVERIFY(preview && preview->isVisible());
        QVERIFY(!App().mainWindow()->isVisible());
        QCOMPARE(preview->windowTitle(), QStringLiteral("RK7 Power V" RK7_VERSION " (Preview)"));
        QCOMPARE(preview->geometry().size(), QSize(900, 700));
        QCOMPARE(preview->indicator(), QStringLiteral("Page 1"));
        QVERIFY(!PreviewAction(preview, "previous-page")->isEnabled());
        QVERIFY(!PreviewAction(preview, "next-page")->isEnabled());
        QVERIFY(PreviewAction(preview, "two-pages")->isEnabled());

        PreviewAction(preview, "two-pages")->trigger();
        QVERIFY(preview->secondView());
        QCOMPARE(preview->secondView()->page(), 0); // one page printed: an empty second page
        QCOMPARE(preview->indicator(), QStringLiteral("Page 1"));
        QVERIFY(preview->secondView()->geometry().left() >
                preview->firstView()->geometry().right());
        PreviewAction(preview, "one-page")->trigger();
        QVERIFY(!preview->secondView());
        QCOMPARE(preview->lastShown(), 1);

        // The page view shows the view's teal headers on white paper.
        const QImage page = preview->firstView()->grab().toImage();
        bool teal = false, white = false;
        for (int y = 0; y < page.height() / 8 && !teal; ++y)
            for (int x = 0; x < page.width(); ++x)
                teal |= page.pixelColor(x, y) == QColor(0, 128, 128);
        white = page.pixelColor(page.width() / 2, page.height() / 2) == QColor(Qt::white);
        QVERIFY(teal);
        QVERIFY(white);

        // Printing from the preview asks with the preview still open.
        bool previewOpenDuringDialog = false;
        m_prompts.acceptPrint = false;
        m_prompts.onPrintDialog = [&] {
            previewOpenDuringDialog = App().printing().preview() && preview->isVisible();
        };
        PreviewAction(preview, "print")->trigger();
        QVERIFY(previewOpenDuringDialog);

        preview->move(40, 30);
        QTest::keyClick(preview, Qt::Key_Escape);
        QTRY_VERIFY(!App().printing().preview());
        QVERIFY(App().mainWindow()->isVisible());
    }

    void previewLandscapeHasNoTwoPages() {
        App().mainWindow()->show();
        App().printing().printer()->setPageOrientation(QPageLayout::Landscape);
        App().trigger(Command::PrintPreview);
        PrintPreviewWindow* preview = App().printing().preview();
        QVERIFY(preview);
        QVERIFY(!PreviewAction(preview, "two-pages")->isEnabled());
        QTest::keyClick(preview, Qt::Key_C, Qt::AltModifier);
        QTRY_VERIFY(!App().printing().preview());
        QVERIFY(App().mainWindow()->isVisible());
    }
};

} // namespace rk7

QTEST_MAIN(rk7::FilePrintTest)
#include "file_print_test.moc"
