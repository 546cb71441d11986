#include "model/roster.h"
#include "painter/table_painter.h"
#include "views/roster_view.h"
#include "views/view_snapshot.h"

#include <QPainter>
#include <QTest>

namespace rk7 {

namespace {

// A roster whose texts and numbers differ from row to row, so that a strip drawn in the wrong
// place shows.
Roster VariedRoster() {
    Roster r;
    for (int i = 0; i < TeamCount; ++i)
        r.TeamName[i].SetText("Team " + std::to_string(i * 7 % 13));
    for (int i = 0; i < DriverCount; ++i)
        r.DriverName[i].SetText("Driver No. " + std::to_string(i * 5 % 29));
    return r;
}

QImage Painted(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class ViewSnapshotTest : public QObject {
    Q_OBJECT

private slots:
    // A start frame kept in bytes and read back draws the very pixels painting gives, at a size
    // whose last strip is short too; the view shows it only for the same roster and size.
    void keptFrameDrawsWhatPaintingDraws() {
        const Roster roster = VariedRoster();
        for (const QSize size : {QSize(1024, 700), QSize(1281, 957)}) {
            RosterView painted(roster);
            painted.resize(size);
            const QImage expected = Painted(painted);
            const std::optional<ViewSnapshot> frame = painted.startFrame();
            QVERIFY(frame);
            const std::optional<ViewSnapshot> read = ViewSnapshot::FromBytes(frame->bytes());
            QVERIFY(read);

            RosterView kept(roster);
            kept.resize(size);
            kept.useKeptFrame(*read);
            QCOMPARE(Painted(kept), expected);
            QVERIFY(kept.keptFrameShown());
        }

        RosterView painted(roster);
        painted.resize(800, 600);
        const ViewSnapshot frame = *painted.startFrame();
        // Another roster, or another size, paints itself.
        Roster changed = roster;
        changed.DriverName[27].SetText("Someone Else");
        RosterView other(changed);
        other.resize(800, 600);
        other.useKeptFrame(frame);
        const QImage otherPainted = Painted(other);
        QVERIFY(!other.keptFrameShown());
        RosterView reference(changed);
        reference.resize(800, 600);
        QCOMPARE(otherPainted, Painted(reference));
        RosterView resized(roster);
        resized.resize(801, 600);
        resized.useKeptFrame(frame);
        Painted(resized);
        QVERIFY(!resized.keptFrameShown());
    }

    // On a screen of twice the pixels the strips hold device rows and still land where painting
    // puts them.
    void doubleDensityStrips() {
        const Roster roster = VariedRoster();
        const QSize size(700, 300);
        const auto paint = [&](QPainter& p) {
            p.fillRect(QRect(QPoint(), size), Qt::lightGray);
            PaintViews(p, QRect(QPoint(), size), roster, ViewFlags{}, false);
        };
        QImage expected(size * 2, QImage::Format_RGB32);
        expected.setDevicePixelRatio(2);
        {
            QPainter p(&expected);
            paint(p);
        }
        const ViewSnapshot frame = ViewSnapshot::Take("key", size, 2, paint);
        QImage drawn(size * 2, QImage::Format_RGB32);
        drawn.setDevicePixelRatio(2);
        drawn.fill(Qt::red);
        {
            QPainter p(&drawn);
            QVERIFY(frame.draw(p));
        }
        QCOMPARE(drawn, expected);
    }

    // A damaged file is refused when its numbers do not add up, and never makes the view read or
    // write outside its buffers (the address sanitizer watches); a strip that does not
    // decompress leaves the view painting itself.
    void damagedBytes() {
        const Roster roster = VariedRoster();
        RosterView painted(roster);
        painted.resize(640, 400);
        const QImage expected = Painted(painted);
        const QByteArray bytes = painted.startFrame()->bytes();

        for (qsizetype n = 0; n < bytes.size(); ++n)
            QVERIFY2(!ViewSnapshot::FromBytes(bytes.left(n)), qPrintable(QString::number(n)));
        QVERIFY(!ViewSnapshot::FromBytes(bytes + 'x'));

        int refused = 0, drawn = 0;
        for (qsizetype at = 0; at < bytes.size(); at += 7) {
            QByteArray damaged = bytes;
            damaged[at] = char(damaged[at] ^ 0x5a);
            const std::optional<ViewSnapshot> read = ViewSnapshot::FromBytes(damaged);
            if (!read) {
                ++refused;
                continue;
            }
            RosterView view(roster);
            view.resize(640, 400);
            view.useKeptFrame(*read);
            const QImage shown = Painted(view);
            if (!view.keptFrameShown())
                QCOMPARE(shown, expected);
            else
                ++drawn;
        }
        // Both outcomes occur: the numbers are checked, and the strips' bytes are not.
        QVERIFY(refused > 0);
        QVERIFY(drawn > 0);
    }
};

} // namespace rk7

QTEST_MAIN(rk7::ViewSnapshotTest)
#include "view_snapshot_test.moc"
