// Printing, print setup and print preview of the current view.
#include "app/commands.h"
#include "app/rk7_power_app.h"
#include "app/sdi_dec_frame.h"
#include "views/preview_win.h"
#include "views/printout.h"
#include "views/rk7_power_window.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace rk7 {

void TRK7_PowerApp::InitPrintCommands() {
    // Printing into a PDF file is always possible, so the commands are always enabled.
    SetHandler(cmd::Print, [this] { Print(); });
    SetHandler(cmd::PrintSetup, [this] { PrintSetup(); });
    SetHandler(cmd::PrintPreview, [this] { PrintPreview(); });
}

QPrinter& TRK7_PowerApp::Printer() {
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

void TRK7_PowerApp::Print() {
    QPrinter& printer = Printer();
    const TApxPrintout printout(m_document.roster(), Client()->Views(), m_frame->windowTitle());
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

void TRK7_PowerApp::PrintSetup() {
    m_prompts.PageSetupDialog(m_frame.get(), Printer());
}

void TRK7_PowerApp::PrintPreview() {
    if (m_preview)
        return;
    QPrinter& printer = Printer();
    ++m_printCount;
    m_previewPrintout = std::make_unique<TApxPrintout>(m_document.roster(), Client()->Views(),
                                                       QStringLiteral("Print Preview"));
    const QSizeF printable = printer.pageRect(QPrinter::DevicePixel).size();
    const QSizeF dpi(printer.logicalDpiX(), printer.logicalDpiY());
    m_preview = std::make_unique<TApxPreviewWin>(*m_previewPrintout, printable, dpi,
                                                 m_frame->windowTitle(), [this] { Print(); });
    connect(m_preview.get(), &TApxPreviewWin::Finished, this, [this] {
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
