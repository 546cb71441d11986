#include "widgets/main_tool_bar.h"

#include <QActionEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QResizeEvent>
#include <QStyleOptionToolButton>
#include <QToolButton>

namespace rk7 {

namespace {

constexpr QRgb Navy = 0xff000080;
constexpr QRgb DarkBlue = 0xff000040;
constexpr QRgb Blue = 0xff0000ff;
constexpr QRgb Black = 0xff000000;
constexpr QRgb HoverEdge = 0xffc0c0ff;
constexpr QRgb DownFace = 0xff3030a0;
constexpr QRgb DownEdge = 0xff8080ff;

// The buttons' look: a one-pixel edge inside a one-pixel margin, light blue under the mouse, and
// a dark blue face with a blue edge while pressed or checked. Drawn here rather than by a style
// sheet, which made the bar the slowest part of the window to build and to paint.
class ButtonLook : public QProxyStyle {
public:
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        if (type != CT_ToolButton)
            return QProxyStyle::sizeFromContents(type, option, size, widget);
        return size + QSize(2 * Inset + Slack, 2 * Inset + Slack);
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* p,
                            const QWidget* widget) const override {
        const auto* button = qstyleoption_cast<const QStyleOptionToolButton*>(option);
        if (control != CC_ToolButton || !button) {
            QProxyStyle::drawComplexControl(control, option, p, widget);
            return;
        }
        const QRect edge = button->rect.adjusted(1, 1, -1, -1);
        const bool down = button->state & (State_Sunken | State_On);
        const bool hover = (button->state & State_MouseOver) && (button->state & State_Enabled);
        if (down)
            p->fillRect(edge, QColor(DownFace));
        if (down || hover) {
            // Filled rather than stroked, so that the edge stays one crisp pixel when scaled.
            const QColor color(down ? DownEdge : HoverEdge);
            const int l = edge.left(), t = edge.top(), w = edge.width(), h = edge.height();
            p->fillRect(l, t, w, 1, color);
            p->fillRect(l, t + h - 1, w, 1, color);
            p->fillRect(l, t, 1, h, color);
            p->fillRect(l + w - 1, t, 1, h, color);
        }
        QStyleOptionToolButton label = *button;
        label.rect = button->rect.adjusted(Inset, Inset, -Inset, -Inset);
        drawControl(CE_ToolButtonLabel, &label, p, widget);
    }

private:
    static constexpr int Inset = 2; // the margin and the edge
    static constexpr int Slack = 3; // what the bar's buttons have always had beside their icons
};

// Lies over the whole bar and draws only the bevel, so that it stays on top of the buttons.
class Bevel : public QWidget {
public:
    explicit Bevel(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const int left = 0, top = 0, right = width(), bottom = height();
        p.setPen(QColor(Black));
        p.drawLine(left, top, right - 1, top);
        p.drawLine(right - 1, top, right - 1, bottom - 1);
        p.drawLine(right - 1, bottom - 1, left, bottom - 1);
        p.setPen(QColor(Blue));
        p.drawLine(left, bottom - 1, left, top + 1);
        p.drawLine(left, top + 1, right - 2, top + 1);
        p.setPen(QColor(DarkBlue));
        p.drawLine(left + 1, bottom - 1, right - 2, bottom - 1);
        p.drawLine(right - 2, bottom - 1, right - 2, top + 2);
    }
};

class Spacer : public QWidget {
public:
    explicit Spacer(QWidget* parent) : QWidget(parent) {
        setFixedWidth(MainToolBar::SeparatorWidth);
        setObjectName(QStringLiteral("separator"));
    }
};

} // namespace

MainToolBar::MainToolBar(QWidget* parent)
    : QToolBar(parent), m_bevel(new Bevel(this)), m_buttonLook(new ButtonLook) {
    m_buttonLook->setParent(this);
    setObjectName(QStringLiteral("mainToolBar"));
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(20, 20));
    setContextMenuPolicy(Qt::PreventContextMenu);
    setContentsMargins(3, 3, 3, 3);
    // Qt's button for the buttons that do not fit would be a nameless check box to a screen
    // reader.
    if (auto* more = findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"))) {
        more->setAccessibleName(tr("More Buttons"));
        more->setStyle(m_buttonLook);
    }
}

void MainToolBar::addGap() {
    addWidget(new Spacer(this));
}

void MainToolBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(Navy));
}

void MainToolBar::actionEvent(QActionEvent* event) {
    QToolBar::actionEvent(event);
    if (event->type() == QEvent::ActionAdded)
        if (auto* button = qobject_cast<QToolButton*>(widgetForAction(event->action())))
            button->setStyle(m_buttonLook);
    m_bevel->raise(); // above the button just made
}

void MainToolBar::resizeEvent(QResizeEvent* event) {
    QToolBar::resizeEvent(event);
    m_bevel->setGeometry(rect());
    m_bevel->raise();
}

} // namespace rk7
