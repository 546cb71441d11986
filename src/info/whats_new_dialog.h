#pragma once

#include "widgets/form_dialog.h"

#include <QStringList>

namespace rk7 {

// Control ids of What's New.
namespace whatsnewctl {
inline constexpr int FirstNote = 18122; // the notes follow one another
inline constexpr int Close = 2;
inline constexpr int NotesFrame = 101;
inline constexpr int ButtonFrame = 102;
} // namespace whatsnewctl

// The changes of this release, one note to a read-only line that can be selected and copied.
class WhatsNewDialog : public FormDialog {
    Q_OBJECT

public:
    explicit WhatsNewDialog(QWidget* parent);

    static QStringList notes();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace rk7
