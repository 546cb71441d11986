#pragma once

#include "widgets/form_dialog.h"

#include <QStringList>

namespace rk7 {

// The changes of this release, the notes of packaging/release-notes: one note to a read-only
// box that can be selected and copied, wrapped to its width. The notes are "note0", "note1" and
// so on, in "notesArea", which scrolls them when they outgrow their frame.
class WhatsNewDialog : public FormDialog {
    Q_OBJECT

public:
    explicit WhatsNewDialog(QWidget* parent);

    // "1. note", in the order of the release notes.
    static QStringList notes();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace rk7
