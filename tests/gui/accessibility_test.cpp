#include "editors/set_drivers_dialog.h"
#include "editors/set_ranfail_dialog.h"
#include "editors/set_teams_dialog.h"
#include "editors/spare_dialog.h"
#include "model/roster_table.h"
#include "painter/cell_text.h"
#include "views/roster_view.h"
#include "widgets/accessible_text.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QLineEdit>
#include <QSet>
#include <QTest>

namespace rk7 {

namespace {

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

// The events an assistive client would be sent, while a test pretends to be one.
struct HeardEvent {
    QAccessible::Event type;
    QString name;
    int row = -1, column = -1;
    QAccessibleTableModelChangeEvent::ModelChangeType change{};
};
QList<HeardEvent> g_heard;

void Listen(QAccessibleEvent* event) {
    HeardEvent heard{event->type(), QString()};
    if (QAccessibleInterface* iface = event->accessibleInterface()) {
        heard.name = iface->text(QAccessible::Name);
        if (QAccessibleTableCellInterface* cell = iface->tableCellInterface()) {
            heard.row = cell->rowIndex();
            heard.column = cell->columnIndex();
        }
    }
    if (event->type() == QAccessible::TableModelChanged)
        heard.change = static_cast<QAccessibleTableModelChangeEvent*>(event)->modelChangeType();
    g_heard << heard;
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        QAccessible::installUpdateHandler(nullptr);
        QAccessible::setActive(false);
        g_heard.clear();
    }

