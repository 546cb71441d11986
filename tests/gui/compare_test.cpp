// The pieces that show what a change or an import changes: the highlight of changed cells, the
// compare dialog, and a view copied for a spreadsheet.
#include "dialogs/compare_dialog.h"
#include "model/roster_diff.h"
#include "painter/cell_text.h"
#include "views/roster_view.h"
#include "views/view_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

namespace rk7 {

namespace {

using viewcolors::Highlight;
using viewcolors::LightGray;

QImage Paper(const RosterView& view) {
    QImage image(view.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    view.paintInto(painter, image.rect(), true);
    return image;
}

// A pixel of body row `row` at x, half-way down the row; and the pixels of rect that are not face.
QRgb Probe(const QImage& image, int x, int row) {
    return image.pixel(x, viewgeometry::TextTop + viewgeometry::RowPitch * row + 6) | 0xff000000;
}
int Ink(const QImage& image, const QRect& rect, QRgb face) {
    int ink = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            ink += (image.pixel(x, y) | 0xff000000) != face;
    return ink;
}

QStringList ColumnTexts(const QTableWidget& table, int column) {
    QStringList texts;
    for (int row = 0; row < table.rowCount(); ++row)
        texts << table.item(row, column)->text();
    return texts;
}

} // namespace

class CompareTest : public QObject {
    Q_OBJECT

private slots:
    // A team's cell changed: View All marks it on both its drivers' rows, View Teams on the
    // team's row; the text stays on top of the mark, and paper never shows it.
    void highlightMarksChangedCellsOnScreenOnly() {
        const Roster before;
        Roster roster = before;
        roster.TeamRacePower[3].SetText("55");
        roster.DriverName[0].SetText("Ayrton");
        RosterView view(roster);
        view.resize(1024, 768);
        const QImage plain = view.grab().toImage();
        const QImage paper = Paper(view);
        view.setHighlight(ChangedCells(before, roster));
        const QImage marked = view.grab().toImage();

        // View All: "T R Power" from 442 (figures to the right), "T Q Power" from 360,
        // "Driver Names" from 24 to 174 (names to the left).
        for (int row : {6, 7}) {
            QCOMPARE(Probe(marked, 444, row), Highlight);
            QCOMPARE(Probe(marked, 362, row), LightGray);
        }
        QCOMPARE(Probe(marked, 444, 5), LightGray);
        QCOMPARE(Probe(marked, 444, 8), LightGray);
        QCOMPARE(Probe(marked, 171, 0), Highlight);
        QCOMPARE(Probe(marked, 171, 1), LightGray);
        // "55" lies on the mark on the same pixels as on grey.
        const QRect cell(444, viewgeometry::TextTop + viewgeometry::RowPitch * 6 - 1, 78, 15);
        QVERIFY(Ink(plain, cell, LightGray) > 10);
        QCOMPARE(Ink(marked, cell, Highlight), Ink(plain, cell, LightGray));
        QCOMPARE(Paper(view), paper);

        view.toggleView(View::Teams); // "T R Power" from 268
        const QImage teams = view.grab().toImage();
        QCOMPARE(Probe(teams, 270, 3), Highlight);
        QCOMPARE(Probe(teams, 270, 6), LightGray);
        view.clearHighlight();
        QCOMPARE(Probe(view.grab().toImage(), 270, 3), LightGray);
    }

