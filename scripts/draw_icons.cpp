// Draws the program's button images and application icons into resources/icons.
// Build and run by hand when an image changes:
//   g++ -std=c++20 -fPIC scripts/draw_icons.cpp $(pkg-config --cflags --libs Qt6Gui) -o
//   /tmp/draw_icons QT_QPA_PLATFORM=offscreen /tmp/draw_icons resources/icons
#include <functional>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace {

using Draw = std::function<void(QPainter&)>;

// Draws in a w x h unit space at 1x and 2x; "name.png" and "name@2x.png".
void Save(const QString& folder, const QString& name, int w, int h, const Draw& draw) {
    for (int scale : {1, 2}) {
        QImage image(w * scale, h * scale, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        draw(p);
        p.end();
        image.save(QDir(folder).filePath(name + (scale == 2 ? "@2x.png" : ".png")));
    }
}

// The buttons stand on a navy bar: outlines are a mid grey that shows against navy and against
// the white and coloured faces they edge; faces are light or bright.
QPen Outline(qreal width = 1.0, QColor color = QColor(125, 125, 145)) {
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Page(QPainter& p, QRectF r) {
    QPainterPath path;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - 4, r.top());
    path.lineTo(r.right(), r.top() + 4);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.setPen(Outline(0.8));
    p.setBrush(Qt::white);
    p.drawPath(path);
    p.setPen(QPen(QColor(120, 120, 160), 0.8));
    for (qreal y = r.top() + 4; y < r.bottom() - 2; y += 2.5)
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 3, y));
}

void Drive(QPainter& p) {
    p.setPen(Outline(0.8));
    p.setBrush(QColor(170, 170, 170));
    p.drawRoundedRect(QRectF(1.5, 14.5, 17, 4.5), 1, 1);
    p.setBrush(QColor(0, 200, 0));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(14, 16, 2.5, 1.5));
}

