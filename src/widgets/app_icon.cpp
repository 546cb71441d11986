#include "widgets/app_icon.h"

#include "widgets/tool_button_pixels.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <utility>

#include <QFile>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QPointer>

namespace rk7 {

namespace {

// An icon made when it is first drawn or asked for a pixmap. A QIcon made with addFile() decodes
// its files at once, and QImageReader, left to detect the format, first loads every image plugin
// installed to ask it about the file; both cost start-up time for icons that may never be shown
// (a window icon on a platform that does not draw one, a bar's extension button). The images for
// high-density screens are made only for such a screen. Everything else is the QIcon's own
// behaviour: the engine forwards to the icon it makes on first use.
class DeferredIconEngine : public QIconEngine {
public:
    // make(dense) makes the icon, with its high-density images when dense is true. An engine that
    // knows at once that it will make nothing says so with null.
    explicit DeferredIconEngine(std::function<QIcon(bool dense)> make, bool null = false)
        : m_make(std::move(make)), m_null(null) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const QPaintDevice* device = painter->device();
        icon(device && device->devicePixelRatioF() > 1)
            .paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon(false).pixmap(size, 1.0, mode, state);
    }
    // For a screen of the given pixel ratio, QIcon asks with the size in device pixels.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return icon(scale > 1).pixmap(size / scale, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon(false).actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon(false).availableSizes(mode, state);
    }
    bool isNull() override { return m_made[0] ? m_icons[0].isNull() : m_null; }
    QString key() const override { return QStringLiteral("rk7-deferred"); }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
    const QIcon& icon(bool dense) {
        if (!m_made[dense]) {
            m_icons[dense] = m_make(dense);
            m_made[dense] = true;
        }
        return m_icons[dense];
    }

    std::function<QIcon(bool dense)> m_make;
    bool m_null;
    QIcon m_icons[2];
    bool m_made[2] = {false, false};
};

// PNG images from the resources, read as PNG without asking the image plugins, after the image
// given as pixels, if any; denseFiles are the images for high-density screens.
QIcon DeferredPngIcon(const QStringList& files, const QStringList& denseFiles = {},
                      const ToolButtonPixels* pixels = nullptr) {
    const bool none = !pixels && std::none_of(files.begin(), files.end(), [](const QString& file) {
        return QFile::exists(file);
    });
    return QIcon(new DeferredIconEngine(
        [files, denseFiles, pixels](bool dense) {
            QIcon icon;
            if (pixels)
                // The pixels are the program's own for as long as it runs: nothing is copied.
                icon.addPixmap(QPixmap::fromImage(QImage(
                    reinterpret_cast<const uchar*>(pixels->pixels), pixels->width, pixels->height,
                    pixels->width * 4, QImage::Format_ARGB32_Premultiplied)));
            for (const QStringList* list : {&files, &denseFiles}) {
                if (list == &denseFiles && !dense)
                    break;
                for (const QString& file : *list) {
                    QImageReader reader(file, "png");
                    reader.setAutoDetectImageFormat(false);
                    const QImage image = reader.read();
                    if (!image.isNull())
                        icon.addPixmap(QPixmap::fromImage(image));
                }
            }
            return icon;
        },
        none));
}

} // namespace

QIcon AppIcon() {
    QStringList files;
    for (int size : {48, 128, 256})
        files << QStringLiteral(":/icons/app-%1.png").arg(size);
    return DeferredPngIcon(files);
}

QIcon ToolButtonIcon(const char* bitmap) {
    const QString name = QStringLiteral(":/icons/") + QLatin1String(bitmap);
    const QStringList dense{name + QStringLiteral("@2x.png")};
    for (const ToolButtonPixels& pixels : ToolButtonPixelTable())
        if (std::strcmp(pixels.name, bitmap) == 0)
            return DeferredPngIcon({}, dense, &pixels);
    return DeferredPngIcon({name + QStringLiteral(".png")}, dense);
}

DeferredIconStyle::DeferredIconStyle(QStyle* base) : QProxyStyle(base) {}

QIcon DeferredIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                      const QWidget* widget) const {
    // Every menu bar and tool bar asks for its extension button's icon when it is made, and the
    // style reads it from a file through the image plugins; it is drawn only when the bar
    // overflows.
    if (icon != SP_ToolBarHorizontalExtensionButton && icon != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(icon, option, widget);
    return QIcon(new DeferredIconEngine([style = QPointer<QStyle>(baseStyle()), icon](bool) {
        return style ? style->standardIcon(icon) : QIcon();
    }));
}

} // namespace rk7
