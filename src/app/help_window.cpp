#include "app/help_window.h"

#include "app/commands.h"

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
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(720, 640);
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
