#pragma once

#include <memory>

#include <QObject>
#include <QString>

class QPrinter;

namespace rk7 {

class MainWindow;
class PrintPreviewWindow;
class PrintSupport;
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

    // The printing, its module loaded on first use; null, and the user told why, when it cannot
    // be loaded.
    PrintSupport* support();
    // The printer, made on first use and made again when the system's default printer changes;
    // null when there is no printing.
    QPrinter* printer();
    PrintPreviewWindow* preview() const { return m_preview.get(); }

    void print();
    void printSetup();
    // The preview takes the main window's place until it is closed.
    void printPreview();

private:
    const RosterDocument& m_document;
    MainWindow& m_window;
    Prompts& m_prompts;
    std::unique_ptr<PrintSupport> m_printing;
    std::unique_ptr<RosterPrintout> m_previewPrintout;
    std::unique_ptr<PrintPreviewWindow> m_preview;
};

} // namespace rk7
