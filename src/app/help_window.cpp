#include "app/help_window.h"

#include "app/commands.h"

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace rk7 {

namespace {

struct Topic {
    int id;
    const char* page;
};

// Which page explains which command; the anchor on the page is "cmd" and the id.
constexpr Topic Topics[] = {
    {cmd::OpenExchangeFile, "files"},
    {cmd::SaveExchangeFile, "files"},
    {cmd::OpenNativeFile, "files"},
    {cmd::SaveNativeFile, "files"},
    {cmd::PrintPreview, "views"},
    {cmd::Print, "views"},
    {cmd::PrintSetup, "views"},
    {cmd::Exit, "index"},
    {cmd::MainDrivers, "editors"},
    {cmd::MainDriversAlt, "editors"},
    {cmd::SpareDrivers, "editors"},
    {cmd::EditTeams, "editors"},
    {cmd::EditTeamsAlt, "editors"},
    {cmd::EditPowers, "editors"},
    {cmd::EditPowersAlt, "editors"},
    {cmd::RangeFailure, "editors"},
    {cmd::RangeFailureAlt, "editors"},
    {cmd::ViewTeams, "views"},
    {cmd::ViewDrivers, "views"},
    {cmd::ViewAll, "views"},
    {cmd::HelpContents, "index"},
    {cmd::WhatsNew, "index"},
    {cmd::About, "index"},
};

const QString ContentsUrl = QStringLiteral("qrc:/help/index.html");

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("RK7 Power Help"));
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    m_browser->setOpenExternalLinks(false);

    auto button = [this](const char* name, const QString& text, QStyle::StandardPixmap icon) {
        auto* b = new QPushButton(style()->standardIcon(icon), text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    m_back = button("helpBack", QStringLiteral("&Back"), QStyle::SP_ArrowBack);
    m_forward = button("helpForward", QStringLiteral("&Forward"), QStyle::SP_ArrowForward);
    m_contents = button("helpContents", QStringLiteral("&Contents"), QStyle::SP_DirHomeIcon);
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_contents, &QPushButton::clicked, this, &HelpWindow::ShowContents);
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
}

void HelpWindow::SetOwner(QWidget* owner) {
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
            SetOwner(next == m_owner ? nullptr : next);
        });
    }
    if (shown)
        show();
}

QString HelpWindow::TopicUrl(int commandId) {
    for (const Topic& topic : Topics)
        if (topic.id == commandId)
            return QStringLiteral("qrc:/help/%1.html#cmd%2")
                .arg(QLatin1String(topic.page))
                .arg(commandId);
    return ContentsUrl;
}

void HelpWindow::ShowContents() {
    m_browser->setSource(QUrl(ContentsUrl));
    Present();
}

void HelpWindow::ShowTopic(int commandId) {
    m_browser->setSource(QUrl(TopicUrl(commandId)));
    Present();
}

void HelpWindow::Present() {
    show();
    raise();
    activateWindow();
}

} // namespace rk7
