#include "editors/editor_dialog.h"

#include <algorithm>

#include <QAbstractButton>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace rk7 {

std::string CalcFormDialog::FieldText(Field field, int row) const {
    const QLineEdit* edit = fieldEdit(field, row);
    return edit ? cellText(edit) : std::string();
}

void CalcFormDialog::SetFieldText(Field field, int row, std::string_view text) {
    if (QLineEdit* edit = fieldEdit(field, row))
        setCellText(edit, text);
}

void CalcFormDialog::addModeButtons(EditMode mode, QPoint manualAt, QPoint autoAt,
                                    std::vector<QLineEdit*> computed) {
    m_mode = mode;
    m_computed = std::move(computed);
    // Made one after the other, so that Tab reaches them in the order they are drawn.
    QRadioButton* manual = addRadio(QStringLiteral("manualMode"), tr("Manual Edit Mode"),
                                    units(manualAt.x(), manualAt.y(), 66, 12));
    QRadioButton* automatic = addRadio(QStringLiteral("autoMode"), tr("Auto Edit Mode"),
                                       units(autoAt.x(), autoAt.y(), 66, 12));
    m_modes = new ModeButtons(manual, automatic, std::move(mode));
    // Tab goes along the bottom row as it is drawn, from OK rightwards, after the last field:
    // OK and Cancel were made first and the mode buttons last, which put the mode buttons
    // between the last field and OK.
    const QRect okArea = findChild<QPushButton*>(QStringLiteral("ok"))->geometry();
    std::vector<QAbstractButton*> row;
    for (QAbstractButton* b : findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly))
        if (b->geometry().top() <= okArea.bottom() && b->geometry().bottom() >= okArea.top())
            row.push_back(b);
    std::sort(row.begin(), row.end(),
              [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
    for (std::size_t i = 1; i < row.size(); ++i)
        setTabOrder(row[i - 1], row[i]);
    // Locked, the computed values stay as readable as typed ones: normal text on the form's grey.
    for (QLineEdit* edit : m_computed) {
        QPalette locked = edit->palette();
        locked.setColor(QPalette::Disabled, QPalette::Text, Qt::black);
        locked.setColor(QPalette::Disabled, QPalette::Base, palette().color(QPalette::Window));
        edit->setPalette(locked);
    }
    // Switching computes nothing: the computed columns keep their texts until a position changes.
    connect(m_modes, &ModeButtons::modeChanged, this, &CalcFormDialog::applyEditMode);
}

void CalcFormDialog::applyEditMode() {
    m_modes->show();
    for (QLineEdit* edit : m_computed) {
        edit->setReadOnly(m_mode.isAuto());
        edit->setEnabled(!m_mode.isAuto());
    }
}

ModeButtons::ModeButtons(QAbstractButton* manual, QAbstractButton* automatic, EditMode mode)
    : QObject(manual), m_manual(manual), m_auto(automatic), m_mode(std::move(mode)) {
    for (QAbstractButton* b : {m_manual, m_auto})
        b->setCheckable(true);
    // A click selects that button's mode; a click on the mode in force changes nothing.
    connect(m_manual, &QPushButton::clicked, this, [this] { select(false); });
    connect(m_auto, &QPushButton::clicked, this, [this] { select(true); });
}

void ModeButtons::show() {
    m_auto->setChecked(m_mode.isAuto());
    m_manual->setChecked(!m_mode.isAuto());
}

void ModeButtons::select(bool automatic) {
    const bool changed = m_mode.isAuto() != automatic;
    m_mode.setAuto(automatic);
    show();
    if (changed)
        emit modeChanged();
}

} // namespace rk7