    // The table view shown is a table whose headers and cells read as the views' text does,
    // whose children are its cells by index, and that follows the roster and the view switches.
    void viewReadsAsATable() {
        Roster roster;
        roster.DriverName[2].SetText("R\xe4ikk\xf6nen"); // Windows-1252, as the store files hold it
        RosterView view(roster);
        view.resize(1024, 768);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&view);
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::Table);
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("View All"));
        QAccessibleTableInterface* table = iface->tableInterface();
        QVERIFY(table);

        for (const View shown : {View::All, View::Teams, View::Drivers}) {
            if (shown != View::All)
                view.toggleView(shown);
            const RosterTable expected = MakeRosterTable(roster, shown);
            const int columns = static_cast<int>(expected.columns.size());
            QCOMPARE(table->rowCount(), static_cast<int>(expected.rows.size()));
            QCOMPARE(table->columnCount(), columns);
            QCOMPARE(iface->childCount(), (table->rowCount() + 1) * columns);
            for (int c = 0; c < columns; ++c) {
                QAccessibleInterface* first = table->cellAt(0, c);
                const QList<QAccessibleInterface*> headers =
                    first->tableCellInterface()->columnHeaderCells();
                QCOMPARE(headers.size(), 1);
                QCOMPARE(headers[0]->role(), QAccessible::ColumnHeader);
                QCOMPARE(headers[0]->text(QAccessible::Name),
                         QString::fromLatin1(expected.columns[c]->Caption()));
                QCOMPARE(iface->indexOfChild(headers[0]), c);
            }
            for (int r = 0; r < table->rowCount(); ++r)
                for (int c = 0; c < columns; ++c) {
                    QAccessibleInterface* cell = table->cellAt(r, c);
                    QCOMPARE(cell->text(QAccessible::Name), Utf8(expected.rows[r][c]));
                    QCOMPARE(cell->role(), QAccessible::Cell);
                    QCOMPARE(cell->parent(), iface);
                    const int index = iface->indexOfChild(cell);
                    QCOMPARE(index, (r + 1) * columns + c);
                    QCOMPARE(iface->child(index), cell);
                    QCOMPARE(cell->tableCellInterface()->rowIndex(), r);
                    QCOMPARE(cell->tableCellInterface()->columnIndex(), c);
                }
        }
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("View Drivers"));
        QCOMPARE(table->cellAt(2, 1)->text(QAccessible::Name), QStringLiteral("Räikkönen"));

        // A change of the roster reads at once, through the cell handed out before it.
        QAccessibleInterface* cell = table->cellAt(2, 1);
        roster.DriverName[2].SetText("Hakkinen");
        view.rosterChanged(DriversPart);
        QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("Hakkinen"));

        // Switching the view off leaves an empty table.
        view.toggleView(View::Drivers);
        QCOMPARE(table->rowCount(), 0);
        QCOMPARE(iface->childCount(), 0);
        QVERIFY(!table->cellAt(0, 0));
    }

    // The chart reads as a table of its values, one a row, that follows the roster.
    void chartReadsAsItsValues() {
        Roster roster;
        roster.TeamName[0].SetText("Benetton");
        roster.TeamRacePower[0].SetText("861");
        RosterView view(roster);
        view.resize(1024, 768);
        view.toggleChart();
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&view);
        QCOMPARE(iface->role(), QAccessible::Chart);
        QAccessibleTableInterface* table = iface->tableInterface();
        QCOMPARE(table->columnCount(), 1);
        QVERIFY(table->rowCount() > TeamCount * 2);
        QVERIFY(iface->text(QAccessible::Description).contains(QString::number(table->rowCount())));
        const auto rowWith = [&](const QString& a, const QString& b) {
            for (int r = 0; r < table->rowCount(); ++r) {
                const QString text = table->cellAt(r, 0)->text(QAccessible::Name);
                if (text.contains(a) && text.contains(b))
                    return r;
            }
            return -1;
        };
        QVERIFY(rowWith(QStringLiteral("Benetton"), QStringLiteral("861")) >= 0);
        roster.TeamRacePower[0].SetText("777");
        view.rosterChanged(TeamsPart);
        QCOMPARE(rowWith(QStringLiteral("Benetton"), QStringLiteral("861")), -1);
        QVERIFY(rowWith(QStringLiteral("Benetton"), QStringLiteral("777")) >= 0);
    }

    // With a client listening, the cell cursor is the focus it hears, a roster change tells it
    // the cells changed, and a view switch that the table is another one.
    void clientHearsTheCursorAndChanges() {
        Roster roster;
        RosterView view(roster);
        view.resize(1024, 768);
        view.show();
        view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        view.setFocus();
        QTRY_VERIFY(view.hasFocus());
        QAccessible::installUpdateHandler(Listen);
        QAccessible::setActive(true);
        // On X, Qt's AT-SPI bridge comes up once it has found the accessibility bus.
        if (QGuiApplication::platformName() == QLatin1String("offscreen") ||
            !QTest::qWaitFor([] { return QAccessible::isActive(); }, 10000))
            QSKIP("the platform has no accessibility (offscreen); accessibility_test_client runs "
                  "this on X");

        view.moveCellCursor(3, 1);
        const auto heardFocus = [] {
            QList<HeardEvent> focus;
            for (const HeardEvent& e : g_heard)
                if (e.type == QAccessible::Focus)
                    focus << e;
            return focus;
        };
        QCOMPARE(heardFocus().size(), 1);
        QCOMPARE(heardFocus()[0].row, 3);
        QCOMPARE(heardFocus()[0].column, 1);
        QCOMPARE(heardFocus()[0].name, Utf8(MakeRosterTable(roster, View::All).rows[3][1]));
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&view);
        QCOMPARE(iface->focusChild(), iface->tableInterface()->cellAt(3, 1));
        QVERIFY(iface->focusChild()->state().focused);

        g_heard.clear();
        roster.DriverName[3].SetText("Prost");
        view.rosterChanged(DriversPart);
        QVERIFY(std::any_of(g_heard.begin(), g_heard.end(), [](const HeardEvent& e) {
            return e.type == QAccessible::TableModelChanged &&
                   e.change == QAccessibleTableModelChangeEvent::DataChanged;
        }));
        g_heard.clear();
        view.toggleView(View::Teams);
        QVERIFY(std::any_of(g_heard.begin(), g_heard.end(), [](const HeardEvent& e) {
            return e.type == QAccessible::TableModelChanged &&
                   e.change == QAccessibleTableModelChangeEvent::ModelReset;
        }));
        QCOMPARE(heardFocus().size(), 1); // the Teams table's own cursor
        QCOMPARE(heardFocus()[0].name, Utf8(MakeRosterTable(roster, View::Teams).rows[0][0]));
    }

    // Every field of every form has a name of its own that says whose cell it is and what.
    void formFieldsAreNamed() {
        Roster roster;
        roster.TeamName[2].SetText("Benetton");
        roster.DriverName[0].SetText("Senna");
        roster.TeamName[4].SetText("");
        EditorContext context{roster,
                              EditMode{[] { return false; },
                                       [](bool) {
                                       }},
                              {}};
        const auto nameOf = [](QDialog& form, const QString& objectName) {
            auto* edit = form.findChild<QWidget*>(objectName);
            return edit ? QAccessible::queryAccessibleInterface(edit)->text(QAccessible::Name)
                        : QString();
        };
        SetTeamsDialog teams(context, nullptr);
        QCOMPARE(nameOf(teams, QStringLiteral("teamRacePosD1_2")),
                 QStringLiteral("Team 3, Benetton: team race position of the first car"));
        QCOMPARE(nameOf(teams, QStringLiteral("teamFailure4")),
                 QStringLiteral("Team 5: team failure"));
        SetDriversDialog drivers(context, nullptr);
        QCOMPARE(nameOf(drivers, QStringLiteral("carNumber0")),
                 QStringLiteral("Driver 1, Senna: car number"));
        SpareDialog spares(context, nullptr);
        SetRanFailDialog rangeFailure(context, nullptr);
        for (QDialog* form :
             std::initializer_list<QDialog*>{&teams, &drivers, &spares, &rangeFailure}) {
            QSet<QString> names;
            const QList<QLineEdit*> edits = form->findChildren<QLineEdit*>();
            QVERIFY(!edits.isEmpty());
            for (QLineEdit* edit : edits) {
                const QString name =
                    QAccessible::queryAccessibleInterface(edit)->text(QAccessible::Name);
                QVERIFY2(!name.isEmpty(), qPrintable(edit->objectName()));
                names.insert(name);
            }
            QCOMPARE(names.size(), edits.size());
        }
    }

    void mnemonicsAreNotHeard() {
        QCOMPARE(WithoutMnemonic(QStringLiteral("Save RK7 &Power Performance File &As...")),
                 QStringLiteral("Save RK7 Power Performance File As..."));
        QCOMPARE(WithoutMnemonic(QStringLiteral("Fish && &Chips&")),
                 QStringLiteral("Fish & Chips&"));
    }
};

} // namespace rk7

QTEST_MAIN(rk7::AccessibilityTest)
#include "accessibility_test.moc"
