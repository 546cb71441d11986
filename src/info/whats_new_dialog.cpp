#include "info/whats_new_dialog.h"

#include "release_notes.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QStyleOptionFrame>
#include <QVBoxLayout>

namespace rk7 {

namespace {

constexpr QRgb LightGray = 0xffc0c0c0;

// A note: static text in the box of a read-only line edit, as the notes have always looked, but
// wrapped, since a note may be longer than a line.
class Note : public QLabel {
public:
    Note(const QString& text, QWidget* parent) : QLabel(text, parent) {
        setWordWrap(true);
        setTextFormat(Qt::PlainText);
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        {
            QPainter painter(this);
            QStyleOptionFrame panel;
            panel.initFrom(this);
            panel.rect = rect();
            panel.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &panel, this);
            panel.state |= QStyle::State_Sunken;
            style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
        }
        QLabel::paintEvent(event);
    }
};

} // namespace

QStringList WhatsNewDialog::notes() {
    QStringList numbered;
    for (const char* note : ReleaseNotes)
        numbered << QStringLiteral("%1. %2").arg(numbered.size() + 1).arg(QString::fromUtf8(note));
    return numbered;
}

// The form is drawn in a 10-point face, a quarter larger than the editors'.
WhatsNewDialog::WhatsNewDialog(QWidget* parent)
    : FormDialog(parent, tr("What's New"), QSize(177, 191), 10.0 / 8.0) {
    setObjectName(QStringLiteral("whatsNewDialog"));

    // The notes read like static text, black on the dialog's grey, but can be selected.
    QPalette notePalette = palette();
    notePalette.setColor(QPalette::Base, QColor(LightGray));
    notePalette.setColor(QPalette::Text, Qt::black);
    notePalette.setColor(QPalette::WindowText, Qt::black);

    // A note of one line is 11 units tall and the next starts 13 units below it; a longer one
    // grows by its lines. More notes than the frame holds scroll.
    const QRect line = units(0, 0, 170, 11);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    const int padding = std::max(0, (line.height() - fontMetrics().height()) / 2);
    auto* area = new QScrollArea(this);
    area->setObjectName(QStringLiteral("notesArea"));
    area->setGeometry(units(5, 16, 170, 149));
    area->setFrameShape(QFrame::NoFrame);
    area->setFocusPolicy(Qt::NoFocus); // Tab goes from note to note
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setWidgetResizable(true);
    area->viewport()->setAutoFillBackground(false);
    auto* list = new QWidget(area);
    list->setAutoFillBackground(false);
    auto* layout = new QVBoxLayout(list);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(units(0, 0, 0, 13).height() - line.height());
    const QStringList lines = notes();
    for (int i = 0; i < lines.size(); ++i) {
        auto* note = new Note(lines[i], list);
        note->setObjectName(QStringLiteral("note%1").arg(i));
        note->setPalette(notePalette);
        note->setContentsMargins(frame + 1, padding, frame + 1, padding);
        note->setMinimumHeight(line.height());
        layout->addWidget(note);
    }
    layout->addStretch(1);
    area->setWidget(list);

    QPushButton* close = addButton(QStringLiteral("close"), tr("Close"), units(68, 172, 40, 14));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    addFrame(QStringLiteral("notesFrame"), units(0, 0, 177, 168));
    addFrame(QStringLiteral("buttonFrame"), units(0, 169, 177, 21));
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
