#pragma once

#include <QDialog>

class QComboBox;
class QPrinter;
class QRadioButton;

namespace rk7 {

// Print Setup: the printer, the paper and the orientation that Print and Print Preview use.
// OK sets them on the printer; Cancel leaves it as it was.
class PrintSetupDialog : public QDialog {
    Q_OBJECT

public:
    PrintSetupDialog(QPrinter& printer, QWidget* parent);

public slots:
    void accept() override;

private:
    void fillPapers();

    QPrinter& m_printer;
    QComboBox* m_printers;
    QComboBox* m_papers;
    QRadioButton* m_portrait;
    QRadioButton* m_landscape;
};

} // namespace rk7
