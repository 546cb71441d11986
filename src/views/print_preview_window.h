#pragma once

#include "views/roster_printout.h"

#include <functional>
#include <map>

#include <QMainWindow>
#include <QSizeF>

class QAction;
class QLabel;

namespace rk7 {

// One page of a printout at reduced scale; page 0 is an empty page.
class PreviewPage : public QWidget {
    Q_OBJECT

public:
    PreviewPage(const RosterPrintout& printout, QSizeF printablePixels, QSizeF printerDpi,
                QWidget* parent);
    void setPage(int page);
    int page() const { return m_page; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const RosterPrintout& m_printout;
    QSizeF m_printable;
    QSizeF m_printerDpi;
    int m_page = 1;
};

// The print preview: the printed page as it will come out, with a tool bar to page through it,
// show one or two pages, print, and return.
class PrintPreviewWindow : public QMainWindow {
    Q_OBJECT

public:
    enum Command {
        PreviousPage = 24500,
        NextPage = 24501,
        OnePage = 24502,
        TwoPages = 24503,
        PageIndicator = 24504,
        Print = 24337,
        Done = 24505,
    };

    PrintPreviewWindow(const RosterPrintout& printout, QSizeF printablePixels, QSizeF printerDpi,
                       const QString& mainCaption, std::function<void()> print,
                       QWidget* parent = nullptr);

    QAction* action(int id) const { return m_actions.at(id); }
    QString indicator() const;
    int lastShown() const { return m_last; }
    PreviewPage* firstView() const { return m_firstView; }
    PreviewPage* secondView() const { return m_secondView; }

signals:
    // The preview is closing; its geometry is where the main window goes.
    void finished();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void step(int delta);
    void showOnePage();
    void showTwoPages();
    void updateControls();
    void layOut();

    const RosterPrintout& m_printout;
    QSizeF m_printable;
    QSizeF m_printerDpi;
    int m_first = 1;
    int m_last = 1;
    int m_highest = RosterPrintout::PageCount;
    std::map<int, QAction*> m_actions;
    QLabel* m_indicator = nullptr;
    QWidget* m_layoutClient = nullptr;
    PreviewPage* m_firstView = nullptr;
    PreviewPage* m_secondView = nullptr;
};

} // namespace rk7
