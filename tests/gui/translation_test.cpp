#include "app/application.h"
#include "app/command.h"
#include "app/main_window.h"
#include "app/translations.h"
#include "dialogs/prompts.h"
#include "editors/set_teams_dialog.h"
#include "gui/edit_roster.h"
#include "gui/when_open.h"
#include "model/roster_schema.h"
#include "painter/view_texts.h"

#include <memory>
#include <set>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace rk7 {

using test::WhenOpen;

namespace {

// The program on a folder of its own, with the dialogs a user sees.
struct Session {
    QTemporaryDir folder;
    DialogPrompts prompts;
    std::unique_ptr<Application> app;

    Application& Start() {
        app = std::make_unique<Application>(
            Application::Options{folder.path(), folder.filePath(QStringLiteral("RK7_Power.ini"))},
            prompts);
        app->initMainWindow();
        return *app;
    }
};

// What the user sees of the program: the menu titles and items, the Edit Teams form's caption
// and headings, and the exit prompt's question and buttons.
struct Seen {
    QStringList menus;
    QStringList items;
    QStringList duplicateMnemonics; // a letter used twice in one menu reaches only the first
    QString form;
    QStringList formTexts; // its labels and buttons
    QString question;
    QStringList answers;
};

Seen SeenOfProgram() {
    Seen seen;
    Session s;
    Application& app = s.Start();
    for (QMenu* menu : app.mainWindow()->findChildren<QMenu*>()) {
        if (!menu->objectName().startsWith(QStringLiteral("menu:")))
            continue;
        seen.menus << menu->title();
        std::set<QChar> letters;
        for (QAction* action : menu->actions()) {
            if (action->isSeparator())
                continue;
            seen.items << action->text();
            const QRegularExpressionMatch mnemonic =
                QRegularExpression(QStringLiteral("&([^&])")).match(action->text());
            if (mnemonic.hasMatch() && !letters.insert(mnemonic.captured(1).at(0).toLower()).second)
                seen.duplicateMnemonics << menu->title() + QStringLiteral(": ") + action->text();
        }
    }
    WhenOpen<SetTeamsDialog>([&seen](SetTeamsDialog* form) {
        seen.form = form->windowTitle();
        for (QLabel* label : form->findChildren<QLabel*>())
            seen.formTexts << label->text();
        for (QAbstractButton* button : form->findChildren<QAbstractButton*>())
            seen.formTexts << button->text();
        form->reject();
    });
    app.trigger(Command::EditTeams);

    test::EditRoster(app, [](Roster& r) { r.SpareName[0].SetText("Spare One"); });
    app.mainWindow()->show();
    WhenOpen<QMessageBox>([&seen](QMessageBox* box) {
        seen.question = box->text();
        for (QAbstractButton* button : box->buttons())
            seen.answers << button->text();
        box->reject();
    });
    app.mainWindow()->close(); // Cancel keeps it open; the session's end discards the change
    return seen;
}

// The %1, %2 ... of a text, each once.
std::set<QString> Placeholders(const QString& text) {
    std::set<QString> found;
    QRegularExpressionMatchIterator it =
        QRegularExpression(QStringLiteral("%\\d")).globalMatch(text);
    while (it.hasNext())
        found.insert(it.next().captured());
    return found;
}

} // namespace

class TranslationTest : public QObject {
    Q_OBJECT

private slots:
    // main() made the QApplication with LANG=de_DE.UTF-8: the system locale is German.
    void germanWhereTheLocaleIsGerman() {
        const Translations german(QLocale::system(), {QStringLiteral(RK7_TRANSLATIONS_DIR)});
        QVERIFY(german.installed());
        const Seen seen = SeenOfProgram();
        for (const char* menu :
             {"&Datei", "&Bearbeiten", "&Ansicht", "&Hilfe", "Fahrer &bearbeiten"})
            QVERIFY2(seen.menus.contains(QString::fromUtf8(menu)), menu);
        QVERIFY(seen.items.contains(QStringLiteral("&Teams bearbeiten")));
        QVERIFY(seen.items.contains(QStringLiteral("&Beenden")));
        QCOMPARE(seen.form, QStringLiteral("Teams"));
        for (const char* text : {"Teamnamen", "Motoren", "Ausfall", "Manueller Modus", "Abbrechen"})
            QVERIFY2(seen.formTexts.contains(QString::fromUtf8(text)), text);
        QCOMPARE(seen.duplicateMnemonics, QStringList());
        QCOMPARE(seen.question, QStringLiteral("Änderungen in den Speicherdateien sichern?"));
        // Cancel is Qt's own button, in Qt's own German.
        QCOMPARE(seen.answers.size(), 3);
        for (const char* answer : {"&Speichern", "&Verwerfen", "Abbrechen"})
            QVERIFY2(seen.answers.contains(QString::fromUtf8(answer)), answer);

        // Every caption the tables paint has its German, but "#".
        for (View view : {View::All, View::Teams, View::Drivers})
            for (const ViewColumn& column : SchemaOf(view).columns)
                if (const std::string_view caption = column.Caption();
                    !caption.empty() && caption != "#")
                    QVERIFY2(ViewText(caption) !=
                                 QString::fromLatin1(caption.data(), qsizetype(caption.size())),
                             caption.data());
    }