void Arrow(QPainter& p, QPointF from, QPointF to, QColor color) {
    p.setPen(QPen(color, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF n(-d.y(), d.x());
    QPolygonF head{to + d * 1.5, to - d * 2.5 + n * 2.5, to - d * 2.5 - n * 2.5};
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPolygon(head);
}

void Car(QPainter& p, qreal x, qreal y) {
    p.setPen(Outline(0.8, QColor(255, 235, 235)));
    p.setBrush(QColor(245, 45, 45));
    QPainterPath body;
    body.moveTo(x, y + 3);
    body.lineTo(x + 3, y + 1.2);
    body.lineTo(x + 7, y + 1.2);
    body.lineTo(x + 8.5, y);
    body.lineTo(x + 10.5, y + 1.5);
    body.lineTo(x + 12, y + 3);
    body.lineTo(x + 12, y + 4.2);
    body.lineTo(x, y + 4.2);
    body.closeSubpath();
    p.drawPath(body);
    p.setPen(Outline(0.8, QColor(230, 230, 230)));
    p.setBrush(QColor(60, 60, 60));
    p.drawEllipse(QPointF(x + 2.5, y + 4.5), 1.7, 1.7);
    p.drawEllipse(QPointF(x + 9.5, y + 4.5), 1.7, 1.7);
}

void Columns(QPainter& p, int w, int h, QColor header) {
    const int cols = 3;
    const qreal cw = (w - 2.0) / cols;
    for (int c = 0; c < cols; ++c) {
        const qreal x = 1 + c * cw;
        p.setPen(Qt::NoPen);
        p.setBrush(header);
        p.drawRect(QRectF(x, 1, cw - 1, 3));
        for (int r = 0; 4 + 1 + r * 3 < h - 1; ++r) {
            p.setBrush(r % 2 ? QColor(200, 200, 200) : QColor(255, 255, 255));
            p.drawRect(QRectF(x, 5 + r * 3, cw - 1, 2.5));
        }
    }
}

void AppIcon(QPainter& p, int size) {
    const qreal s = size / 256.0;
    p.scale(s, s);
    QLinearGradient g(0, 0, 0, 256);
    g.setColorAt(0, QColor(16, 32, 120));
    g.setColorAt(1, QColor(4, 10, 60));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 40, 40);
    QPolygonF bolt{{150, 20}, {70, 140}, {122, 140}, {96, 236}, {190, 104}, {136, 104}, {170, 20}};
    p.setBrush(QColor(255, 210, 40));
    p.setPen(QPen(QColor(255, 255, 200), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolygon(bolt);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setBold(true);
    font.setPixelSize(64);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(8, 168, 240, 72), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("RK7 "));
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QString out =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("resources/icons");
    QDir().mkpath(out);

    Save(out, "open-exchange-file", 20, 20, [](QPainter& p) {
        Page(p, QRectF(6.5, 0.5, 10, 12));
        Drive(p);
        Arrow(p, {4, 15}, {4, 4}, QColor(70, 230, 70));
    });
    Save(out, "save-exchange-file", 20, 20, [](QPainter& p) {
        Page(p, QRectF(6.5, 0.5, 10, 12));
        Drive(p);
        Arrow(p, {4, 2}, {4, 12.5}, QColor(255, 100, 100));
    });
    Save(out, "open-native-file", 20, 20, [](QPainter& p) {
        p.setPen(Outline(0.8));
        p.setBrush(QColor(220, 170, 40));
        p.drawRect(QRectF(1.5, 7.5, 14, 10));
        p.setBrush(QColor(250, 215, 90));
        QPolygonF lid{{1.5, 17.5}, {5, 10.5}, {19, 10.5}, {15.5, 17.5}};
        p.drawPolygon(lid);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(130, 200, 255), 1.5, Qt::SolidLine, Qt::RoundCap));
        QPainterPath curve;
        curve.moveTo(8, 7);
        curve.quadTo(11, 0.5, 16, 3);
        p.drawPath(curve);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(130, 200, 255));
        p.drawPolygon(QPolygonF{{17.5, 4.5}, {14, 5.5}, {16, 1}});
    });
    Save(out, "save-native-file", 20, 20, [](QPainter& p) {
        // A light blue disk: a dark one vanishes into the bar.
        p.setPen(Outline(0.8, QColor(230, 235, 255)));
        p.setBrush(QColor(110, 150, 235));
        p.drawRoundedRect(QRectF(1.5, 1.5, 17, 17), 1.5, 1.5);
        p.setBrush(QColor(250, 250, 250));
        p.drawRect(QRectF(4.5, 1.5, 11, 7));
        p.setBrush(QColor(70, 75, 100));
        p.drawRect(QRectF(11.5, 2.5, 2.5, 5));
        p.setBrush(QColor(205, 205, 215));
        p.drawRect(QRectF(5.5, 12, 9, 6.5));
    });
    Save(out, "main-drivers", 20, 20, [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(70, 140, 255));
        p.drawRect(QRectF(0, 0, 20, 20));
        p.setPen(Outline(0.8));
        p.setBrush(Qt::white);
        QPainterPath helmet;
        helmet.moveTo(3, 15);
        helmet.cubicTo(2, 4, 16, 1, 17.5, 11);
        helmet.lineTo(17.5, 15);
        helmet.closeSubpath();
        p.drawPath(helmet);
        p.setBrush(QColor(30, 30, 60));
        p.drawRoundedRect(QRectF(9.5, 8.5, 8, 3.5), 1, 1);
        p.setPen(QPen(QColor(210, 20, 20), 1.2));
        p.drawLine(QPointF(4, 12.5), QPointF(16.5, 12.5));
    });
    Save(out, "edit-teams", 20, 20, [](QPainter& p) {
        Car(p, 1, 3);
        Car(p, 7, 12);
    });
    Save(out, "edit-powers", 20, 20, [](QPainter& p) {
        p.setPen(Outline(0.6));
        for (int c = 0; c < 2; ++c)
            for (int r = 0; r < 5; ++r) {
                p.setBrush(r == 0 ? QColor(0, 128, 128) : QColor(250, 250, 250));
                p.drawRect(QRectF(2.5 + c * 8, 1.5 + r * 3.5, 7, 3.5));
            }
    });
    Save(out, "print", 20, 20, [](QPainter& p) {
        p.setPen(Outline(0.8));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5.5, 1.5, 9, 7));
        p.setBrush(QColor(180, 180, 180));
        p.drawRoundedRect(QRectF(1.5, 7.5, 17, 7), 1, 1);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5.5, 12.5, 9, 6));
        p.setPen(QPen(QColor(100, 100, 100), 0.7));
        p.drawLine(QPointF(7, 15), QPointF(13, 15));
        p.drawLine(QPointF(7, 17), QPointF(12, 17));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 200, 0));
        p.drawRect(QRectF(15, 9, 2, 1.5));
    });
    Save(out, "print-preview", 20, 20, [](QPainter& p) {
        Page(p, QRectF(1.5, 3.5, 8, 13));
        Page(p, QRectF(10.5, 3.5, 8, 13));
    });
    Save(out, "view-all", 19, 17, [](QPainter& p) { Columns(p, 19, 17, QColor(0, 128, 128)); });
    Save(out, "view-teams", 19, 17, [](QPainter& p) { Columns(p, 19, 17, QColor(245, 80, 80)); });
    Save(out, "view-drivers", 19, 17, [](QPainter& p) { Columns(p, 19, 17, QColor(100, 150, 255)); });
    Save(out, "view-chart", 19, 17, [](QPainter& p) {
        // A white panel with qualifying (blue) and race (orange) bars, as the chart draws them.
        p.setPen(Outline(0.8));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 1.5, 16, 14));
        p.setPen(Qt::NoPen);
        const qreal lengths[] = {12, 10, 8, 9, 5, 6};
        for (int i = 0; i < 6; ++i) {
            p.setBrush(i % 2 ? QColor(224, 123, 34) : QColor(58, 111, 176));
            p.drawRect(QRectF(3, 3 + i * 2 + (i / 2), lengths[i], 2));
        }
    });
    for (int size : {48, 128, 256}) {
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        AppIcon(p, size);
        p.end();
        image.save(QDir(out).filePath(QStringLiteral("app-%1.png").arg(size)));
    }
    return 0;
}
