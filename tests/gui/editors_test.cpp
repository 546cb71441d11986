#include "app/application.h"
#include "app/command.h"
#include "app/main_window.h"
#include "editors/set_drivers_dialog.h"
#include "editors/set_editpower_dialog.h"
#include "editors/set_ranfail_dialog.h"
#include "editors/set_teams_dialog.h"
#include "editors/spare_dialog.h"
#include "gui/edit_roster.h"
#include "gui/scripted_prompts.h"
#include "gui/when_open.h"
#include "model/roster_parts.h"
#include "model/roster_schema.h"
#include "model/store.h"
#include "painter/cell_text.h"
#include "widgets/form_dialog.h"

#include <cmath>
#include <functional>
#include <map>
#include <set>
#include <string>

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace rk7 {

using test::ScriptedPrompts;
using test::WhenOpen;

namespace {

QString FieldText(QWidget* dialog, const QString& name) {
    auto* edit = dialog->findChild<QLineEdit*>(name);
    return edit ? edit->text() : QStringLiteral("<no field %1>").arg(name);
}

QLineEdit* EditNamed(QWidget* dialog, const QString& name) {
    return dialog->findChild<QLineEdit*>(name);
}

void Retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// Relative luminance of a colour, as contrast ratios are measured.
double Luminance(QColor c) {
    auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

// The lowest row of dark pixels inside rect of image, or -1: where text stands.
int LowestInk(const QImage& image, const QRect& rect) {
    int lowest = -1;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (qGray(image.pixel(x, y)) < 96)
                lowest = std::max(lowest, y);
    return lowest;
}

// Makes dialog the active window, so that keys and focus reach it as they reach a user's form.
bool Activate(QWidget& dialog) {
    if (!dialog.isVisible())
        dialog.show();
    QApplication::setActiveWindow(&dialog);
    return QTest::qWaitForWindowActive(&dialog);
}

QString Focused() {
    QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : QStringLiteral("<none>");
}

// A team set up for the worked example: qualifying 1 and 2, race 3 and 4.
void SetExampleTeam(Roster& r, int t) {
    r.TeamQualPosD1(t).SetText("1");
    r.TeamQualPosD2(t).SetText("2");
    r.TeamRacePosD1(t).SetText("3");
    r.TeamRacePosD2(t).SetText("4");
}

// Forms that count the position texts their passes read: a team pass reads the four positions of
// all 14 teams, a driver pass one position of all 28 drivers.
template <typename Form>
class CountingForm : public Form {
public:
    using Form::Form;
    std::string FieldText(Field field, int row) const override {
        ++reads;
        return Form::FieldText(field, row);
    }
    mutable int reads = 0;
};
constexpr int TeamPassReads = 4 * TeamCount;
constexpr int DriverPassReads = DriverCount;

} // namespace

class EditorsTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    ScriptedPrompts m_prompts;
    std::unique_ptr<Application> m_app;

    // A form opened here works on m_working, as on the copy the program gives it.
    Roster m_working;
    Roster& R() { return m_working; }
    EditorContext Context() { return m_app->forms().makeEditorContext(m_working); }
    // The program's roster, for forms opened by their commands.
    const Roster& Doc() { return m_app->document().roster(); }
    bool AutoMode() { return m_app->document().autoMode(); }
    void SetAutoMode(bool on) { m_app->document().setAutoMode(on); }
    StoreFileSet Unsaved() { return m_app->document().unsavedStores(); }
    QString Store(StoreFile f) const {
        return m_folder.filePath(QString::fromLatin1(StoreFileName(f)));
    }

private slots:
    void init() {
        QVERIFY(m_folder.isValid());
        for (StoreFile f : StoreFiles)
            QFile::remove(Store(f));
        QDir(m_folder.path()).rmdir(QStringLiteral("Teams.rk"));
        m_prompts = ScriptedPrompts();
        m_app = std::make_unique<Application>(
            Application::Options{m_folder.path(), m_folder.filePath("prefs.ini")}, m_prompts);
        m_app->initMainWindow();
        m_working = Doc();
    }
    void cleanup() { m_app.reset(); }

    // Return on a focused push button presses that button; in a field it is OK.
    void returnPressesTheFocusedButton() {
        QString focused;
        bool stillOpen = false;
        WhenOpen<SetEditpowerDialog>([&](SetEditpowerDialog* d) {
            Activate(*d);
            d->findChild<QPushButton*>(QStringLiteral("ok"))->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            focused = Focused();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            stillOpen = d->isVisible();
            if (stillOpen)
                d->reject();
        });
        m_app->trigger(Command::EditPowers);
        QCOMPARE(focused, QStringLiteral("cancel"));
        QVERIFY(!stillOpen);
        QVERIFY(!QFile::exists(Store(PowersStore))); // Cancel saved nothing

        // In a field, Return is OK.
        WhenOpen<SetEditpowerDialog>([](SetEditpowerDialog* d) {
            d->driverPower(3)->setFocus();
            QTest::keyClick(d->driverPower(3), Qt::Key_Return);
        });
        m_app->trigger(Command::EditPowers);
        QCOMPARE(QFileInfo(Store(PowersStore)).size(), 220);

        // "Range/Failure" and "Enter Spare Drivers" open their forms; the outer form stays.
        int nested = 0;
        WhenOpen<SetEditpowerDialog>([&](SetEditpowerDialog* d) {
            WhenOpen<SetRanFailDialog>([&](SetRanFailDialog* inner) {
                ++nested;
                inner->reject();
            });
            auto* button = d->findChild<QPushButton*>(QStringLiteral("rangeFailure"));
            button->setFocus();
            QTest::keyClick(button, Qt::Key_Return);
            stillOpen = d->isVisible();
            d->reject();
        });
        m_app->trigger(Command::EditPowers);
        QCOMPARE(nested, 1);
        QVERIFY(stillOpen);
        WhenOpen<SetDriversDialog>([&](SetDriversDialog* d) {
            WhenOpen<SpareDialog>([&](SpareDialog* inner) {
                ++nested;
                inner->reject();
            });
            auto* button = d->findChild<QPushButton*>(QStringLiteral("spareDrivers"));
            button->setFocus();
            QTest::keyClick(button, Qt::Key_Return);
            stillOpen = d->isVisible();
            d->reject();
        });
        m_app->trigger(Command::MainDrivers);
        QCOMPARE(nested, 2);
        QVERIFY(stillOpen);
        QVERIFY(!QFile::exists(Store(DriversStore)));
        QVERIFY(!QFile::exists(Store(RanFailStore)));
    }

    // The car box keeps its size; its list shows every number whole, beside a real arrow.
    void carListShowsEveryNumber() {
        SetDriversDialog drivers(Context(), nullptr);
        QVERIFY(Activate(drivers));
        QComboBox* car = drivers.carNumber(27);
        QCOMPARE(car->size(), drivers.units(0, 0, 20, 11).size());
        car->setCurrentIndex(39);

        // The arrow: a triangle several pixels high in the right part of the box, not a dash.
        const QImage closed = car->grab().toImage();
        int arrowRows = 0;
        for (int y = 2; y < closed.height() - 2; ++y) {
            bool ink = false;
            for (int x = closed.width() - 12; x < closed.width() - 2; ++x)
                ink |= qGray(closed.pixel(x, y)) < 110;
            arrowRows += ink;
        }
        QVERIFY2(arrowRows >= 3, qPrintable(QString::number(arrowRows)));

        car->showPopup();
        QAbstractItemView* list = car->view();
        QTRY_VERIFY(list->isVisible());
        for (int row : {9, 39}) {
            const QModelIndex index = list->model()->index(row, 0);
            QStyleOptionViewItem option;
            option.initFrom(list);
            const int needed = list->itemDelegate()->sizeHint(option, index).width();
            QVERIFY2(
                list->visualRect(index).width() >= needed,
                qPrintable(
                    QStringLiteral("%1 < %2").arg(list->visualRect(index).width()).arg(needed)));
        }
        car->hidePopup();
    }

    // Auto Edit Mode's locked values read like typed ones, and Tab passes them by.
    void lockedValuesAreReadable() {
        SetAutoMode(true);
        SetExampleTeam(R(), 4);
        SetTeamsDialog teams(Context(), nullptr);
        QVERIFY(Activate(teams));
        QLineEdit* power = teams.edit(SetTeamsDialog::RacePower, 4);
        QCOMPARE(power->text(), QStringLiteral("815"));
        QVERIFY(power->isReadOnly() && !power->isEnabled());
        const QImage image = power->grab().toImage();
        const QColor face = image.pixelColor(image.width() - 4, image.height() / 2);
        double darkest = 1.0;
        for (int y = 2; y < image.height() - 2; ++y)
            for (int x = 2; x < image.width() / 2; ++x)
                darkest = std::min(darkest, Luminance(image.pixelColor(x, y)));
        const double contrast = (Luminance(face) + 0.05) / (darkest + 0.05);
        QVERIFY2(contrast >= 4.5, qPrintable(QString::number(contrast)));

        teams.edit(SetTeamsDialog::RaceD2, 4)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        // The next row's name, past the locked three.
        QCOMPARE(Focused(), QStringLiteral("teamName5"));
    }

    // Tab runs along the form as it is drawn: last field, then the bottom row from the left (OK,
    // Cancel, Manual, Auto, and on the drivers form the spare drivers' button), then the first
    // field again.
    void tabReachesTheModeButtonsInTheirOrder() {
        SetAutoMode(false);
        for (int which = 0; which < 2; ++which) {
            std::unique_ptr<CalcFormDialog> form;
            QLineEdit* last = nullptr;
            if (which == 0) {
                auto* teams = new SetTeamsDialog(Context(), nullptr);
                last = teams->edit(SetTeamsDialog::Failure, 13);
                form.reset(teams);
            } else {
                auto* drivers = new SetDriversDialog(Context(), nullptr);
                last = drivers->edit(SetDriversDialog::Range, 27);
                form.reset(drivers);
            }
            QVERIFY(Activate(*form));
            last->setFocus();
            QStringList order;
            for (int i = 0; i < 6; ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                order << Focused();
            }
            QCOMPARE(order, which == 0 ? QStringList({"ok", "cancel", "manualMode", "autoMode",
                                                      "teamName0", "engineName0"})
                                       : QStringList({"ok", "cancel", "manualMode", "autoMode",
                                                      "spareDrivers", "carNumber0"}));
        }
    }

    // Every form opens with the keyboard in its first field, its text selected: what is typed
    // replaces it, and Enter takes the form with it.
    void formsOpenInTheirFirstField() {
        SetAutoMode(false);
        const std::pair<Command, Field> firsts[] = {
            {Command::SpareDrivers, Field::SpareName},
            {Command::EditPowers, Field::DriverStartQual},
            {Command::RangeFailure, Field::RangeByPos},
            {Command::EditTeams, Field::TeamName},
            {Command::MainDrivers, Field::DriverName},
        };
        for (auto [command, field] : firsts) {
            WhenOpen<QDialog>([](QDialog* d) {
                if (Activate(*d)) {
                    QTest::keyClick(d->windowHandle(), Qt::Key_7);
                    QTest::keyClick(d->windowHandle(), Qt::Key_Return);
                }
                if (d->isVisible())
                    d->reject();
            });
            m_app->trigger(command);
            QCOMPARE(QString::fromLatin1(SchemaOf(field).At(Doc(), 0).Text()), QStringLiteral("7"));
        }
    }

    // Lines pasted into a field go down its column, one a field, as if typed there: cut to the
    // field's width, without what Windows-1252 lacks, only the first of several spreadsheet
    // cells; lines beyond the last field are dropped. One line pastes as usual.
    void pastedLinesFillTheColumn() {
        const auto paste = [](QWidget& form, QLineEdit* into, const QString& text) {
            QGuiApplication::clipboard()->setText(text);
            into->setFocus();
            QTest::keyClick(form.windowHandle(), Qt::Key_V, Qt::ControlModifier);
        };
        SetEditpowerDialog powers(Context(), nullptr);
        QVERIFY(Activate(powers));
        QStringList positions, pasted;
        for (int p = 101; p <= 114; ++p)
            positions << QString::number(p);
        const QString fifteenth = powers.driverPower(15)->text();
        // As a spreadsheet copies a column: a line break after each cell, the last one too.
        paste(powers, powers.driverPower(1), positions.join("\r\n") + "\r\n");
        for (int p = 1; p <= 15; ++p)
            pasted << powers.driverPower(p)->text();
        QCOMPARE(pasted, positions + QStringList{fifteenth});

        SpareDialog spares(Context(), nullptr);
        QVERIFY(Activate(spares));
        paste(spares, spares.edit(SpareDialog::Name, 6),
              QStringLiteral("Caf\u00e9 \u4e2d Racer\t15000\n%1\nNobody").arg(QString(80, u'x')));
        QCOMPARE(spares.edit(SpareDialog::Name, 6)->text(), QStringLiteral("Caf\u00e9  Racer"));
        QCOMPARE(spares.edit(SpareDialog::Name, 7)->text(), QString(74, u'x'));
        spares.edit(SpareDialog::Name, 0)->setText(QStringLiteral("Ann"));
        paste(spares, spares.edit(SpareDialog::Name, 0), QStringLiteral("Solo\n"));
        QCOMPARE(spares.edit(SpareDialog::Name, 0)->text(), QStringLiteral("AnnSolo"));
        QCOMPARE(spares.edit(SpareDialog::Name, 1)->text(), CellToQString(R().SpareName[1].Text()));

        // Pasted positions count as typed: Auto Edit Mode computes from them.
        SetAutoMode(true);
        SetExampleTeam(R(), 3);
        R().TeamQualPosD2(3).SetText("");
        SetTeamsDialog teams(Context(), nullptr);
        QVERIFY(Activate(teams));
        paste(teams, teams.edit(SetTeamsDialog::QualD2, 3), QStringLiteral("2\n2"));
        QCOMPARE(teams.edit(SetTeamsDialog::QualD2, 4)->text(), QStringLiteral("2"));
        QCOMPARE(teams.edit(SetTeamsDialog::QualPower, 3)->text(), QStringLiteral("848"));
    }

    // A field shows the start of a long text whenever nobody is typing in it.
    void longTextShowsItsStart() {
        const QString name = QStringLiteral("Hohenzollern-Sigmaringen Racing");
        R().TeamName[0].SetText(name.toStdString());
        SetTeamsDialog teams(Context(), nullptr);
        QVERIFY(Activate(teams));
        QLineEdit* field = teams.edit(SetTeamsDialog::Name, 0);
        QVERIFY(field->fontMetrics().horizontalAdvance(name) > field->width()); // it must scroll
        teams.findChild<QRadioButton*>(QStringLiteral("autoMode"))->setFocus(); // last of the row
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // Tab selects the whole text
        QCOMPARE(Focused(), QStringLiteral("teamName0"));
        QCOMPARE(field->selectedText(), name);
        QCOMPARE(field->cursorPosition(), 0); // the cursor, and so the view, at the start

        QTest::keyClick(field, Qt::Key_End);
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, QStringLiteral("!"));
        QTest::keyClick(field, Qt::Key_Tab);
        QCOMPARE(Focused(), QStringLiteral("engineName0"));
        QCOMPARE(field->text(), name.left(30) + QLatin1Char('!'));
        QCOMPARE(field->cursorPosition(), 0);
        QVERIFY(!field->hasSelectedText());
    }

    // The spare labels stand on the line of their boxes' text; each box says what it holds.
    void spareFormLabelsAndTooltips() {
        R().SpareName[2].SetText("0");
        SpareDialog spares(Context(), nullptr);
        QVERIFY(Activate(spares));
        spares.findChild<QPushButton*>(QStringLiteral("ok"))->setFocus();
        const QImage image = spares.grab().toImage();
        QLineEdit* box = spares.edit(SpareDialog::Name, 2);
        // The "0" that ends "Spare 2" has no descender, nor has the "0" in the box.
        const QRect labelArea(spares.units(5, 16 + 13 * 2, 24, 11).topLeft(),
                              QPoint(box->x() - 2, box->geometry().bottom()));
        int lastColumn = -1;
        for (int x = labelArea.left(); x <= labelArea.right(); ++x)
            for (int y = labelArea.top(); y <= labelArea.bottom(); ++y)
                if (qGray(image.pixel(x, y)) < 96)
                    lastColumn = x;
        QVERIFY(lastColumn > 0);
        const int labelBase = LowestInk(image, QRect(QPoint(lastColumn - 4, labelArea.top()),
                                                     QPoint(lastColumn, labelArea.bottom())));
        const int boxBase = LowestInk(image, box->geometry().adjusted(3, 3, -3, -3));
        QVERIFY(boxBase > 0);
        QVERIFY2(std::abs(labelBase - boxBase) <= 1,
                 qPrintable(QStringLiteral("label %1, box %2").arg(labelBase).arg(boxBase)));

        const QStringList tips = {spares.edit(SpareDialog::Name, 2)->toolTip(),
                                  spares.edit(SpareDialog::RacePower, 2)->toolTip(),
                                  spares.edit(SpareDialog::QualPower, 2)->toolTip(),
                                  spares.edit(SpareDialog::Range, 2)->toolTip()};
        QCOMPARE(tips, QStringList({"Spare 2: name", "Spare 2: race power",
                                    "Spare 2: qualifying power", "Spare 2: range"}));
    }

    void typingStopsAtTheCellWidth() {
        SetTeamsDialog teams(Context(), nullptr);
        const std::pair<const char*, int> teamLimits[] = {
            {"teamName0", 31},      {"engineName0", 31},   {"teamQualPosD1_0", 2},
            {"teamRacePosD2_0", 2}, {"teamRacePower0", 3}, {"teamQualPower0", 3},
            {"teamFailure0", 5}};
        for (auto [name, limit] : teamLimits) {
            Retype(EditNamed(&teams, name), QString(80, QLatin1Char('7')));
            QCOMPARE(FieldText(&teams, name).size(), limit);
        }
        SetDriversDialog drivers(Context(), nullptr);
        for (auto [name, limit] : {std::pair{"driverName0", 47},
                                   {"driverQualPos0", 2},
                                   {"driverRacePos0", 2},
                                   {"driverRacePower0", 5},
                                   {"driverRange27", 5}}) {
            Retype(EditNamed(&drivers, name), QString(80, QLatin1Char('8')));
            QCOMPARE(FieldText(&drivers, name).size(), limit);
        }
        SpareDialog spares(Context(), nullptr);
        for (auto [name, limit] : {std::pair{"spareName0", 74},
                                   {"spareRacePower0", 5},
                                   {"spareQualPower0", 5},
                                   {"spareRange7", 5}}) {
            Retype(EditNamed(&spares, name), QString(80, QLatin1Char('9')));
            QCOMPARE(FieldText(&spares, name).size(), limit);
        }
        SetEditpowerDialog powers(Context(), nullptr);
        for (auto [name, limit] : {std::pair{"driverPowerByPos0", 3},
                                   {"teamPowerByPos0", 2},
                                   {"driverStartQual0", 5},
                                   {"teamStartRace0", 5}}) {
            Retype(EditNamed(&powers, name), QString(80, QLatin1Char('1')));
            QCOMPARE(FieldText(&powers, name).size(), limit);
        }
        SetRanFailDialog ranFail(Context(), nullptr);
        for (auto [name, limit] : {std::pair{"rangeByPos0", 5}, {"failureByPos27", 5}}) {
            Retype(EditNamed(&ranFail, name), QString(80, QLatin1Char('2')));
            QCOMPARE(FieldText(&ranFail, name).size(), limit);
        }
    }

    // Every edit of every form shows a cell of the form's part, no two edits the same cell, and OK
    // puts each edit's text into the cell it showed and changes no other. Together the edits hold
    // every cell of the part. Each edit is named for the cell it shows, by a name no other cell
    // has.
    void everyEditRoundTripsThroughItsOwnCell() {
        SetAutoMode(false); // no pass may rewrite a field
        // Texts of their own, two characters each, so that they fit even a position cell.
        const std::string digits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
        int next = 0;
        auto mark = [&] {
            const int n = next++;
            return std::string{digits[n / 62 % 62], digits[n % 62]};
        };
        ForEachCell(R(), [&](CellRef cell) { cell.SetText(mark()); });
        std::map<std::string, QString> nameOfCell;
        std::set<QString> names;
        for (const FieldSchema& field : Fields())
            for (int row = 0; row < field.rows; ++row) {
                const QString name = FormDialog::fieldObjectName(field.field, row);
                nameOfCell[field.At(R(), row).Str()] = name;
                names.insert(name);
            }
        QCOMPARE(names.size(), nameOfCell.size());

        // skipped: fields that OK sets otherwise (car numbers from their boxes, driver powers
        // recalculated), left out of the comparison.
        auto check = [&](QDialog& form, RosterPartSet part, std::set<Field> skipped) {
            const Roster before = R();
            std::map<std::string, const char*> cellShowing;
            ForEachCell(R(), [&](CellRef cell) { cellShowing[cell.Str()] = cell.bytes.data(); });
            std::map<const char*, std::string> typed;
            QStringList faults;
            for (QLineEdit* edit : form.findChildren<QLineEdit*>()) {
                const auto cell = cellShowing.find(edit->text().toStdString());
                if (cell == cellShowing.end() || typed.count(cell->second)) {
                    faults << edit->objectName() + QStringLiteral(" shows ") + edit->text();
                    continue;
                }
                if (edit->objectName() != nameOfCell[cell->first])
                    faults << edit->objectName() + QStringLiteral(" shows the cell of ") +
                                  nameOfCell[cell->first];
                typed[cell->second] = mark();
                edit->setText(QString::fromStdString(typed[cell->second]));
            }
            form.accept();

            Roster inPart = R();
            Roster tilde;
            ForEachCell(tilde, [](CellRef cell) { cell.SetText("~"); });
            CopyParts(inPart, tilde, part);
            for (const FieldSchema& field : Fields())
                for (int row = 0; row < field.rows && !skipped.count(field.field); ++row) {
                    const CellRef cell = field.At(R(), row);
                    const auto edited = typed.find(cell.bytes.data());
                    const bool ofPart = field.At(inPart, row).Text() == "~";
                    const std::string want =
                        edited != typed.end() ? edited->second : field.At(before, row).Str();
                    if (cell.Str() != want || ofPart != (edited != typed.end()))
                        faults << QStringLiteral("%1[%2] holds %3, %4 by the form")
                                      .arg(QLatin1String(field.name))
                                      .arg(row)
                                      .arg(QString::fromStdString(cell.Str()))
                                      .arg(edited != typed.end() ? "edited" : "not edited");
                }
            return faults;
        };

        SetTeamsDialog teams(Context(), nullptr);
        QCOMPARE(check(teams, TeamsPart, {}), QStringList());
        SetDriversDialog drivers(Context(), nullptr);
        QCOMPARE(check(drivers, DriversPart, {Field::CarNumber}), QStringList());
        SpareDialog spares(Context(), nullptr);
        QCOMPARE(check(spares, SparesPart, {}), QStringList());
        SetEditpowerDialog powers(Context(), nullptr);
        QCOMPARE(check(powers, PowerTablesPart, {Field::DriverQualPower, Field::DriverRacePower}),
                 QStringList());
        SetRanFailDialog ranFail(Context(), nullptr);
        QCOMPARE(check(ranFail, RangeFailurePart, {}), QStringList());
    }

    void onlyWindows1252CharactersGoIn() {
        SetTeamsDialog teams(Context(), nullptr);
        QLineEdit* name = EditNamed(&teams, "teamName0");
        name->clear();
        for (QChar ch : QStringLiteral("Caf\u00e9 \u20ac\u0100\u4e2d!"))
            QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QString(ch), {});
        QCOMPARE(name->text(), QStringLiteral("Caf\u00e9 \u20ac!"));
        teams.accept();
        QCOMPARE(R().TeamName[0].Text(), std::string_view("Caf\xe9 \x80!"));

        // Stored bytes come in through the code page, and go back out unchanged.
        R().DriverName[3].SetText("Jos\xe9 M\x9a");
        SetDriversDialog drivers(Context(), nullptr);
        QCOMPARE(FieldText(&drivers, "driverName3"), QStringLiteral("Jos\u00e9 M\u0161"));
        drivers.accept();
        QCOMPARE(R().DriverName[3].Text(), std::string_view("Jos\xe9 M\x9a"));
    }

    void manualModeShowsAndKeepsStoredValues() {
        SetAutoMode(false);
        R().TeamQualPower[2].SetText("070");
        R().TeamFailure[2].SetText(" 7x");
        R().DriverRange[5].SetText("abc");
        R().DriverQualPos[5].SetText("1");
        SetExampleTeam(R(), 2);
        const Roster before = R();
        SetTeamsDialog teams(Context(), nullptr);
        QCOMPARE(FieldText(&teams, "teamQualPower2"), QStringLiteral("070"));
        QCOMPARE(FieldText(&teams, "teamFailure2"), QStringLiteral(" 7x"));
        QVERIFY(EditNamed(&teams, "teamRacePower0")->isEnabled() &&
                !EditNamed(&teams, "teamRacePower0")->isReadOnly());
        Retype(EditNamed(&teams, "teamQualPosD1_2"),
               QStringLiteral("9")); // no calculation in manual mode
        QCOMPARE(FieldText(&teams, "teamQualPower2"), QStringLiteral("070"));
        Retype(EditNamed(&teams, "teamQualPosD1_2"), QStringLiteral("1"));
        teams.accept();
        SetDriversDialog drivers(Context(), nullptr);
        QCOMPARE(FieldText(&drivers, "driverRange5"), QStringLiteral("abc"));
        drivers.accept();
        QVERIFY(R() == before);
    }

    void autoModeOnOpening() {
        SetAutoMode(true);
        SetExampleTeam(R(), 4);
        R().TeamQualPower[4].SetText("123");
        R().TeamRacePower[0].SetText("555");
        R().TeamFailure[0].SetText("1");
        SetTeamsDialog teams(Context(), nullptr);
        QCOMPARE(FieldText(&teams, "teamRacePower4"), QStringLiteral("815")); // race power
        QCOMPARE(FieldText(&teams, "teamFailure4"), QStringLiteral("2600"));  // failure
        QCOMPARE(FieldText(&teams, "teamQualPower4"), QStringLiteral("123")); // qualifying kept
        QCOMPARE(FieldText(&teams, "teamRacePower0"), QStringLiteral("0"));   // no positions: "0"
        QCOMPARE(FieldText(&teams, "teamFailure0"), QStringLiteral("0"));
        QVERIFY(!EditNamed(&teams, "teamRacePower0")->isEnabled() &&
                EditNamed(&teams, "teamRacePower0")->isReadOnly());
        QVERIFY(!EditNamed(&teams, "teamFailure13")->isEnabled());
        QVERIFY(EditNamed(&teams, "teamQualPosD1_0")->isEnabled());

        R().DriverQualPos[0].SetText("1");
        R().DriverRacePos[0].SetText("28");
        R().DriverQualPower[1].SetText("999");
        SetDriversDialog drivers(Context(), nullptr);
        QCOMPARE(FieldText(&drivers, "driverQualPower0"), QStringLiteral("16700"));
        QCOMPARE(FieldText(&drivers, "driverRacePower0"), QStringLiteral("15755"));
        QCOMPARE(FieldText(&drivers, "driverRange0"), QStringLiteral("1850"));
        QCOMPARE(FieldText(&drivers, "driverQualPower1"), QStringLiteral("0"));
        QVERIFY(!EditNamed(&drivers, "driverRange27")->isEnabled());
    }

    void positionChangesRecomputeEveryRowOfTheirPass() {
        SetAutoMode(true);
        SetExampleTeam(R(), 1);
        SetTeamsDialog teams(Context(), nullptr);
        // Put a stale text in another row; the next qualifying change rewrites it.
        teams.edit(SetTeamsDialog::QualPower, 9)->setText(QStringLiteral("42"));
        QTest::keyClick(EditNamed(&teams, "teamQualPosD2_1"), Qt::Key_End);
        QTest::keyClick(EditNamed(&teams, "teamQualPosD2_1"),
                        Qt::Key_Backspace); // qualifying D2 emptied
        QCOMPARE(FieldText(&teams, "teamQualPower1"), QStringLiteral("0"));
        QCOMPARE(FieldText(&teams, "teamFailure1"), QStringLiteral("0"));
        QCOMPARE(FieldText(&teams, "teamRacePower1"), QStringLiteral("815"));
        QCOMPARE(FieldText(&teams, "teamQualPower9"), QStringLiteral("0"));
        QTest::keyClicks(EditNamed(&teams, "teamQualPosD2_1"), QStringLiteral("2"));
        QCOMPARE(FieldText(&teams, "teamQualPower1"), QStringLiteral("848"));
        QCOMPARE(FieldText(&teams, "teamFailure1"), QStringLiteral("2600"));

        SetDriversDialog drivers(Context(), nullptr);
        Retype(EditNamed(&drivers, "driverRacePos20"),
               QStringLiteral("7")); // race position of driver 21
        QCOMPARE(FieldText(&drivers, "driverRacePower20"), QStringLiteral("15950"));
        QCOMPARE(FieldText(&drivers, "driverRange20"), QStringLiteral("800"));
        for (const char* bad : {"29", "0", "-3", "x"}) {
            Retype(EditNamed(&drivers, "driverRacePos20"), QString::fromLatin1(bad));
            QCOMPARE(FieldText(&drivers, "driverRacePower20"), QStringLiteral("0"));
            QCOMPARE(FieldText(&drivers, "driverRange20"), QStringLiteral("0"));
        }
        Retype(EditNamed(&drivers, "driverQualPos3"), QStringLiteral(" 7")); // a blank before the 7
        QCOMPARE(FieldText(&drivers, "driverQualPower3"), QStringLiteral("16400"));
    }

    // A keystroke in a position runs its pass once, whatever the pass writes; a text the program
    // sets, as the passes and the opening set theirs, runs none.
    void aKeystrokeRunsOnePass() {
        SetAutoMode(true);
        SetExampleTeam(R(), 3);
        CountingForm<SetTeamsDialog> teams(Context(), nullptr);
        QLineEdit* qualD2 = teams.edit(SetTeamsDialog::QualD2, 3);
        QTest::keyClick(qualD2, Qt::Key_End);
        QCOMPARE(teams.reads, 0); // the text did not change
        QTest::keyClick(qualD2, Qt::Key_Backspace);
        QCOMPARE(teams.reads, TeamPassReads);
        QCOMPARE(teams.edit(SetTeamsDialog::QualPower, 3)->text(), QStringLiteral("0"));
        QTest::keyClicks(qualD2, QStringLiteral("2"));
        QCOMPARE(teams.reads, 2 * TeamPassReads);
        QCOMPARE(teams.edit(SetTeamsDialog::QualPower, 3)->text(), QStringLiteral("848"));
        QCOMPARE(teams.edit(SetTeamsDialog::Failure, 3)->text(), QStringLiteral("2600"));
        teams.edit(SetTeamsDialog::RaceD2, 3)->setText(QStringLiteral("28"));
        QCOMPARE(teams.reads, 2 * TeamPassReads);
        QCOMPARE(teams.edit(SetTeamsDialog::RacePower, 3)->text(), QStringLiteral("815"));

        R().DriverQualPos[5].SetText("1");
        R().DriverRacePos[5].SetText("1");
        CountingForm<SetDriversDialog> drivers(Context(), nullptr);
        Retype(drivers.edit(SetDriversDialog::RacePos, 5), QStringLiteral("7")); // two edits
        QCOMPARE(drivers.reads, 2 * DriverPassReads);
        QCOMPARE(drivers.edit(SetDriversDialog::RacePower, 5)->text(), QStringLiteral("15950"));
        QCOMPARE(drivers.edit(SetDriversDialog::Range, 5)->text(), QStringLiteral("800"));
        drivers.edit(SetDriversDialog::QualPos, 5)->setText(QStringLiteral("2"));
        QCOMPARE(drivers.reads, 2 * DriverPassReads);
        QCOMPARE(drivers.edit(SetDriversDialog::QualPower, 5)->text(), QStringLiteral("16700"));
    }

    void modeButtonsSelectTheirMode() {
        SetAutoMode(false);
        SetExampleTeam(R(), 0);
        SetTeamsDialog teams(Context(), nullptr);
        auto* manual = teams.findChild<QRadioButton*>(QStringLiteral("manualMode"));
        auto* automatic = teams.findChild<QRadioButton*>(QStringLiteral("autoMode"));
        QVERIFY(manual->isChecked() && !automatic->isChecked());
        QTest::mouseClick(manual, Qt::LeftButton); // the mode in force: nothing changes
        QVERIFY(!AutoMode() && manual->isChecked() && !automatic->isChecked());
        QTest::mouseClick(automatic, Qt::LeftButton);
        QVERIFY(AutoMode() && automatic->isChecked() && !manual->isChecked());
        QVERIFY(!EditNamed(&teams, "teamQualPower0")->isEnabled());
        QCOMPARE(FieldText(&teams, "teamRacePower0"), QString()); // switching computes nothing
        QTest::mouseClick(automatic, Qt::LeftButton);
        QVERIFY(AutoMode() && automatic->isChecked());
        teams.reject();
        QVERIFY(AutoMode()); // the mode survives Cancel

        SetDriversDialog drivers(Context(), nullptr);
        QVERIFY(drivers.findChild<QRadioButton*>(QStringLiteral("autoMode"))->isChecked());
        QTest::mouseClick(drivers.findChild<QRadioButton*>(QStringLiteral("manualMode")),
                          Qt::LeftButton);
        QVERIFY(!AutoMode());
        QVERIFY(EditNamed(&drivers, "driverRacePower0")->isEnabled());
    }

    void carNumberSelection() {
        const char* stored[] = {"07", " 7", "", "0", "41", "40", "1"};
        const int index[] = {6, 6, -1, -1, -1, 39, 0};
        for (int d = 0; d < 7; ++d)
            R().CarNumber[d].SetText(stored[d]);
        SetDriversDialog drivers(Context(), nullptr);
        for (int d = 0; d < 7; ++d)
            QCOMPARE(drivers.carNumber(d)->currentIndex(), index[d]);
        QCOMPARE(drivers.carNumber(0)->count(), 40);
        drivers.carNumber(3)->setCurrentIndex(11);
        drivers.accept();
        QCOMPARE(R().CarNumber[0].Text(), "7"); // the item's text, without the zero
        QCOMPARE(R().CarNumber[1].Text(), "7");
        QCOMPARE(R().CarNumber[2].Text(), ""); // none chosen: kept as it was
        QCOMPARE(R().CarNumber[3].Text(), "12");
        QCOMPARE(R().CarNumber[4].Text(), "41");
    }

    void okSavesTheStoreFiles() {
        WhenOpen<SetTeamsDialog>([](SetTeamsDialog* d) {
            Retype(d->edit(SetTeamsDialog::Name, 0), QStringLiteral("Scuderia"));
            d->accept();
        });
        QSignalSpy changed(&m_app->document(), &RosterDocument::changed);
        m_app->trigger(Command::EditTeams);
        QCOMPARE(Doc().TeamName[0].Text(), "Scuderia");
        QCOMPARE(changed.size(), 1); // the view repaints
        QCOMPARE(changed[0][0].value<RosterPartSet>(), RosterPartSet(TeamsPart));
        QCOMPARE(QFileInfo(Store(TeamsStore)).size(), 1260);

        WhenOpen<SetEditpowerDialog>([](SetEditpowerDialog* d) { d->accept(); });
        m_app->trigger(Command::EditPowers);
        QCOMPARE(QFileInfo(Store(PowersStore)).size(), 220);
        WhenOpen<SetDriversDialog>([](SetDriversDialog* d) { d->accept(); });
        m_app->mainWindow()
            ->findChild<QToolButton*>(QStringLiteral("button:main-drivers"))
            ->click(); // as the tool bar does
        QCOMPARE(QFileInfo(Store(DriversStore)).size(), 2844);
        WhenOpen<SetRanFailDialog>([](SetRanFailDialog* d) { d->accept(); });
        m_app->trigger(Command::RangeFailure);
        QCOMPARE(QFileInfo(Store(RanFailStore)).size(), 336);
        QVERIFY(m_prompts.messages.isEmpty());
        QVERIFY(!Unsaved().any());
    }

    void cancelTouchesNothing() {
        SetAutoMode(true);
        QVERIFY(m_app->document().save(AllStores));
        // Stamped long ago, so that any write shows, however coarse the file system's times.
        const QDateTime stamp(QDate(2001, 2, 3), QTime(4, 5, 6));
        for (StoreFile f : StoreFiles) {
            QFile file(Store(f));
            QVERIFY(file.open(QIODevice::ReadWrite) &&
                    file.setFileTime(stamp, QFileDevice::FileModificationTime));
        }
        const Roster before = Doc();
        WhenOpen<SetTeamsDialog>([](SetTeamsDialog* d) {
            Retype(d->edit(SetTeamsDialog::Name, 0), QStringLiteral("Changed"));
            Retype(d->edit(SetTeamsDialog::QualD1, 0), QStringLiteral("5"));
            d->reject();
        });
        m_app->trigger(Command::EditTeams);
        for (Command id : {Command::MainDrivers, Command::EditPowers, Command::SpareDrivers,
                           Command::RangeFailure}) {
            WhenOpen<QDialog>([](QDialog* d) {
                for (QLineEdit* edit : d->findChildren<QLineEdit*>())
                    if (!edit->isReadOnly())
                        edit->setText(QStringLiteral("1"));
                d->reject();
            });
            m_app->trigger(id);
        }
        QVERIFY(Doc() == before);
        for (StoreFile f : StoreFiles)
            QCOMPARE(QFileInfo(Store(f)).lastModified(), stamp);
        QVERIFY(!Unsaved().any());
    }

    void powerTablesRecalculateDriverPowersInManualMode() {
        SetAutoMode(false);
        test::EditRoster(*m_app, [](Roster& r) {
            r.DriverQualPos[2].SetText("1");
            r.DriverQualPos[9].SetText("1");
            r.DriverRacePos[9].SetText("30");
            r.DriverRange[2].SetText("55");
            r.TeamQualPower[0].SetText("777");
        });
        WhenOpen<SetEditpowerDialog>([](SetEditpowerDialog* d) {
            Retype(d->driverPower(1), QStringLiteral("600"));
            Retype(d->teamPower(1), QStringLiteral("99"));
            d->accept();
        });
        m_app->trigger(Command::EditPowers);
        QCOMPARE(Doc().DriverPowerByPos[0].Text(), "600");
        QCOMPARE(Doc().TeamPowerByPos[0].Text(), "99");
        QCOMPARE(Doc().DriverQualPower[2].Text(), "16800");
        QCOMPARE(Doc().DriverQualPower[9].Text(), "16800");
        QCOMPARE(Doc().DriverRacePower[9].Text(), "0");
        QCOMPARE(Doc().DriverRange[2].Text(), "55");    // ranges untouched
        QCOMPARE(Doc().TeamQualPower[0].Text(), "777"); // team powers untouched
        QCOMPARE(QFileInfo(Store(PowersStore)).size(), 220);
        QVERIFY(!QFile::exists(Store(DriversStore))); // the powers wait for Drivers.rk
        // (as do the team power and the driver cells set up above, which no form saved)
        QCOMPARE(Unsaved(), TeamsStore | DriversStore);
    }

    void nestedSpareAndRangeFailureDialogs() {
        WhenOpen<SetDriversDialog>([](SetDriversDialog* drivers) {
            WhenOpen<SpareDialog>([](SpareDialog* spares) {
                Retype(spares->edit(SpareDialog::Name, 7), QStringLiteral("Reserve Man"));
                Retype(spares->edit(SpareDialog::RacePower, 7), QStringLiteral("12a"));
                spares->accept();
            });
            drivers->findChild<QPushButton*>(QStringLiteral("spareDrivers"))->click();
            drivers->reject();
        });
        m_app->trigger(Command::MainDrivers);
        QCOMPARE(Doc().SpareName[7].Text(), "Reserve Man"); // in memory ...
        QCOMPARE(Doc().SpareRacePower[7].Text(), "12a");
        QVERIFY(!QFile::exists(Store(DriversStore))); // ... but in no file yet
        QCOMPARE(Unsaved(), StoreFileSet(DriversStore));

        WhenOpen<SetEditpowerDialog>([](SetEditpowerDialog* powers) {
            WhenOpen<SetRanFailDialog>([powers](SetRanFailDialog* ranFail) {
                QCOMPARE(ranFail->parentWidget(), powers); // stands over the form that opened it
                Retype(ranFail->range(1), QStringLiteral("777"));
                Retype(ranFail->failure(28), QStringLiteral(""));
                ranFail->accept();
            });
            powers->findChild<QPushButton*>(QStringLiteral("rangeFailure"))->click();
            powers->reject();
        });
        m_app->trigger(Command::EditPowers);
        QCOMPARE(Doc().RangeByPos[0].Text(), "777");
        QCOMPARE(Doc().FailureByPos[27].Text(), "");
        QCOMPARE(QFileInfo(Store(RanFailStore)).size(), 336); // saved at once
        QVERIFY(!QFile::exists(Store(PowersStore)));          // the powers form was cancelled

        // Spares from the menu: in memory only, and announced as spares, which no view shows.
        QSignalSpy changed(&m_app->document(), &RosterDocument::changed);
        WhenOpen<SpareDialog>([](SpareDialog* spares) {
            Retype(spares->edit(SpareDialog::Range, 0), QStringLiteral("5"));
            spares->accept();
        });
        m_app->trigger(Command::SpareDrivers);
        QCOMPARE(Doc().SpareRange[0].Text(), "5");
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed[0][0].value<RosterPartSet>(), RosterPartSet(SparesPart));
        QVERIFY(!QFile::exists(Store(DriversStore)));
    }

    void failedSaveIsReportedAndTheEditKept() {
        QDir(m_folder.path()).mkdir(QStringLiteral("Teams.rk")); // cannot be replaced
        QSignalSpy changed(&m_app->document(), &RosterDocument::changed);
        WhenOpen<SetTeamsDialog>([](SetTeamsDialog* d) {
            Retype(d->edit(SetTeamsDialog::Engine, 13), QStringLiteral("Cosworth"));
            d->accept();
        });
        m_app->trigger(Command::EditTeams);
        QCOMPARE(Doc().EngineName[13].Text(), "Cosworth");
        QCOMPARE(changed.size(), 1);
        QCOMPARE(m_prompts.messages.size(), 1);
        QVERIFY(m_prompts.messages[0].text.contains(QStringLiteral("Teams.rk")));
        QVERIFY(m_prompts.messages[0].text.contains(QStringLiteral("Is a directory")));
        QCOMPARE(Unsaved(), StoreFileSet(TeamsStore)); // offered again at exit
    }
};

} // namespace rk7

QTEST_MAIN(rk7::EditorsTest)
#include "editors_test.moc"