    void englishWhereThereIsNoTranslation() {
        const Translations none(QLocale(QStringLiteral("xx_XX")),
                                {QStringLiteral(RK7_TRANSLATIONS_DIR)});
        QVERIFY(!none.installed());
        const Seen seen = SeenOfProgram();
        QVERIFY(seen.menus.contains(QStringLiteral("&File")));
        QVERIFY(seen.items.contains(QStringLiteral("Edit &Teams")));
        QCOMPARE(seen.form, QStringLiteral("Teams"));
        QVERIFY(seen.formTexts.contains(QStringLiteral("Team Names")));
        QVERIFY(seen.formTexts.contains(QStringLiteral("Cancel")));
        QCOMPARE(seen.question, QStringLiteral("Save changes to the store files?"));
        QVERIFY(seen.answers.contains(QStringLiteral("Cancel")));
        QCOMPARE(ViewText("Team Names"), QStringLiteral("Team Names"));
    }

    // The .ts, brought up to date with the sources as lupdate would, has every text translated
    // and finished, no entry whose text the sources lost, and every placeholder and shortcut of
    // a text in its translation.
    void everyTextTranslated() {
        QTemporaryDir scratch;
        const QString ts = scratch.filePath(QStringLiteral("check.ts"));
        QVERIFY(QFile::copy(QStringLiteral(RK7_TS_FILE), ts));
        QStringList arguments{QStringLiteral("-silent"), QStringLiteral("-locations"),
                              QStringLiteral("none"), QStringLiteral("-I"),
                              QStringLiteral(RK7_SOURCE_DIR "/src")};
        for (const QString& path : QStringLiteral(RK7_TRANSLATED_PATHS).split(QLatin1Char(',')))
            arguments << QStringLiteral(RK7_SOURCE_DIR "/src/") + path;
        arguments << QStringLiteral("-ts") << ts;
        QProcess lupdate;
        lupdate.start(QStringLiteral(RK7_LUPDATE), arguments);
        QVERIFY(lupdate.waitForFinished(120000));
        QCOMPARE(lupdate.exitCode(), 0);

        QFile file(ts);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        int messages = 0;
        QString context, source;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (xml.name() == QLatin1String("source")) {
                source = xml.readElementText();
            } else if (xml.name() == QLatin1String("translation")) {
                const QString type = xml.attributes().value(QLatin1String("type")).toString();
                // A text with a count has one form per plural, in child elements.
                const QString translation =
                    xml.readElementText(QXmlStreamReader::IncludeChildElements);
                const QByteArray where = (context + QStringLiteral(": ") + source).toUtf8();
                ++messages;
                QVERIFY2(type.isEmpty(), (type.toUtf8() + " " + where).constData());
                QVERIFY2(!translation.isEmpty(), where.constData());
                QVERIFY2(Placeholders(translation) == Placeholders(source), where.constData());
                const qsizetype tab = source.indexOf(QLatin1Char('\t'));
                QVERIFY2(tab < 0 || translation.endsWith(source.mid(tab)), where.constData());
                QVERIFY2(source.contains(QLatin1Char('&')) ==
                             translation.contains(QLatin1Char('&')),
                         where.constData());
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(messages > 200);
    }
};

} // namespace rk7

int main(int argc, char* argv[]) {
    // The locale as a German user's shell sets it, before Qt reads it.
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
        qunsetenv(name);
    qputenv("LANG", "de_DE.UTF-8");
    QApplication application(argc, argv);
    rk7::TranslationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "translation_test.moc"
