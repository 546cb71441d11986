#include "widgets/main_tool_bar.h"

#include <QPainter>
#include <QResizeEvent>
#include <QToolButton>

namespace rk7 {

namespace {

constexpr QRgb Navy = 0xff000080;
constexpr QRgb DarkBlue = 0xff000040;
constexpr QRgb Blue = 0xff0000ff;
constexpr QRgb Black = 0xff000000;

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

MainToolBar::MainToolBar(QWidget* parent) : QToolBar(parent), m_bevel(new Bevel(this)) {
    setObjectName(QStringLiteral("mainToolBar"));
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(20, 20));
    setContextMenuPolicy(Qt::PreventContextMenu);
    setContentsMargins(3, 3, 3, 3);
    setStyleSheet(QStringLiteral("QToolButton { border: 1px solid transparent; margin: 1px; }"
                                 "QToolButton:hover { border: 1px solid #c0c0ff; }"
                                 "QToolButton:pressed, QToolButton:checked {"
                                 " background: #3030a0; border: 1px solid #8080ff; }"));
    // Qt's button for the buttons that do not fit would be a nameless check box to a screen
    // reader.
    if (auto* more = findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(tr("More Buttons"));
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
    m_bevel->raise(); // above the button just made
}

void MainToolBar::resizeEvent(QResizeEvent* event) {
    QToolBar::resizeEvent(event);
    m_bevel->setGeometry(rect());
    m_bevel->raise();
}

} // namespace rk7
