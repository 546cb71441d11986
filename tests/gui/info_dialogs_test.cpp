#include "app/application.h"
#include "app/command.h"
#include "app/main_window.h"
#include "gui/scripted_prompts.h"
#include "gui/when_open.h"
#include "info/about_dialog.h"
#include "info/whats_new_dialog.h"
#include "version.h"

#include <functional>
#include <memory>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace rk7 {

using test::ScriptedPrompts;
using test::WhenOpen;

namespace {

template <typename W>
W* Child(QWidget* dialog, const QString& name) {
    return dialog->findChild<W*>(name);
}

// Whether the window sits in the middle of its screen, as the integer halves put it.
bool Centred(const QWidget* w) {
    const QRect screen = w->screen()->geometry();
    const QRect outer = w->frameGeometry();
    return outer.x() == screen.x() + (screen.width() - outer.width()) / 2 &&
           outer.y() == screen.y() + (screen.height() - outer.height()) / 2;
}

bool IsYellow(QRgb c) {
    return qRed(c) > 200 && qGreen(c) > 150 && qBlue(c) < 120;
}
bool IsDarkBlue(QRgb c) {
    return qBlue(c) > 30 && qBlue(c) > 2 * qRed(c) && qBlue(c) > 2 * qGreen(c);
}

QString Where(const QDialog* d, const QWidget* mainWindow) {
    if (!d->isModal())
        return QStringLiteral("not modal");
    return d->parentWidget() == mainWindow ? QStringLiteral("modal over the main window")
                                           : QStringLiteral("modal elsewhere");
}

// Opens the dialog as the program does and waits until it has the keyboard.
void ShowActive(QDialog& dialog) {
    dialog.open();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
}

} // namespace

class InfoDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void aboutLayoutAndTexts() {
        AboutDialog dialog(nullptr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("About RK7 Power"));
        QCOMPARE(dialog.size(), dialog.units(0, 0, 301, 200).size());
        QVERIFY(dialog.isModal());

        auto* picture = Child<QPushButton>(&dialog, "picture");
        QVERIFY(picture);
        QCOMPARE(picture->geometry(), dialog.units(6, 9, 288, 164));
        QVERIFY(!picture->icon().isNull());
        QCOMPARE(picture->iconSize(), picture->size());
        const QString said = picture->accessibleDescription();
        QVERIFY2(said.contains(QStringLiteral("RK7 Power")), qPrintable(said));
        QVERIFY2(said.contains(QStringLiteral(RK7_VERSION)), qPrintable(said));
        QVERIFY2(said.contains(QStringLiteral("RK7edit")), qPrintable(said));
        QCOMPARE(said, AboutDialog::titleLines().join(QLatin1Char('\n')));

        auto* close = Child<QPushButton>(&dialog, "close");
        QVERIFY(close);
        QCOMPARE(close->text(), QStringLiteral("Close"));
        QVERIFY(close->isDefault());
        QCOMPARE(close->geometry(), dialog.units(128, 182, 37, 13));

