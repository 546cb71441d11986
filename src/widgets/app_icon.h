#pragma once

#include <QIcon>
#include <QProxyStyle>

namespace rk7 {

// The program's icon in all its sizes (48, 128 and 256 pixels).
QIcon AppIcon();

// A tool bar button's image from the resources (":/icons/<bitmap>.png", and its "@2x" twin for
// high-density screens).
QIcon ToolButtonIcon(const char* bitmap);

// The application's style, with the icons no first frame shows made only when first drawn.
class DeferredIconStyle : public QProxyStyle {
public:
    explicit DeferredIconStyle(QStyle* base);
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

} // namespace rk7
