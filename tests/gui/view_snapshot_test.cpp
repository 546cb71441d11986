#include "model/roster.h"
#include "painter/table_painter.h"
#include "views/roster_view.h"
#include "views/view_snapshot.h"

#include <QPainter>
#include <QTest>

namespace rk7 {

namespace {

// A roster whose names differ from row to row, so that a strip drawn in the wrong place
// shows.
Roster VariedRoster() {
    Roster r;
    for (int i = 0; i < TeamCount; ++i)
        r.TeamName[i].SetText("Team " + std::to_string(i * 7 % 13));
    for (int i = 0; i < DriverCount; ++i)
        r.DriverName[i].SetText("Driver No. " + std::to_string(i * 5 % 29));
    return r;
}

// The first paint of a view of roster at size, offered frame: its pixels, and whether it drew
// the frame.
std::pair<QImage, bool> FirstPaint(const Roster& roster, QSize size,
                                   const std::optional<ViewSnapshot>& frame = std::nullopt) {
    RosterView view(roster);
    view.resize(size);
    if (frame)
        view.useKeptFrame(*frame);
    const QImage painted = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    return {painted, view.keptFrameShown()};
}

// The start frame of a view of roster at size, as a later start reads it.
std::optional<ViewSnapshot> KeptFrame(const Roster& roster, QSize size) {
    RosterView view(roster);
    view.resize(size);
    return ViewSnapshot::FromBytes(view.startFrame()->bytes());
}

} // namespace

class ViewSnapshotTest : public QObject {
    Q_OBJECT

private slots:
    // A start frame kept in bytes and read back draws the very pixels painting gives, at a size
    // whose last strip is short too; another roster, or another size, paints itself.
    void keptFrameDrawsWhatPaintingDraws() {
        const Roster roster = VariedRoster();
        for (const QSize size : {QSize(1024, 700), QSize(1281, 957)}) {
            const std::optional<ViewSnapshot> frame = KeptFrame(roster, size);
            QVERIFY(frame);
            const auto [drawn, shown] = FirstPaint(roster, size, frame);
            QVERIFY(shown);
            QCOMPARE(drawn, FirstPaint(roster, size).first);
        }
        const std::optional<ViewSnapshot> frame = KeptFrame(roster, QSize(800, 600));
        Roster changed = roster;
        changed.DriverName[27].SetText("Someone Else");
        QCOMPARE(FirstPaint(changed, QSize(800, 600), frame),
                 std::pair(FirstPaint(changed, QSize(800, 600)).first, false));
        QVERIFY(!FirstPaint(roster, QSize(801, 600), frame).second);
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
        const QSize size(640, 400);
        const QByteArray bytes = KeptFrame(roster, size)->bytes();
        const QImage expected = FirstPaint(roster, size).first;

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
            const auto [painted, shown] = FirstPaint(roster, size, read);
            if (shown)
                ++drawn;
            else
                QCOMPARE(painted, expected);
        }
        // Both occur: the numbers are checked, the strips' bytes are not.
        QVERIFY(refused > 0);
        QVERIFY(drawn > 0);
    }
};

} // namespace rk7

QTEST_MAIN(rk7::ViewSnapshotTest)
#include "view_snapshot_test.moc"
