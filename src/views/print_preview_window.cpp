#include "views/print_preview_window.h"

#include "widgets/app_icon.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <QToolBar>

namespace rk7 {

PreviewPage::PreviewPage(const RosterPrintout& printout, QSizeF printablePixels, QSizeF printerDpi,
                         QWidget* parent)
    : QWidget(parent), m_printout(printout), m_printable(printablePixels),
      m_printerDpi(printerDpi) {}

void PreviewPage::setPage(int page) {
    m_page = page;
    update();
}

void PreviewPage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect paper = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(paper, Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(paper);
    if (m_page > 0)
        m_printout.paintPage(painter, m_page, paper.adjusted(1, 1, 0, 0), m_printable,
                             m_printerDpi);
}

PrintPreviewWindow::PrintPreviewWindow(const RosterPrintout& printout, QSizeF printablePixels,
                                       QSizeF printerDpi, const QString& mainCaption,
                                       std::function<void()> print, QWidget* parent)
    : QMainWindow(parent), m_printout(printout), m_printable(printablePixels),
      m_printerDpi(printerDpi) {
    setObjectName(QStringLiteral("printPreviewWindow"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(mainCaption + tr(" (Preview)"));
    setWindowIcon(AppIcon());

    addToolBar(Qt::TopToolBarArea, makeToolBar(std::move(print)));
    makePageArea();
    updateControls();
}

// The buttons, in the order and with the names the help gives them.
QToolBar* PrintPreviewWindow::makeToolBar(std::function<void()> print) {
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("previewBar"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->setIconSize(QSize(20, 20));
    auto add = [&](const char* name, const QString& text, const QIcon& icon, const QString& tip) {
        auto* action = new QAction(icon, text, this);
        action->setObjectName(QStringLiteral("action:") + QLatin1String(name));
        action->setToolTip(tip);
        bar->addAction(action);
        return action;
    };
    auto themed = [this](const char* name, QStyle::StandardPixmap fallback) {
        return QIcon::fromTheme(QLatin1String(name), style()->standardIcon(fallback));
    };
    auto gap = [&](int width) {
        auto* spacer = new QWidget(bar);
        spacer->setFixedWidth(width);
        bar->addWidget(spacer);
    };
    m_previousPage = add("previous-page", tr("Previous page"),
                         themed("go-previous", QStyle::SP_ArrowLeft), tr("Previous page"));
    connect(m_previousPage, &QAction::triggered, this, [this] { step(-1); });
    m_nextPage = add("next-page", tr("Next page"), themed("go-next", QStyle::SP_ArrowRight),
                     tr("Next page"));
    connect(m_nextPage, &QAction::triggered, this, [this] { step(+1); });
    gap(6);
    auto* pages = new QActionGroup(this);
    m_onePage = add("one-page", tr("One page"), themed("zoom-fit-best", QStyle::SP_FileIcon),
                    tr("Show one page"));
    m_twoPages =
        add("two-pages", tr("Two pages"), ToolButtonIcon("print-preview"), tr("Show two pages"));
    for (QAction* a : {m_onePage, m_twoPages}) {
        a->setCheckable(true);
        pages->addAction(a);
    }
    m_onePage->setChecked(true);
    connect(m_onePage, &QAction::triggered, this, &PrintPreviewWindow::showOnePage);
    connect(m_twoPages, &QAction::triggered, this, &PrintPreviewWindow::showTwoPages);
    gap(12);
    m_indicator = new QLabel(bar);
    m_indicator->setObjectName(QStringLiteral("pageIndicator"));
    m_indicator->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_indicator->setMinimumWidth(m_indicator->fontMetrics().averageCharWidth() * 12);
    bar->addWidget(m_indicator);
    gap(20);
    connect(add("print", tr("Print"), ToolButtonIcon("print"), tr("Print this page")),
            &QAction::triggered, this, [print = std::move(print)] { print(); });
    gap(20);
    QAction* done = add("done", tr("Done"), themed("window-close", QStyle::SP_DialogCloseButton),
                        tr("Close the preview"));
    done->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::ALT | Qt::Key_C)});
    done->setShortcutContext(Qt::WindowShortcut);
    addAction(done);
    connect(done, &QAction::triggered, this, &QWidget::close);
    return bar;
}

// The dark workspace the pages lie on, and the first page on it.
void PrintPreviewWindow::makePageArea() {
    m_layoutClient = new QWidget(this);
    m_layoutClient->setObjectName(QStringLiteral("layoutClient"));
    m_layoutClient->setAutoFillBackground(true);
    QPalette workspace = m_layoutClient->palette();
    workspace.setColor(QPalette::Window, palette().color(QPalette::Dark));
    m_layoutClient->setPalette(workspace);
    m_layoutClient->installEventFilter(this);
    setCentralWidget(m_layoutClient);

    m_firstView = new PreviewPage(m_printout, m_printable, m_printerDpi, m_layoutClient);
    m_firstView->setObjectName(QStringLiteral("firstPage"));
    m_firstView->setPage(m_first);
}

QString PrintPreviewWindow::indicator() const {
    if (m_secondView && m_first != m_last)
        return tr("Page %1 - %2").arg(m_first).arg(m_last);
    return tr("Page %1").arg(m_first);
}

void PrintPreviewWindow::step(int delta) {
    if (delta < 0 && m_first <= 1)
        return;
    if (delta > 0 && m_last >= m_highest)
        return;
    m_first += delta;
    m_last += delta;
    m_firstView->setPage(m_first);
    if (m_secondView)
        m_secondView->setPage(m_last);
    updateControls();
}

void PrintPreviewWindow::showOnePage() {
    if (m_secondView) {
        delete m_secondView;
        m_secondView = nullptr;
        m_last = m_first;
        layOut();
    }
    updateControls();
}

void PrintPreviewWindow::showTwoPages() {
    if (m_secondView || m_printable.width() > m_printable.height()) {
        updateControls();
        return;
    }
    m_secondView = new PreviewPage(m_printout, m_printable, m_printerDpi, m_layoutClient);
    m_secondView->setObjectName(QStringLiteral("secondPage"));
    if (m_first == m_highest) {
        if (m_first > 1) {
            --m_first;
            m_firstView->setPage(m_first);
            m_secondView->setPage(m_first + 1);
        } else {
            m_secondView->setPage(0); // a one-page printout: an empty second page
        }
    } else {
        m_last = m_first + 1;
        m_secondView->setPage(m_last);
    }
    m_secondView->show();
    layOut();
    updateControls();
}

void PrintPreviewWindow::updateControls() {
    m_previousPage->setEnabled(m_first != 1);
    m_nextPage->setEnabled(m_last != m_highest);
    m_twoPages->setEnabled(m_printable.width() <= m_printable.height());
    m_onePage->setChecked(!m_secondView);
    m_twoPages->setChecked(m_secondView != nullptr);
    m_indicator->setText(indicator());
}

void PrintPreviewWindow::layOut() {
    const QRect client = m_layoutClient->rect();
    const QSizeF paper = m_printable;
    if (paper.width() <= 0 || paper.height() <= 0)
        return;
    // Each page whole, in its own proportions, 15 pixels from the edges; two pages share the
    // width with 30 between them. Whatever the window's shape, nothing is cut off.
    const int pages = m_secondView ? 2 : 1;
    const QSize room(std::max(1, (client.width() - 30 - 30 * (pages - 1)) / pages),
                     std::max(1, client.height() - 30));
    const QSize fitted = paper.scaled(QSizeF(room), Qt::KeepAspectRatio).toSize();
    const QRect page(client.topLeft() + QPoint(15, 15), fitted);
    m_firstView->setGeometry(page);
    if (m_secondView)
        m_secondView->setGeometry(QRect(QPoint(page.right() + 1 + 30, page.top()), fitted));
}

void PrintPreviewWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit finished();
}

void PrintPreviewWindow::keyPressEvent(QKeyEvent* event) {
    // Also when the window is not active, as the shortcuts want it to be.
    if (event->key() == Qt::Key_Escape ||
        (event->key() == Qt::Key_C && event->modifiers() == Qt::AltModifier)) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool PrintPreviewWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_layoutClient && event->type() == QEvent::Resize)
        layOut();
    return QMainWindow::eventFilter(watched, event);
}

} // namespace rk7
