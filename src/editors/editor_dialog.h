#pragma once

#include "model/calc.h"
#include "model/roster.h"
#include "model/roster_parts.h"
#include "widgets/form_dialog.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <QDialog>
#include <QLineEdit>
#include <QString>

class QAbstractButton;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace rk7 {

// The program-wide edit mode as the forms see it: what it is now, and a switch that the whole
// program takes.
struct EditMode {
    std::function<bool()> isAuto;
    std::function<void(bool)> setAuto;
};

// What an editor works on: its own copy of the roster, which the program takes over when the
// form is accepted, and the program-wide edit mode.
struct EditorContext {
    Roster& roster;
    EditMode mode;
    // For a form opened from a form, which takes effect at once: the cells of the parts that
    // the user changed in roster since base go to the program, and the store files are saved
    // together. False when the user cancelled at a
    // question, so that the inner form stays open.
    std::function<bool(const Roster& base, RosterPartSet parts, StoreFileSet stores)> commit;
};

// Auto and Manual Edit Mode buttons of the teams and drivers editors.
class ModeButtons : public QObject {
    Q_OBJECT

public:
    ModeButtons(QAbstractButton* manual, QAbstractButton* automatic, EditMode mode);
    // Shows the mode: the button of the current mode is checked.
    void show();

signals:
    void modeChanged();

private:
    void select(bool automatic);
    QAbstractButton* m_manual;
    QAbstractButton* m_auto;
    EditMode m_mode;
};

// An editor whose form the calculation passes run on: a field of the form is its edit of the
// roster field (addFieldEdit).
class CalcFormDialog : public FormDialog, public CalcForm {
    Q_OBJECT

public:
    using FormDialog::FormDialog;

    std::string FieldText(Field field, int row) const override;
    void SetFieldText(Field field, int row, std::string_view text) override;

protected:
    // The two mode buttons; computed are the edits that Auto Edit Mode fills and locks.
    void addModeButtons(EditMode mode, QPoint manualAt, QPoint autoAt,
                        std::vector<QLineEdit*> computed);
    // Shows the mode on the buttons and locks or frees the computed edits.
    void applyEditMode();

private:
    ModeButtons* m_modes = nullptr;
    EditMode m_mode;
    std::vector<QLineEdit*> m_computed;
};

} // namespace rk7
