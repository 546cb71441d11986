#pragma once

#include "views/roster_printout.h"

#include <functional>

#include <QMainWindow>
#include <QSizeF>

class QAction;
class QLabel;

class QToolBar;

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
// show one or two pages, print, and return. Its actions are named for what they do, as the main
// window's are: "action:previous-page", "action:next-page", "action:one-page",
// "action:two-pages", "action:print", "action:done"; the page number shows in "pageIndicator".
class PrintPreviewWindow : public QMainWindow {
    Q_OBJECT

public:
    PrintPreviewWindow(const RosterPrintout& printout, QSizeF printablePixels, QSizeF printerDpi,
                       const QString& mainCaption, std::function<void()> print,
                       QWidget* parent = nullptr);

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
    QToolBar* makeToolBar(std::function<void()> print);
    void makePageArea();
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
    QAction* m_previousPage = nullptr;
    QAction* m_nextPage = nullptr;
    QAction* m_onePage = nullptr;
    QAction* m_twoPages = nullptr;
    QLabel* m_indicator = nullptr;
    QWidget* m_layoutClient = nullptr;
    PreviewPage* m_firstView = nullptr;
    PreviewPage* m_secondView = nullptr;
};

} // namespace rk7
