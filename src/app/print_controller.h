#pragma once

#include <memory>

#include <QObject>
#include <QString>

class QPrinter;

namespace rk7 {

class MainWindow;
class PrintPreviewWindow;
class Prompts;
class RosterDocument;
class RosterPrintout;

// Printing, print setup and the print preview of the view shown, one page each. Owns the
// printer and, while it is open, the preview.
class PrintController : public QObject {
    Q_OBJECT

public:
    PrintController(const RosterDocument& document, MainWindow& window, Prompts& prompts,
                    QObject* parent = nullptr);
    ~PrintController() override;

    // The printer, made on first use and made again when the system's default printer changes.
    QPrinter& printer();
    PrintPreviewWindow* preview() const { return m_preview.get(); }

    void print();
    void printSetup();
    // The preview takes the main window's place until it is closed.
    void printPreview();

private:
    const RosterDocument& m_document;
    MainWindow& m_window;
    Prompts& m_prompts;
    std::unique_ptr<QPrinter> m_printer;
    QString m_printerDefault; // the system's default printer when m_printer was made
    std::unique_ptr<RosterPrintout> m_previewPrintout;
    std::unique_ptr<PrintPreviewWindow> m_preview;
};

} // namespace rk7
