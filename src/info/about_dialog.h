#pragma once

#include "widgets/form_dialog.h"

#include <QImage>
#include <QStringList>

class QPushButton;

namespace rk7 {

// The About box: the program's title picture and Close. Pressing the picture does nothing.
class AboutDialog : public FormDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent);

    // The title picture drawn for a size in device-independent pixels: the name, what the program
    // is for, the version and the credits on dark blue with lightning.
    static QImage titlePicture(QSize size, qreal devicePixelRatio = 1.0);

    // The lines of text the title picture shows, top to bottom.
    static QStringList titleLines();

private:
    QPushButton* m_picture = nullptr;
};

} // namespace rk7
