#include "widgets/app_icon.h"

#include <utility>

#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>

namespace rk7 {

namespace {

// An icon made of PNG images from the resources, decoded when it is first drawn or asked for a
// pixmap. A QIcon made with addFile() decodes its files at once, and QImageReader, left to
// detect the format, first loads every image plugin installed to ask it about the file; both
// cost start-up time for icons that may never be shown (a window icon on a platform that does not
// draw one). Everything else is the QIcon's own behaviour: the icon forwards to one it builds on
// first use.
class PngIconEngine : public QIconEngine {
public:
    explicit PngIconEngine(QStringList files) : m_files(std::move(files)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, 1.0, mode, state);
    }
    // For a screen of the given pixel ratio, QIcon asks with the size in device pixels.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return icon().pixmap(size / scale, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return m_files.isEmpty(); }
    QString key() const override { return QStringLiteral("rk7-png"); }
    QIconEngine* clone() const override { return new PngIconEngine(*this); }

private:
    const QIcon& icon() {
        if (m_icon.isNull()) {
            for (const QString& file : std::as_const(m_files)) {
                QImageReader reader(file, "png");
                reader.setAutoDetectImageFormat(false);
                const QImage image = reader.read();
                if (!image.isNull())
                    m_icon.addPixmap(QPixmap::fromImage(image));
            }
        }
        return m_icon;
    }

    QStringList m_files;
    QIcon m_icon;
};

} // namespace

QIcon AppIcon() {
    QStringList files;
    for (int size : {48, 128, 256})
        files << QStringLiteral(":/icons/app-%1.png").arg(size);
    return QIcon(new PngIconEngine(files));
}

QIcon ToolButtonIcon(const char* bitmap) {
    const QString name = QStringLiteral(":/icons/") + QLatin1String(bitmap);
    return QIcon(
        new PngIconEngine({name + QStringLiteral(".png"), name + QStringLiteral("@2x.png")}));
}

} // namespace rk7
