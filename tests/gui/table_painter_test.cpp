#include "painter/table_painter.h"

#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

namespace rk7 {

class TablePainterTest : public QObject {
    Q_OBJECT

    static QImage Render(const Roster& roster, ViewFlags views, bool printing,
                         QSize size = {1024, 768}) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(QColor(1, 2, 3)); // anything the painter does not touch stays this colour
        QPainter painter(&image);
        PaintViews(painter, image.rect(), roster, views, printing);
        return image;
    }
    static QRgb At(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xff000000; }

    // The right-most pixel in [x0, x1) of rows [y0, y1) that differs from the cell face.
    static int RightmostInk(const QImage& image, int x0, int x1, int y0, int y1, QRgb face) {
        int found = -1;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (At(image, x, y) != face)
                    found = std::max(found, x);
        return found;
    }
    static int LeftmostInk(const QImage& image, int x0, int x1, int y0, int y1, QRgb face) {
        int found = INT_MAX;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (At(image, x, y) != face)
                    found = std::min(found, x);
        return found;
    }

private slots:
    // The fonts are fitted through one engine of each face; the fit must be the one that measuring
    // the face through QFonts of each size gives, and must fit the cells.
    void fontsFitTheCells() {
        const ViewFonts& fonts = TableFonts();
        for (const bool bold : {true, false}) {
            const QFont& font = bold ? fonts.header : fonts.body;
            QCOMPARE(font.weight(), bold ? QFont::Bold : QFont::Normal);

            QFont measured(font.family());
            measured.setStyleHint(QFont::SansSerif);
            measured.setWeight(font.weight());
            measured.setPixelSize(16);
            const QFontMetricsF at16(measured);
            const int pixelSize = std::max(8, int(16 * 16 / (at16.ascent() + at16.descent())));
            QCOMPARE(font.pixelSize(), pixelSize);
            measured.setPixelSize(pixelSize);
            const qreal average = QFontMetricsF(measured).averageCharWidth();
            QVERIFY(average > 0);
            const int wanted = bold ? 6 : 7;
            QCOMPARE(font.stretch(), std::clamp(int(100 * wanted / average + 0.5), 50, 150));

            const QFontMetricsF fitted(font);
            QVERIFY2(fitted.ascent() + fitted.descent() <= 16.5, qPrintable(font.toString()));
            QVERIFY2(std::abs(fitted.averageCharWidth() - wanted) < 0.75,
                     qPrintable(QString::number(fitted.averageCharWidth())));
        }
    }

    void headerCellsAndTealBoxes() {
        using namespace viewcolors;
        const QImage image = Render(Roster(), ViewFlags{}, false);
        // Column "Driver Names" runs from 24 to 174.
        QCOMPARE(At(image, 24, 0), Black); // outline
        QCOMPARE(At(image, 100, 0), Black);
        QCOMPARE(At(image, 25, 1), White); // highlight, left and top
        QCOMPARE(At(image, 100, 1), White);
        QCOMPARE(At(image, 26, 2), LightGray); // face
        QCOMPARE(At(image, 28, 3), Teal);      // teal box from left + 4 ...
        QCOMPARE(At(image, 169, 20), Teal);    // ... to right - 5, rows 3 to 20
        QCOMPARE(At(image, 170, 10), LightGray);
        QCOMPARE(At(image, 100, 21), LightGray);
        QCOMPARE(At(image, 173, 10), DarkGray); // shadow, right and bottom
        QCOMPARE(At(image, 100, 23), DarkGray);
        QCOMPARE(At(image, 174, 10), Black); // the next column's outline
        QCOMPARE(At(image, 100, 24), Black); // header bottom = body top
        // The last column, "Range", reaches R-1; its teal box ends at R-5.
        QCOMPARE(At(image, 1023, 10), Black);
        QCOMPARE(At(image, 1022, 10), DarkGray);
        QCOMPARE(At(image, 1019, 10), Teal);
        QCOMPARE(At(image, 1020, 10), LightGray);
        // The caption is white on teal.
        bool white = false;
        for (int x = 29; x < 120 && !white; ++x)
            for (int y = 5; y < 20 && !white; ++y)
                white = At(image, x, y) == White;
        QVERIFY(white);
    }

    void bodyCellsEndAboveTheBottom() {
        using namespace viewcolors;
        const QImage image = Render(Roster(), ViewFlags{}, false);
        QCOMPARE(At(image, 100, 767), Black); // bottom outline at B-1
        QCOMPARE(At(image, 100, 766), DarkGray);
        QCOMPARE(At(image, 100, 600), LightGray); // no lines between rows
        QCOMPARE(At(image, 1023, 600), Black);
        const QImage paper = Render(Roster(), ViewFlags{}, true);
        QCOMPARE(At(paper, 100, 600), White); // white faces on paper
        QCOMPARE(At(paper, 26, 2), White);
        QCOMPARE(At(paper, 28, 3), Teal); // the header boxes stay teal
    }

