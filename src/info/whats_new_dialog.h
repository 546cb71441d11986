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
inline constexpr int NotesArea = 103; // scrolls the notes when they outgrow the frame
} // namespace whatsnewctl

// The changes of this release, the notes of packaging/release-notes: one note to a read-only
// box that can be selected and copied, wrapped to its width.
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
