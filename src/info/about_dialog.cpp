#include "info/about_dialog.h"

#include "version.h"

#include <algorithm>

#include <QCoreApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadialGradient>

namespace rk7 {

namespace {

// The picture is laid out on a 432 x 267 canvas and scaled to the button.
constexpr QSizeF Canvas(432, 267);

const QString Title = QStringLiteral("RK7 Power");
// The lines under the name, in the user's language: made when the picture is painted, after the
// translations are installed.
QString Description() {
    return QCoreApplication::translate("rk7::AboutDialog",
                                       "The performance creator for RK7 and the RK7edit editor");
}
QString Version() {
    return QCoreApplication::translate("rk7::AboutDialog", "Version %1")
        .arg(QLatin1String(RK7_VERSION));
}
QString Credit() {
    return QCoreApplication::translate("rk7::AboutDialog",
                                       "© The RK7 Power team · License GPL-3.0-or-later");
}
QString Thanks() {
    return QCoreApplication::translate("rk7::AboutDialog",
                                       "Made by players, for every RK7 league still racing");
}

QFont PictureFont(qreal pixels, bool bold, bool italic = false) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, qRound(pixels)));
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

// A lightning bolt whose top is at top and that is h high; w wide.
QPolygonF Bolt(QPointF top, qreal w, qreal h) {
    const qreal x = top.x(), y = top.y();
    return QPolygonF{
        {x + 0.55 * w, y},     {x, y + 0.56 * h},     {x + 0.42 * w, y + 0.56 * h},
        {x + 0.22 * w, y + h}, {x + w, y + 0.40 * h}, {x + 0.58 * w, y + 0.40 * h},
        {x + 0.85 * w, y},
    };
}

void DrawBolt(QPainter& p, const QPolygonF& bolt) {
    p.setPen(QPen(QColor(255, 250, 200), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QLinearGradient fill(bolt.boundingRect().topLeft(), bolt.boundingRect().bottomRight());
    fill.setColorAt(0, QColor(255, 235, 90));
    fill.setColorAt(1, QColor(255, 170, 0));
    p.setBrush(fill);
    p.drawPolygon(bolt);
}

// A jagged spark from a to b: a line that zigzags about it.
QPolygonF Spark(QPointF a, QPointF b, int kinks, qreal amplitude) {
    QPolygonF line{a};
    for (int i = 1; i < kinks; ++i) {
        const QPointF at = a + (b - a) * (qreal(i) / kinks);
        line << at + QPointF(0, (i % 2 ? -amplitude : amplitude) * (i % 3 ? 1.0 : 0.5));
    }
    line << b;
    return line;
}

void DrawCentred(QPainter& p, const QString& text, const QFont& font, qreal baseline,
                 const QColor& color) {
    p.setFont(font);
    p.setPen(color);
    const qreal w = QFontMetricsF(font).horizontalAdvance(text);
    p.drawText(QPointF((Canvas.width() - w) / 2, baseline), text);
}

void PaintPicture(QPainter& p, QSizeF size) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // Night-blue ground over the whole button, brightest behind the name.
    QLinearGradient ground(0, 0, 0, size.height());
    ground.setColorAt(0, QColor(10, 24, 110));
    ground.setColorAt(1, QColor(2, 6, 48));
    p.fillRect(QRectF(QPointF(0, 0), size), ground);
    QRadialGradient glow(QPointF(size.width() / 2, size.height() * 0.28), size.width() * 0.45);
    glow.setColorAt(0, QColor(60, 110, 255, 110));
    glow.setColorAt(1, QColor(60, 110, 255, 0));
    p.fillRect(QRectF(QPointF(0, 0), size), glow);

    // The canvas, scaled alike in both directions and centred.
    const qreal scale = std::min(size.width() / Canvas.width(), size.height() / Canvas.height());
    p.translate((size.width() - Canvas.width() * scale) / 2,
                (size.height() - Canvas.height() * scale) / 2);
    p.scale(scale, scale);

    // Speed streaks behind everything.
    p.setPen(QPen(QColor(90, 140, 255, 60), 3, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 7; ++i) {
        const qreal y = 18 + i * 37;
        p.drawLine(QPointF(8 + (i % 3) * 24, y), QPointF(150 + (i % 4) * 50, y - 10));
    }

    // The name, outlined, with a bolt either side.
    const QFont titleFont = PictureFont(54, true, true);
    QPainterPath name;
    const qreal titleWidth = QFontMetricsF(titleFont).horizontalAdvance(Title);
    name.addText(QPointF((Canvas.width() - titleWidth) / 2, 90), titleFont, Title);
    p.setPen(QPen(QColor(0, 0, 30), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(name);
    QLinearGradient letters(0, 40, 0, 95);
    letters.setColorAt(0, Qt::white);
    letters.setColorAt(1, QColor(255, 225, 110));
    p.setPen(Qt::NoPen);
    p.setBrush(letters);
    p.drawPath(name);

    DrawBolt(p, Bolt({14, 22}, 44, 92));
    DrawBolt(p, Bolt({374, 22}, 44, 92));

    // A spark under the name, with a soft glow.
    const QPolygonF spark = Spark({40, 118}, {392, 118}, 14, 7);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 210, 40, 70), 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(spark);
    p.setPen(QPen(QColor(255, 240, 160), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(spark);

    DrawCentred(p, Description(), PictureFont(14, false), 156, QColor(200, 220, 255));
    DrawCentred(p, Version(), PictureFont(22, true), 190, QColor(255, 215, 60));
    DrawCentred(p, Credit(), PictureFont(13, true), 228, Qt::white);
    DrawCentred(p, Thanks(), PictureFont(12, false, true), 248, QColor(170, 190, 235));
}

} // namespace

QStringList AboutDialog::titleLines() {
    return {Title, Description(), Version(), Credit(), Thanks()};
}

QImage AboutDialog::titlePicture(QSize size, qreal devicePixelRatio) {
    QImage image((QSizeF(size) * devicePixelRatio).toSize(), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.setDevicePixelRatio(devicePixelRatio);
    QPainter p(&image);
    PaintPicture(p, QSizeF(size));
    return image;
}

AboutDialog::AboutDialog(QWidget* parent)
    : FormDialog(parent, tr("About RK7 Power"), QSize(301, 200)) {
    setObjectName(QStringLiteral("aboutDialog"));

    // The picture is a button that no command answers: pressing it does nothing. It takes no
    // focus, so that Enter always reaches Close.
    m_picture = addButton(QStringLiteral("picture"), QString(), units(6, 9, 288, 164));
    m_picture->setFocusPolicy(Qt::NoFocus);
    m_picture->setFlat(true);
    m_picture->setStyleSheet(QStringLiteral("QPushButton { border: none; padding: 0px; }"));
    const QSize pictureSize = m_picture->size();
    m_picture->setIcon(QPixmap::fromImage(titlePicture(pictureSize, devicePixelRatioF())));
    m_picture->setIconSize(pictureSize);
    m_picture->setAccessibleName(Title + QLatin1Char(' ') + QStringLiteral(RK7_VERSION));
    m_picture->setAccessibleDescription(titleLines().join(QLatin1Char('\n')));

    QPushButton* close = addButton(QStringLiteral("close"), tr("Close"), units(128, 182, 37, 13));
    close->setDefault(true);
    close->setFocus();
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    addFrame(QStringLiteral("pictureFrame"), units(0, 1, 302, 178));
    addFrame(QStringLiteral("buttonFrame"), units(0, 180, 302, 20));
}

} // namespace rk7
