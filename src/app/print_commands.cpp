// Printing, print setup and print preview of the current view.
#include "app/application.h"
#include "app/commands.h"
#include "app/main_window.h"
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

void Application::InitPrintCommands() {
    // Printing into a PDF file is always possible, so the commands are always enabled.
    SetHandler(cmd::Print, [this] { Print(); });
    SetHandler(cmd::PrintSetup, [this] { PrintSetup(); });
    SetHandler(cmd::PrintPreview, [this] { PrintPreview(); });
}

QPrinter& Application::Printer() {
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

void Application::Print() {
    QPrinter& printer = Printer();
    const RosterPrintout printout(m_document.roster(), Client()->Views(), m_frame->windowTitle());
    QWidget* owner = QApplication::activeWindow() ? QApplication::activeWindow() : m_frame.get();
    ++m_printCount;
    if (m_prompts.PrintDialog(owner, printer) && !printout.Print(printer))
        m_prompts.Message(
            owner, QStringLiteral("Print Error"),
            QStringLiteral("'%1' not printed. %2.")
                .arg(printout.Title(), QStringLiteral("Error encountered during print")),
            Prompts::Icon::Warning);
    --m_printCount;
}

void Application::PrintSetup() {
    m_prompts.PageSetupDialog(m_frame.get(), Printer());
}

void Application::PrintPreview() {
    if (m_preview)
        return;
    QPrinter& printer = Printer();
    ++m_printCount;
    m_previewPrintout = std::make_unique<RosterPrintout>(m_document.roster(), Client()->Views(),
                                                         QStringLiteral("Print Preview"));
    const QSizeF printable = printer.pageRect(QPrinter::DevicePixel).size();
    const QSizeF dpi(printer.logicalDpiX(), printer.logicalDpiY());
    m_preview = std::make_unique<PrintPreviewWindow>(*m_previewPrintout, printable, dpi,
                                                     m_frame->windowTitle(), [this] { Print(); });
    connect(m_preview.get(), &PrintPreviewWindow::Finished, this, [this] {
        // The main window comes back where the preview was last placed.
        const QRect where = m_preview->geometry();
        m_preview->hide();
        m_frame->setGeometry(where);
        m_frame->showNormal();
        --m_printCount;
        Client()->update();
        m_preview.release()->deleteLater();
        m_previewPrintout.reset();
    });
    // The preview takes the main window's place and size.
    m_preview->setGeometry(m_frame->geometry());
    m_preview->show();
    m_frame->hide();
}

} // namespace rk7
