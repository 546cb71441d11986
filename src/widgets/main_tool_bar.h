#pragma once

#include <QToolBar>

class QStyle;

namespace rk7 {

// The tool bar: command buttons on navy, with a bevel drawn over the buttons' edges.
class MainToolBar : public QToolBar {
    Q_OBJECT

public:
    static constexpr int SeparatorWidth = 6;

    explicit MainToolBar(QWidget* parent = nullptr);
    // A plain gap between groups of buttons, as the bar has always had, rather than the line of
    // QToolBar::addSeparator.
    void addGap();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void actionEvent(QActionEvent* event) override;

private:
    QWidget* m_bevel;
    QStyle* m_buttonLook; // the buttons', owned by the bar
};

} // namespace rk7
