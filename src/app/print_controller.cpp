#include "app/print_controller.h"

#include "app/main_window.h"
#include "dialogs/prompts.h"
#include "document/roster_document.h"
#include "views/print_preview_window.h"
#include "views/roster_printout.h"
#include "views/roster_view.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace rk7 {

PrintController::PrintController(const RosterDocument& document, MainWindow& window,
                                 Prompts& prompts, QObject* parent)
    : QObject(parent), m_document(document), m_window(window), m_prompts(prompts) {}

PrintController::~PrintController() = default;

QPrinter& PrintController::printer() {
    // Linux sends no notice when the default printer changes; look each time it is needed.
    const QString systemDefault = QPrinterInfo::defaultPrinterName();
    if (!m_printer || systemDefault != m_printerDefault) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printerDefault = systemDefault;
        if (m_printer->outputFormat() == QPrinter::PdfFormat ||
            m_printer->printerName().isEmpty()) {
            // No system printer: Qt prints into a PDF file, which needs a name in a folder
            // that exists. Not every home has a documents folder.
            QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
            if (folder.isEmpty() || !QFileInfo(folder).isDir())
                folder = QDir::homePath();
            m_printer->setOutputFileName(QDir(folder).filePath(QStringLiteral("RK7 Power.pdf")));
        }
    }
    return *m_printer;
}

void PrintController::print() {
    QPrinter& target = printer();
    const RosterPrintout printout(m_document.roster(), m_window.view()->views(),
                                  m_window.windowTitle());
    QWidget* owner = QApplication::activeWindow() ? QApplication::activeWindow() : &m_window;
    if (m_prompts.printDialog(owner, target) && !printout.print(target))
        m_prompts.message(
            owner, tr("Print Error"),
            tr("'%1' not printed. %2.").arg(printout.title(), tr("Error encountered during print")),
            Prompts::Icon::Warning);
}

void PrintController::printSetup() {
    m_prompts.pageSetupDialog(&m_window, printer());
}

void PrintController::printPreview() {
    if (m_preview)
        return;
    QPrinter& target = printer();
    m_previewPrintout = std::make_unique<RosterPrintout>(
        m_document.roster(), m_window.view()->views(), tr("Print Preview"));
    const QSizeF printable = target.pageRect(QPrinter::DevicePixel).size();
    const QSizeF dpi(target.logicalDpiX(), target.logicalDpiY());
    m_preview = std::make_unique<PrintPreviewWindow>(*m_previewPrintout, printable, dpi,
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