    void numbersAlignRightAndNamesLeft() {
        using namespace viewcolors;
        Roster roster;
        roster.DriverRacePower[0].SetText("88888"); // "D R Power": 606 to 684
        roster.CarNumber[0].SetText("77");
        const QImage image = Render(roster, ViewFlags{}, false);
        const int right = RightmostInk(image, 608, 682, 29, 44, LightGray);
        QVERIFY2(right <= 679 && right >= 675, qPrintable(QString::number(right)));
        const int left = LeftmostInk(image, 2, 22, 29, 44, LightGray);
        QVERIFY2(left >= 3 && left <= 5, qPrintable(QString::number(left)));
        // Row 2 (driver 1) is 15 pixels lower and empty here.
        QCOMPARE(RightmostInk(image, 608, 682, 44, 58, LightGray), -1);
    }

    void teamValuesShowOnBothDriverRows() {
        using namespace viewcolors;
        Roster roster;
        roster.TeamFailure[1].SetText("12800"); // drivers 2 and 3; "Failure" runs 684 to 749
        const QImage image = Render(roster, ViewFlags{}, false);
        QCOMPARE(RightmostInk(image, 686, 747, 29, 59, LightGray), -1);  // rows 0, 1
        QVERIFY(RightmostInk(image, 686, 747, 59, 74, LightGray) > 700); // row 2
        QVERIFY(RightmostInk(image, 686, 747, 74, 89, LightGray) > 700); // row 3
        QCOMPARE(RightmostInk(image, 686, 747, 89, 104, LightGray), -1); // row 4
    }

    void otherViewsAndNoView() {
        using namespace viewcolors;
        const QImage teams = Render(Roster(), ViewFlags{false, true, false}, false);
        QCOMPARE(At(teams, 432, 10), Black); // the filler column starts at 432
        QCOMPARE(At(teams, 500, 10), Teal);  // with an empty teal box
        QCOMPARE(At(teams, 100, 10), Black); // "Engine" column edge
        const QImage drivers = Render(Roster(), ViewFlags{false, false, true}, false);
        QCOMPARE(At(drivers, 420, 10), Black);
        QCOMPARE(At(drivers, 338, 10), Black);
        const QImage none = Render(Roster(), ViewFlags{false, false, false}, false);
        QCOMPARE(At(none, 500, 300), qRgb(1, 2, 3));
    }

    // A fit kept between runs comes back as the same fonts, and anything else in its place (an
    // older Qt's, a damaged file) is no fit at all, so that the program fits the fonts anew.
    void keptFitReadsBackOrNotAtAll() {
        QTemporaryDir dir;
        const std::string path =
            QFile::encodeName(dir.filePath("cache/rk7power/table-fonts")).toStdString();
        QVERIFY(!ReadTableFonts(path));
        const ViewFonts fit = FitTableFonts();
        QVERIFY(WriteTableFonts(path, fit).IsOk());
        const std::optional<ViewFonts> kept = ReadTableFonts(path);
        QVERIFY(kept);
        QVERIFY(*kept == fit);
        // Spaces in a family's name are part of it.
        ViewFonts spaced = fit;
        spaced.header.setFamily(QStringLiteral("DejaVu Sans Mono"));
        QVERIFY(WriteTableFonts(path, spaced).IsOk());
        QCOMPARE(ReadTableFonts(path).value_or(fit).header.family(),
                 QStringLiteral("DejaVu Sans Mono"));

        QFile file(QFile::decodeName(path.c_str()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArrayList good = file.readAll().split('\n');
        file.close();
        QCOMPARE(good.size(), 5);
        const auto damaged = [&](int line, const QByteArray& text) {
            QByteArrayList lines = good;
            lines[line] = text;
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
                return false;
            file.write(lines.join('\n'));
            file.close();
            return !ReadTableFonts(path);
        };
        QVERIFY(damaged(0, "rk7power"));
        QVERIFY(damaged(1, "Qt 5.15.8"));
        QVERIFY(damaged(2, "x 70 Liberation Sans"));
        QVERIFY(damaged(2, "0 70 Liberation Sans"));
        QVERIFY(damaged(3, "14 85"));
        QVERIFY(damaged(3, "14 85  "));
        QVERIFY(damaged(4, "14 85 Liberation Sans"));

        // Where no folder can be made, the failure names it.
        QFile blocker(dir.filePath("blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const Status refused = WriteTableFonts(
            QFile::encodeName(dir.filePath("blocker/rk7power/table-fonts")).toStdString(), fit);
        QVERIFY(!refused.IsOk());
        QVERIFY2(refused.Error().find("blocker/rk7power") != std::string::npos,
                 refused.Error().c_str());
    }

    void narrowClientStillDrawsTheLastColumnFromItsEdge() {
        using namespace viewcolors;
        const QImage image = Render(Roster(), ViewFlags{}, false, {400, 300});
        QCOMPARE(At(image, 399, 100), Black); // body cells reach R-1 ...
        QCOMPARE(At(image, 100, 299), Black); // ... and B-1
        QCOMPARE(At(image, 360, 10), Black);  // fixed edges are not rescaled
    }
};

} // namespace rk7

QTEST_MAIN(rk7::TablePainterTest)
#include "table_painter_test.moc"