    void compareDialogListsSortsAndImports() {
        const Roster now;
        Roster file = now;
        file.TeamRacePower[10].SetText("9");
        file.TeamRacePower[2].SetText("100");
        file.EngineName[2].SetText("Caf\xe9");
        file.DriverRange[1].SetText("10");
        CompareDialog dialog(DiffRosters(now, file), {{3, "TeamName of 40 characters cut to 31"}},
                             QStringLiteral("season.txt"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Compare with season.txt"));
        QCOMPARE(dialog.findChild<QLabel*>("countLabel")->text(), QStringLiteral("4 cells differ"));
        auto* table = dialog.findChild<QTableWidget*>("compareTable");
        // In the list's order: team 10 after team 2.
        const QString team2 = "team 2 (" + CellToQString(now.TeamName[2].Text()) + ')';
        const QStringList rows = {team2, team2,
                                  "team 10 (" + CellToQString(now.TeamName[10].Text()) + ')',
                                  "driver 1 (" + CellToQString(now.DriverName[1].Text()) + ')'};
        const QStringList fields = {"EngineName", "TeamRacePower", "TeamRacePower", "DriverRange"};
        QCOMPARE(ColumnTexts(*table, 0), rows);
        QCOMPARE(ColumnTexts(*table, 1), fields);
        // By the file's texts, as the header's click sorts: figures by value, then words.
        table->horizontalHeader()->setSortIndicator(3, Qt::AscendingOrder);
        QCOMPARE(ColumnTexts(*table, 3), (QStringList{"9", "10", "100", "Caf\u00e9"}));
        table->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
        QCOMPARE(ColumnTexts(*table, 1), fields);
        QCOMPARE(dialog.findChild<QListWidget*>("diagnosticsList")->item(0)->text(),
                 QStringLiteral("Line 3: TeamName of 40 characters cut to 31"));
        dialog.show();
        QTest::mouseClick(dialog.findChild<QPushButton*>("importButton"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        CompareDialog same({}, {}, QStringLiteral("roster.txt"));
        QCOMPARE(same.findChild<QLabel*>("countLabel")->text(), QStringLiteral("No cells differ"));
        QVERIFY(!same.findChild<QPushButton*>("importButton")->isEnabled());
        QCOMPARE(same.findChild<QListWidget*>("diagnosticsList")->item(0)->text(),
                 QStringLiteral("No diagnostics"));
    }

    // Ctrl+C copies the selected rows as a spreadsheet pastes them: in the order sorted, every
    // column, a tab inside a text quoted. Figures stand to the right, words to the left.
    void compareDialogCopiesSelectedRows() {
        const Roster now;
        Roster file = now;
        file.TeamRacePower[2].SetText("100");
        file.TeamRacePower[10].SetText("9");
        file.EngineName[2].SetText("\"V10\"\tturbo");
        CompareDialog dialog(DiffRosters(now, file), {}, QStringLiteral("season.txt"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* table = dialog.findChild<QTableWidget*>("compareTable");
        // By the file's texts, last first: the engine, then 100, then 9.
        table->horizontalHeader()->setSortIndicator(3, Qt::DescendingOrder);
        QCOMPARE(ColumnTexts(*table, 3).mid(1), (QStringList{"100", "9"}));
        auto click = [&](int row, Qt::KeyboardModifiers keys) {
            const QRect cell = table->visualRect(table->model()->index(row, 1));
            QTest::mouseClick(table->viewport(), Qt::LeftButton, keys, cell.center());
        };
        click(0, Qt::NoModifier);
        click(2, Qt::ControlModifier);
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
        const QString team2 = "team 2 (" + CellToQString(now.TeamName[2].Text()) + ')';
        const QString team10 = "team 10 (" + CellToQString(now.TeamName[10].Text()) + ')';
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 team2 + "\tEngineName\t" + CellToQString(now.EngineName[2].Text()) +
                     "\t\"\"\"V10\"\"\tturbo\"\n" + team10 + "\tTeamRacePower\t\t9\n");

        const auto alignment = [&](int row) {
            return table->item(row, 3)->textAlignment();
        };
        QVERIFY(alignment(1) & Qt::AlignRight);
        QVERIFY(alignment(2) & Qt::AlignRight);
        QVERIFY(!(alignment(0) & Qt::AlignRight));
    }

    // The table takes the height; the diagnostics only the lines they fill, wrapped to the width,
    // and a few lines at most, the rest scrolled.
    void compareDialogGivesTheTableTheHeight() {
        Roster file;
        file.TeamRacePower[2].SetText("100");
        std::string note;
        for (int word = 0; word < 16; ++word)
            note += "long words ";
        std::vector<Diagnostic> many;
        for (int line = 1; line <= 30; ++line)
            many.push_back({line, "team name of 40 characters cut to 31"});
        CompareDialog one(DiffRosters(Roster(), file), {{3, "cut to " + note}},
                          QStringLiteral("one.txt"));
        CompareDialog thirty(DiffRosters(Roster(), file), many, QStringLiteral("thirty.txt"));
        for (CompareDialog* dialog : {&one, &thirty}) {
            dialog->resize(600, 400);
            dialog->show();
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
        }
        auto* table = one.findChild<QTableWidget*>("compareTable");
        auto* list = one.findChild<QListWidget*>("diagnosticsList");
        const int line = list->sizeHintForRow(0); // one unwrapped line
        const QRect wrapped = list->visualItemRect(list->item(0));
        QVERIFY2(wrapped.height() >= 2 * line, qPrintable(QString::number(wrapped.height())));
        QVERIFY(wrapped.height() <= list->viewport()->height()); // shown whole
        QVERIFY(list->height() < 5 * line);

        const int tableHeight = table->height();
        const int listHeight = list->height();
        one.resize(600, 700);
        QTRY_COMPARE(table->height(), tableHeight + 300);
        QCOMPARE(list->height(), listHeight);

        auto* many30 = thirty.findChild<QListWidget*>("diagnosticsList");
        QVERIFY(many30->height() < 6 * line);
        QVERIFY(many30->verticalScrollBar()->isVisible());
        QVERIFY(thirty.findChild<QTableWidget*>("compareTable")->height() > 4 * many30->height());
    }

    // Tab-separated captions, then one line per row as the cells hold them; and an HTML table.
    void viewMimeDataPastesAsColumns() {
        Roster roster;
        roster.TeamRacePower[3].SetText("55");
        roster.EngineName[3].SetText("Caf\xe9");
        const std::unique_ptr<QMimeData> data = ViewMimeData(roster, View::Teams);
        const QStringList lines = data->text().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1 + TeamCount);
        QCOMPARE(lines[0], QStringLiteral("Team Names\tEngine\tT Q Power\tT R Power\tFailure"));
        const QStringList team3 = lines[4].split('\t');
        QCOMPARE(team3.mid(0, 2), (QStringList{"Benetton", "Caf\u00e9"}));
        QCOMPARE(team3.value(3), QStringLiteral("55"));
        QVERIFY(data->html().contains(QStringLiteral("<table>")));
        QVERIFY(data->html().contains(QStringLiteral("<td>Caf\u00e9</td>")));

        // View All: a line per driver, the team's cells on both of its drivers'.
        const QStringList all =
            ViewMimeData(roster, View::All)->text().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(all.size(), 1 + DriverCount);
        QVERIFY(all[7].split('\t').contains("55") && all[8].split('\t').contains("55"));
        QVERIFY(!all[9].split('\t').contains("55"));
    }
};

} // namespace rk7

QTEST_MAIN(rk7::CompareTest)
#include "compare_test.moc"
