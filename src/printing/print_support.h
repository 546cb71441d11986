#pragma once

#include <functional>
#include <memory>

#include <QRect>
#include <QSizeF>
#include <QString>
#include <QStringList>

class QPainter;
class QPrinter;
class QWidget;

namespace rk7 {

// The printer's page as the printout is laid out on it.
struct PrintedPage {
    QSizeF printablePixels; // the printable part of the page, in the printer's pixels
    QSizeF dpi;             // the printer's resolution
};

// Printing through Qt Print Support. It lives in a module of its own (rk7power-printing.so),
// loaded at the first print command: the program's window opens without Print Support and
// what it loads. Everything that touches a QPrinter's members goes through here; the rest of the
// program passes the printer by reference.
class PrintSupport {
public:
    using PaintPage =
        std::function<void(QPainter& painter, const QRect& target, const PrintedPage& page)>;

    virtual ~PrintSupport() = default;

    // The printer, made on first use and made again when the system's default printer changes.
    // Without a system printer it prints into "RK7 Power.pdf" in the documents folder, or in the
    // home folder when there is none.
    virtual QPrinter& printer() = 0;
    virtual PrintedPage page(QPrinter& printer) = 0;
    // Prints one page named title: paint draws it on target, the printable page. False when the
    // printer could not be started or finished.
    virtual bool print(QPrinter& printer, const QString& title, const PaintPage& paint) = 0;
    // The system's print dialog and Print Setup; false when the user cancelled.
    virtual bool printDialog(QWidget* parent, QPrinter& printer) = 0;
    virtual bool pageSetupDialog(QWidget* parent, QPrinter& printer) = 0;
};

// What loading the module gave: the printing, or why there is none (the file and the reason).
struct [[nodiscard]] PrintSupportLoad {
    std::unique_ptr<PrintSupport> support;
    QString error;
};

// The printing of the first of files that exists; the module stays loaded to the end.
PrintSupportLoad LoadPrintSupport(const QStringList& files);
// The printing of the module beside the program (in a build tree) or where it is installed.
PrintSupportLoad LoadPrintSupport();

} // namespace rk7
