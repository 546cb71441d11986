#include "info/whats_new_dialog.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace rk7 {

namespace {

constexpr QRgb LightGray = 0xffc0c0c0;

} // namespace

QStringList WhatsNewDialog::notes() {
    return {
        QStringLiteral("1. Fixed Loading File Error"),
        QStringLiteral("2. A failed save keeps the old file"),
    };
}

// The form is drawn in a 10-point face, a quarter larger than the editors'.
WhatsNewDialog::WhatsNewDialog(QWidget* parent)
    : FormDialog(parent, QStringLiteral("What's New"), QSize(177, 191), 10.0 / 8.0) {
    setObjectName(QStringLiteral("WhatsNewDialog"));

    // The notes read like static text, black on the dialog's grey, but can be selected.
    QPalette notePalette = palette();
    notePalette.setColor(QPalette::Base, QColor(LightGray));
    notePalette.setColor(QPalette::Text, Qt::black);
    const QStringList lines = notes();
    for (int i = 0; i < lines.size(); ++i) {
        auto* note = new QLineEdit(lines[i], this);
        note->setObjectName(QString::number(whatsnewctl::FirstNote + i));
        note->setGeometry(units(5, 16 + 13 * i, 170, 11));
        note->setReadOnly(true);
        note->setFocusPolicy(Qt::StrongFocus);
        note->setPalette(notePalette);
        note->setTextMargins(0, 0, 0, 0);
        note->setStyleSheet(QStringLiteral("QLineEdit { padding: 0px 1px; }"));
        note->setCursorPosition(0);
    }

    QPushButton* close =
        addButton(whatsnewctl::Close, QStringLiteral("Close"), units(68, 172, 40, 14));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    addFrame(whatsnewctl::NotesFrame, units(0, 0, 177, 168));
    addFrame(whatsnewctl::ButtonFrame, units(0, 169, 177, 21));
}

void WhatsNewDialog::keyPressEvent(QKeyEvent* event) {
    // There is no default button: Enter on a note is the OK command, which ends the dialog too;
    // Enter on Close presses it.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
            button->click();
        else
            accept();
        return;
    }
    FormDialog::keyPressEvent(event);
}

} // namespace rk7
