#include "printing/print_setup_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>

namespace rk7 {

PrintSetupDialog::PrintSetupDialog(QPrinter& printer, QWidget* parent)
    : QDialog(parent), m_printer(printer) {
    setObjectName(QStringLiteral("printSetupDialog"));
    setWindowTitle(tr("Print Setup"));

    m_printers = new QComboBox(this);
    m_printers->setObjectName(QStringLiteral("printer"));
    for (const QString& name : QPrinterInfo::availablePrinterNames())
        m_printers->addItem(name, name);
    m_printers->addItem(tr("PDF file"), QString()); // no name: into a file
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
    const int current =
        toFile ? m_printers->count() - 1 : m_printers->findData(printer.printerName());
    m_printers->setCurrentIndex(std::max(current, 0));

    m_papers = new QComboBox(this);
    m_papers->setObjectName(QStringLiteral("paper"));
    fillPapers();
    connect(m_printers, &QComboBox::currentIndexChanged, this, &PrintSetupDialog::fillPapers);

    m_portrait = new QRadioButton(tr("&Portrait"), this);
    m_portrait->setObjectName(QStringLiteral("portrait"));
    m_landscape = new QRadioButton(tr("&Landscape"), this);
    m_landscape->setObjectName(QStringLiteral("landscape"));
    (printer.pageLayout().orientation() == QPageLayout::Landscape ? m_landscape : m_portrait)
        ->setChecked(true);
    auto* orientation = new QHBoxLayout;
    orientation->addWidget(m_portrait);
    orientation->addWidget(m_landscape);
    orientation->addStretch();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(tr("P&rinter:"), m_printers);
    form->addRow(tr("Pap&er:"), m_papers);
    form->addRow(tr("Orientation:"), orientation);
    form->addRow(buttons);
}

void PrintSetupDialog::fillPapers() {
    const QPageSize::PageSizeId chosen =
        m_papers->count() > 0 ? QPageSize::PageSizeId(m_papers->currentData().toInt())
                              : m_printer.pageLayout().pageSize().id();
    QList<QPageSize> sizes;
    if (const QString name = m_printers->currentData().toString(); !name.isEmpty())
        sizes = QPrinterInfo::printerInfo(name).supportedPageSizes();
    if (sizes.isEmpty()) // a file, or a printer that does not say: the usual sizes
        for (auto id : {QPageSize::A4, QPageSize::A3, QPageSize::A5, QPageSize::B5,
                        QPageSize::Letter, QPageSize::Legal, QPageSize::Executive})
            sizes << QPageSize(id);
    m_papers->clear();
    for (const QPageSize& size : sizes)
        if (m_papers->findData(int(size.id())) < 0)
            m_papers->addItem(size.name(), int(size.id()));
    const int index = m_papers->findData(int(chosen));
    m_papers->setCurrentIndex(index >= 0 ? index : 0);
}

void PrintSetupDialog::accept() {
    const QString name = m_printers->currentData().toString();
    if (name.isEmpty()) {
        m_printer.setOutputFormat(QPrinter::PdfFormat);
    } else {
        m_printer.setOutputFileName(QString());
        m_printer.setPrinterName(name);
    }
    m_printer.setPageSize(QPageSize(QPageSize::PageSizeId(m_papers->currentData().toInt())));
    m_printer.setPageOrientation(m_landscape->isChecked() ? QPageLayout::Landscape
                                                          : QPageLayout::Portrait);
    QDialog::accept();
}

} // namespace rk7
