#include "dialogs/help_window.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace rk7 {

namespace {

const QString ContentsUrl = QStringLiteral("qrc:/help/index.html");

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(tr("RK7 Power Help"));
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    m_browser->setOpenExternalLinks(false);

    auto button = [this](const char* name, const QString& text, QStyle::StandardPixmap icon) {
        auto* b = new QPushButton(style()->standardIcon(icon), text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    m_back = button("helpBack", tr("&Back"), QStyle::SP_ArrowBack);
    m_forward = button("helpForward", tr("&Forward"), QStyle::SP_ArrowForward);
    m_contents = button("helpContents", tr("&Contents"), QStyle::SP_DirHomeIcon);
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_contents, &QPushButton::clicked, this, &HelpWindow::showContents);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QWidget::setEnabled);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(6, 6, 6, 0);
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    buttons->addWidget(m_contents);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);
    resize(720, 640);

    // Closed from the keyboard as a dialog and as a document window are.
    auto* close = new QAction(this);
    close->setObjectName(QStringLiteral("helpClose"));
    close->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
    close->setShortcutContext(Qt::WindowShortcut);
    addAction(close);
    connect(close, &QAction::triggered, this, &QWidget::close);
}

void HelpWindow::setOwner(QWidget* owner) {
    if (owner == m_owner && parentWidget() == owner)
        return;
    if (m_owner)
        disconnect(m_owner, nullptr, this, nullptr);
    const bool shown = isVisible();
    const QRect where = geometry();
    setParent(owner, Qt::Window); // hides the window
    setGeometry(where);
    m_owner = owner;
    if (auto* form = qobject_cast<QDialog*>(owner)) {
        // Before the form goes, help goes back to the form beneath it, or to nobody.
        connect(form, &QDialog::finished, this, [this] {
            QWidget* next = QApplication::activeModalWidget();
            setOwner(next == m_owner ? nullptr : next);
        });
    }
    if (shown)
        show();
}

void HelpWindow::showContents() {
    m_browser->setSource(QUrl(ContentsUrl));
    present();
}

void HelpWindow::showPage(const QString& url) {
    m_browser->setSource(QUrl(url));
    present();
}

void HelpWindow::present() {
    show();
    raise();
    activateWindow();
}

} // namespace rk7