        QVERIFY(Child<QFrame>(&dialog, "pictureFrame"));
        QCOMPARE(Child<QFrame>(&dialog, "pictureFrame")->geometry(), dialog.units(0, 1, 302, 178));
        QVERIFY(Child<QFrame>(&dialog, "buttonFrame"));
        QCOMPARE(Child<QFrame>(&dialog, "buttonFrame")->geometry(), dialog.units(0, 180, 302, 20));
    }

    void aboutPictureIsOurTitleArt() {
        const QImage image = AboutDialog::titlePicture(QSize(432, 267));
        QCOMPARE(image.size(), QSize(432, 267));
        // Dark blue at the corners, the bolts in yellow, the name in bright letters.
        for (QPoint corner : {QPoint(1, 1), QPoint(430, 1), QPoint(1, 265), QPoint(430, 265)})
            QVERIFY2(IsDarkBlue(image.pixel(corner)),
                     qPrintable(QString::number(image.pixel(corner), 16)));
        int yellow = 0, light = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = image.pixel(x, y);
                yellow += IsYellow(c);
                light += qRed(c) > 220 && qGreen(c) > 220 && qBlue(c) > 170;
            }
        QVERIFY2(yellow > 2000, qPrintable(QString::number(yellow)));
        QVERIFY2(light > 2000, qPrintable(QString::number(light)));

        // Another size keeps the picture whole: the ground fills it, nothing is stretched off.
        const QImage tall = AboutDialog::titlePicture(QSize(400, 400), 2.0);
        QCOMPARE(tall.size(), QSize(800, 800));
        QVERIFY(IsDarkBlue(tall.pixel(2, 2)));
        QVERIFY(IsDarkBlue(tall.pixel(797, 797)));
    }

    void aboutEnterAndEscapeClose() {
        {
            AboutDialog dialog(nullptr);
            ShowActive(dialog);
            QVERIFY(Centred(&dialog));
            QCOMPARE(dialog.focusWidget(), Child<QPushButton>(&dialog, "close"));
            QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
            QVERIFY(!dialog.isVisible());
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        {
            AboutDialog dialog(nullptr);
            ShowActive(dialog);
            QTest::keyClick(dialog.focusWidget(), Qt::Key_Escape);
            QVERIFY(!dialog.isVisible());
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
        }
        {
            AboutDialog dialog(nullptr);
            ShowActive(dialog);
            QTest::mouseClick(Child<QPushButton>(&dialog, "close"), Qt::LeftButton);
            QVERIFY(!dialog.isVisible());
        }
    }

    void aboutPictureDoesNothing() {
        AboutDialog dialog(nullptr);
        ShowActive(dialog);
        auto* picture = Child<QPushButton>(&dialog, "picture");
        QSignalSpy clicked(picture, &QPushButton::clicked);
        QSignalSpy finished(&dialog, &QDialog::finished);
        QTest::mouseClick(picture, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1); // the press arrives ...
        QVERIFY(dialog.isVisible());  // ... and nothing answers it
        QCOMPARE(finished.count(), 0);
        // Enter still goes to Close afterwards.
        QCOMPARE(dialog.focusWidget(), Child<QPushButton>(&dialog, "close"));
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(finished.count(), 1);
    }

    void whatsNewLayoutAndTexts() {
        WhatsNewDialog dialog(nullptr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("What's New"));
        QCOMPARE(dialog.size(), dialog.units(0, 0, 177, 191).size());
        // A 10-point form: larger units than the 8-point About box.
        AboutDialog about(nullptr);
        QVERIFY(dialog.units(0, 0, 100, 100).width() > about.units(0, 0, 100, 100).width());

        auto* first = Child<QLabel>(&dialog, "note0");
        auto* second = Child<QLabel>(&dialog, "note1");
        QVERIFY(first && second);
        QCOMPARE(first->text(), QStringLiteral("1. Fixed loading file error."));
        QVERIFY2(second->text().startsWith(QStringLiteral("2. ")), qPrintable(second->text()));
        QVERIFY(second->text().size() > 3);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        // A note of one line sits where the one-line boxes always were; the next 13 units below.
        QCOMPARE(first->mapTo(&dialog, QPoint(0, 0)), dialog.units(5, 16, 170, 11).topLeft());
        QCOMPARE(first->height(), dialog.units(5, 16, 170, 11).height());
        QCOMPARE(second->y() - first->y(), dialog.units(0, 0, 0, 13).height());
        // Every note shows its whole text, wrapped to its width: nothing is cut off.
        for (QLabel* note : dialog.findChildren<QLabel*>())
            QVERIFY2(note->height() >= note->heightForWidth(note->width()),
                     qPrintable(note->text()));

        auto* close = Child<QPushButton>(&dialog, "close");
        QVERIFY(close);
        QCOMPARE(close->text(), QStringLiteral("Close"));
        QCOMPARE(close->geometry(), dialog.units(68, 172, 40, 14));
        QCOMPARE(Child<QFrame>(&dialog, "notesFrame")->geometry(), dialog.units(0, 0, 177, 168));
        QCOMPARE(Child<QFrame>(&dialog, "buttonFrame")->geometry(), dialog.units(0, 169, 177, 21));

        // Light grey throughout; the notes black on that grey, like static text.
        const QColor grey(192, 192, 192);
        QCOMPARE(dialog.palette().color(QPalette::Window), grey);
        for (QLabel* note : {first, second}) {
            QCOMPARE(note->palette().color(QPalette::Base), grey);
            QCOMPARE(note->palette().color(QPalette::WindowText), QColor(Qt::black));
        }
        // And so they paint: the middle of an empty stretch of a note is grey.
        const QImage shot = first->grab().toImage();
        QCOMPARE(QColor(shot.pixel(shot.width() - 6, shot.height() / 2)), grey);
    }

    void whatsNewNotesAreReadOnlyButSelectable() {
        WhatsNewDialog dialog(nullptr);
        ShowActive(dialog);
        auto* first = Child<QLabel>(&dialog, "note0");
        auto* second = Child<QLabel>(&dialog, "note1");
        for (QLabel* note : {first, second})
            QVERIFY(!(note->textInteractionFlags() & Qt::TextEditable));
        // The first note has the focus at first; Tab reaches the second.
        QCOMPARE(dialog.focusWidget(), first);
        QTest::keyClick(first, Qt::Key_Tab);
        QCOMPARE(dialog.focusWidget(), second);

        const QString text = second->text();
        QTest::keyClicks(second, QStringLiteral("xyz"));
        QTest::keyClick(second, Qt::Key_Backspace);
        QTest::keyClick(second, Qt::Key_Delete);
        QCOMPARE(second->text(), text);

        QTest::keyClick(second, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(second->selectedText(), text);
        QApplication::clipboard()->clear();
        QTest::keyClick(second, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), text);
        QTest::keyClick(second, Qt::Key_X, Qt::ControlModifier); // cut is refused
        QTest::keyClick(second, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(second->text(), text);
        QVERIFY(dialog.isVisible());
    }

    // Every note of the newest release of packaging/release-notes, in order; a note out of
    // sight comes into sight when Tab reaches it, and the dialog keeps its size.
    void whatsNewListsEveryNoteOfTheRelease() {
        QFile file(QStringLiteral(RK7_SOURCE_DIR "/packaging/release-notes"));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        static const QRegularExpression release(QStringLiteral("^[0-9.]+ \\d{4}-\\d{2}-\\d{2}$"));
        QStringList expected;
        bool newest = false;
        while (!file.atEnd()) {
            const QString line = QString::fromUtf8(file.readLine()).trimmed();
            if (release.match(line).hasMatch()) {
                if (newest)
                    break;
                newest = true;
            } else if (newest && line.startsWith(QLatin1String("- "))) {
                expected << QStringLiteral("%1. %2").arg(expected.size() + 1).arg(line.mid(2));
            }
        }
        QVERIFY(!expected.isEmpty());

        WhatsNewDialog dialog(nullptr);
        ShowActive(dialog);
        QStringList shown;
        for (int i = 0; auto* note = Child<QLabel>(&dialog, QStringLiteral("note%1").arg(i)); ++i)
            shown << note->text();
        QCOMPARE(shown, expected);

        auto* area = Child<QScrollArea>(&dialog, "notesArea");
        QVERIFY(area);
        auto* last = Child<QLabel>(&dialog, QStringLiteral("note%1").arg(shown.size() - 1));
        for (qsizetype i = 1; i < shown.size(); ++i)
            QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
        QCOMPARE(dialog.focusWidget(), last);
        const QRect seen(last->mapTo(area->viewport(), QPoint(0, 0)), last->size());
        QVERIFY(area->viewport()->rect().contains(seen));
        // Scrolled exactly when the notes are taller than their frame.
        QCOMPARE(area->verticalScrollBar()->value() > 0,
                 area->widget()->height() > area->viewport()->height());
        QCOMPARE(dialog.size(), dialog.units(0, 0, 177, 191).size());
    }

    void whatsNewEnterEscapeAndCloseEndIt() {
        {
            WhatsNewDialog dialog(nullptr);
            ShowActive(dialog);
            QVERIFY(Centred(&dialog));
            QTest::keyClick(dialog.focusWidget(), Qt::Key_Escape);
            QVERIFY(!dialog.isVisible());
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
        }
        {
            // Enter on a note is the OK command.
            WhatsNewDialog dialog(nullptr);
            ShowActive(dialog);
            QCOMPARE(dialog.focusWidget(), Child<QLabel>(&dialog, "note0"));
            QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
            QVERIFY(!dialog.isVisible());
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        {
            // Enter on Close presses Close.
            WhatsNewDialog dialog(nullptr);
            ShowActive(dialog);
            auto* close = Child<QPushButton>(&dialog, "close");
            close->setFocus();
            QTest::keyClick(close, Qt::Key_Return);
            QVERIFY(!dialog.isVisible());
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
        }
        {
            WhatsNewDialog dialog(nullptr);
            ShowActive(dialog);
            QTest::mouseClick(Child<QPushButton>(&dialog, "close"), Qt::LeftButton);
            QVERIFY(!dialog.isVisible());
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
        }
    }

    void commandsOpenTheDialogsOverTheMainWindow() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        ScriptedPrompts prompts;
        Application app({folder.path(), folder.filePath(QStringLiteral("RK7_Power.ini"))}, prompts);
        app.initMainWindow();
        app.mainWindow()->show();
        QVERIFY(QTest::qWaitForWindowExposed(app.mainWindow()));

        QVERIFY(app.mainWindow()->action(Command::About)->isEnabled());
        QVERIFY(app.mainWindow()->action(Command::WhatsNew)->isEnabled());

        // Each dialog is looked at, then closed by a key; one left open is closed by force so
        // that a failure cannot hang the run.
        QStringList seen;
        WhenOpen<AboutDialog>([&](AboutDialog* d) {
            const bool active = QTest::qWaitForWindowActive(d);
            seen << d->windowTitle() << Where(d, app.mainWindow());
            if (active)
                QTest::keyClick(d->focusWidget(), Qt::Key_Return);
            if (d->isVisible()) {
                seen << "still open";
                d->done(QDialog::Rejected);
            }
        });
        app.trigger(Command::About);
        WhenOpen<WhatsNewDialog>([&](WhatsNewDialog* d) {
            const bool active = QTest::qWaitForWindowActive(d);
            seen << d->windowTitle() << Where(d, app.mainWindow())
                 << Child<QLabel>(d, "note0")->text();
            if (active)
                QTest::keyClick(d->focusWidget(), Qt::Key_Escape);
            if (d->isVisible()) {
                seen << "still open";
                d->done(QDialog::Rejected);
            }
        });
        app.mainWindow()->action(Command::WhatsNew)->trigger(); // as the menu item does
        QCOMPARE(seen, (QStringList{"About RK7 Power", "modal over the main window", "What's New",
                                    "modal over the main window", "1. Fixed loading file error."}));
        // Each was destroyed when it closed.
        QVERIFY(app.mainWindow()->findChildren<QDialog*>().isEmpty());
        QVERIFY(prompts.messages.isEmpty());
    }
};

} // namespace rk7

QTEST_MAIN(rk7::InfoDialogsTest)
#include "info_dialogs_test.moc"
