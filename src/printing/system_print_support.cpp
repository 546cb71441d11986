#include "printing/print_setup_dialog.h"
#include "printing/print_support.h"
#include "version.h"

#include <memory>

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace rk7 {

namespace {

class SystemPrintSupport final : public PrintSupport {
public:
    QPrinter& printer() override {
        // Linux sends no notice when the default printer changes; look each time it is needed.
        const QString systemDefault = QPrinterInfo::defaultPrinterName();
        if (!m_printer || systemDefault != m_printerDefault) {
            m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            m_printerDefault = systemDefault;
            if (m_printer->outputFormat() == QPrinter::PdfFormat ||
                m_printer->printerName().isEmpty()) {
                // No system printer: Qt prints into a PDF file, which needs a name in a folder
                // that exists. Not every home has a documents folder.
                QString folder =
                    QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
                if (folder.isEmpty() || !QFileInfo(folder).isDir())
                    folder = QDir::homePath();
                m_printer->setOutputFileName(
                    QDir(folder).filePath(QStringLiteral("RK7 Power.pdf")));
            }
        }
        return *m_printer;
    }

    PrintedPage page(QPrinter& printer) override {
        return {printer.pageRect(QPrinter::DevicePixel).size(),
                QSizeF(printer.logicalDpiX(), printer.logicalDpiY())};
    }

    bool print(QPrinter& printer, const QString& title, const PaintPage& paint) override {
        printer.setDocName(title);
        // Every printout is one page.
        printer.setFromTo(1, 1);
        QPainter painter;
        if (!painter.begin(&printer))
            return false;
        const PrintedPage printed = page(printer);
        paint(painter, QRect(QPoint(0, 0), printed.printablePixels.toSize()), printed);
        return painter.end();
    }

    bool printDialog(QWidget* parent, QPrinter& printer) override {
        QPrintDialog dialog(&printer, parent);
        dialog.setObjectName(QStringLiteral("printDialog"));
        // One page: nothing to choose from.
        dialog.setMinMax(1, 1);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        return dialog.exec() == QDialog::Accepted;
    }

    bool pageSetupDialog(QWidget* parent, QPrinter& printer) override {
        PrintSetupDialog dialog(printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }

private:
    std::unique_ptr<QPrinter> m_printer;
    QString m_printerDefault; // the system's default printer when m_printer was made
};

} // namespace

} // namespace rk7

extern "C" Q_DECL_EXPORT const char* rk7PrintingVersion() {
    return RK7_VERSION;
}

extern "C" Q_DECL_EXPORT rk7::PrintSupport* rk7NewPrintSupport() {
    return new rk7::SystemPrintSupport;
}
