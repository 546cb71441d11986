#include "app/print_controller.h"

#include "app/main_window.h"
#include "dialogs/prompts.h"
#include "document/roster_document.h"
#include "printing/print_support.h"
#include "views/print_preview_window.h"
#include "views/roster_printout.h"
#include "views/roster_view.h"

#include <QApplication>

namespace rk7 {

PrintController::PrintController(const RosterDocument& document, MainWindow& window,
                                 Prompts& prompts, QObject* parent)
    : QObject(parent), m_document(document), m_window(window), m_prompts(prompts) {}

PrintController::~PrintController() = default;

PrintSupport* PrintController::support() {
    if (!m_printing) {
        PrintSupportLoad loaded = LoadPrintSupport();
        if (!loaded.support) {
            m_prompts.message(
                QApplication::activeWindow() ? QApplication::activeWindow() : &m_window,
                tr("Print Error"), tr("Printing is not available: %1.").arg(loaded.error),
                Prompts::Icon::Warning);
            return nullptr;
        }
        m_printing = std::move(loaded.support);
    }
    return m_printing.get();
}

QPrinter* PrintController::printer() {
    PrintSupport* support = this->support();
    return support ? &support->printer() : nullptr;
}

void PrintController::print() {
    QPrinter* target = printer();
    if (!target)
        return;
    const RosterPrintout printout(m_document.roster(), m_window.view()->views(),
                                  m_window.windowTitle());
    QWidget* owner = QApplication::activeWindow() ? QApplication::activeWindow() : &m_window;
    if (m_prompts.printDialog(owner, *m_printing, *target) &&
        !m_printing->print(*target, printout.title(),
                           [&](QPainter& painter, const QRect& page, const PrintedPage& printed) {
                               printout.paintPage(painter, 1, page, printed.printablePixels,
                                                  printed.dpi);
                           }))
        m_prompts.message(
            owner, tr("Print Error"),
            tr("'%1' not printed. %2.").arg(printout.title(), tr("Error encountered during print")),
            Prompts::Icon::Warning);
}

void PrintController::printSetup() {
    if (QPrinter* target = printer())
        m_prompts.pageSetupDialog(&m_window, *m_printing, *target);
}

void PrintController::printPreview() {
    if (m_preview)
        return;
    QPrinter* target = printer();
    if (!target)
        return;
    m_previewPrintout = std::make_unique<RosterPrintout>(
        m_document.roster(), m_window.view()->views(), tr("Print Preview"));
    const PrintedPage page = m_printing->page(*target);
    m_preview =
        std::make_unique<PrintPreviewWindow>(*m_previewPrintout, page.printablePixels, page.dpi,
                                             m_window.windowTitle(), [this] { print(); });
    connect(m_preview.get(), &PrintPreviewWindow::finished, this, [this] {
        // The main window comes back where the preview was last placed.
        const QRect where = m_preview->geometry();
        m_preview->hide();
        m_window.setGeometry(where);
        m_window.showNormal();
        m_window.view()->update();
        m_preview.release()->deleteLater();
        m_previewPrintout.reset();
    });
    // The preview takes the main window's place and size.
    m_preview->setGeometry(m_window.geometry());
    m_preview->show();
    m_window.hide();
}

} // namespace rk7
