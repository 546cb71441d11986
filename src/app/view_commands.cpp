#include "app/view_commands.h"

#include "app/main_window.h"
#include "document/roster_document.h"
#include "views/roster_view.h"
#include "views/view_clipboard.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QSettings>
#include <QStatusBar>

namespace rk7 {

namespace {

const QString HighlightKey = QStringLiteral("HighlightChanges");

} // namespace

ViewCommands::ViewCommands(const RosterDocument& document, MainWindow& window, QString settingsPath,
                           QObject* parent)
    : QObject(parent), m_document(document), m_window(window),
      m_settingsPath(std::move(settingsPath)) {
    RosterView* view = window.view();
    window.connectCommand(Command::ViewAll, view, [view] { view->toggleView(View::All); });
    window.connectCommand(Command::ViewTeams, view, [view] { view->toggleView(View::Teams); });
    window.connectCommand(Command::ViewDrivers, view, [view] { view->toggleView(View::Drivers); });
    window.connectCommand(Command::ViewChart, view, &RosterView::toggleChart);
    window.connectCommand(Command::CopyView, this, &ViewCommands::copyView);
    // With no view shown there is nothing to copy, and the command says so by being disabled.
    const auto syncCopy = [this, view] {
        const ViewFlags& shown = view->views();
        m_window.action(Command::CopyView)
            ->setEnabled(shown.ViewAll || shown.ViewTeams || shown.ViewDrivers || shown.Chart);
    };
    connect(view, &RosterView::viewsChanged, this, syncCopy);
    syncCopy();

    QAction* highlight = window.action(Command::HighlightChanges);
    highlight->setChecked(
        m_settingsPath.isEmpty() ||
        QSettings(m_settingsPath, QSettings::IniFormat).value(HighlightKey, true).toBool());
    window.connectCommand(Command::HighlightChanges, this,
                          [this, highlight] { setHighlighting(highlight->isChecked()); });
    connect(&document, &RosterDocument::historyChanged, this, &ViewCommands::showChanges);
}

bool ViewCommands::highlighting() const {
    return m_window.action(Command::HighlightChanges)->isChecked();
}

void ViewCommands::setHighlighting(bool on) {
    m_window.action(Command::HighlightChanges)->setChecked(on);
    if (!m_settingsPath.isEmpty())
        QSettings(m_settingsPath, QSettings::IniFormat).setValue(HighlightKey, on);
    showChanges();
}

void ViewCommands::showChanges() {
    if (highlighting())
        m_window.view()->setHighlight(m_document.lastChanges());
    else
        m_window.view()->clearHighlight();
}

void ViewCommands::copyView() {
    const ViewFlags& shown = m_window.view()->views();
    if (shown.Chart) {
        // The chart at the window's size as it prints, for a document or a message: on white,
        // without the marks of the last change.
        RosterView* view = m_window.view();
        QImage image(view->size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            view->paintInto(painter, image.rect(), true);
        }
        QGuiApplication::clipboard()->setImage(image);
        m_window.statusBar()->showMessage(tr("The chart was copied"), 5000);
        return;
    }
    if (!shown.ViewAll && !shown.ViewTeams && !shown.ViewDrivers) {
        m_window.statusBar()->showMessage(tr("No table is shown, so none was copied"), 5000);
        return;
    }
    const View view = shown.ViewAll ? View::All : shown.ViewTeams ? View::Teams : View::Drivers;
    QGuiApplication::clipboard()->setMimeData(ViewMimeData(m_document.roster(), view).release());
    m_window.statusBar()->showMessage(tr("The table was copied"), 5000);
}

} // namespace rk7
