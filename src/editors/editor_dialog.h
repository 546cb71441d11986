#pragma once

#include "model/calc.h"
#include "model/roster.h"

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

// What an editor works on: its own copy of the roster, which the program takes over when the
// form is accepted, and the program-wide edit mode.
struct EditorContext {
    Roster& roster;
    bool& autoMode;
    // For a form opened from a form, which takes effect at once: hands the parts (RosterPart
    // bits) of roster to the program and saves the store files (StoreFile bits) together. False
    // when a save failed, which has been reported to the user.
    std::function<bool(unsigned parts, unsigned stores)> commit;
};

// Control ids shared by the editors.
namespace ctl {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int ManualMode = 101;
inline constexpr int AutoMode = 102;
} // namespace ctl

// The common ground of the five editors: a fixed form laid out in dialog units (a quarter of the
// font's average character width, an eighth of its height), on light grey, centred on the screen.
// Every control's object name is its id, so "3002" finds the first team name.
class EditorDialog : public QDialog {
    Q_OBJECT

public:
    // fontScale enlarges the dialog font (and with it the units) for a form drawn in a larger
    // face than the editors' 8 points: 10 / 8 for a 10-point form.
    EditorDialog(QWidget* parent, const QString& caption, QSize sizeInUnits, qreal fontScale = 1.0);

    // Pixels for dialog units.
    QRect Units(int x, int y, int w, int h) const;

protected:
    // The font of labels and mode buttons.
    QFont TextFont() const;
    // An edit for a cell of the given width: one character fewer can be typed, and only
    // characters that Windows-1252 holds.
    QLineEdit* AddEdit(int id, QRect units, std::size_t cellWidth);
    QLabel* AddLabel(const QString& text, QRect units, Qt::Alignment align = Qt::AlignLeft);
    // A label left of edit whose text stands on the same line as the edit's text.
    QLabel* AddLabelFor(const QLineEdit* edit, const QString& text, QRect units);
    // A label on a shaded panel that starts 2 units left of and 1 above the label.
    QLabel* AddPanelLabel(const QString& text, int x, int y);
    QPushButton* AddButton(int id, const QString& text, QRect units);
    // A radio-style button that the form checks itself.
    QRadioButton* AddRadio(int id, const QString& text, QRect units);
    void AddFrame(int id, QRect units);
    // OK (default) and Cancel at their usual place.
    void AddOkCancel(int y = 215);

    static void SetCellText(QLineEdit* edit, std::string_view text);
    static std::string CellText(const QLineEdit* edit);
    // Copies an edit's text into a cell, cut to the cell.
    template <std::size_t W>
    static void Store(Cell<W>& cell, const QLineEdit* edit) {
        cell.SetText(CellText(edit));
    }

    void showEvent(QShowEvent* event) override;

private:
    QSize m_unit; // pixels for 4 x 8 dialog units
};

// Auto and Manual Edit Mode buttons of the teams and drivers editors.
class ModeButtons : public QObject {
    Q_OBJECT

public:
    ModeButtons(QAbstractButton* manual, QAbstractButton* automatic, bool& autoMode);
    // Shows the mode: the button of the current mode is checked.
    void Show();

signals:
    void ModeChanged();

private:
    void Select(bool automatic);
    QAbstractButton* m_manual;
    QAbstractButton* m_auto;
    bool& m_autoMode;
};

// An editor whose form the calculation passes run on: a field of the form is an edit of the grid.
class CalcFormDialog : public EditorDialog, public CalcForm {
    Q_OBJECT

public:
    using EditorDialog::EditorDialog;

    std::string FieldText(FormField field, int row) const override;
    void SetFieldText(FormField field, int row, std::string_view text) override;

protected:
    virtual QLineEdit* EditFor(FormField field, int row) const = 0;

    // The two mode buttons; computed are the edits that Auto Edit Mode fills and locks.
    void AddModeButtons(bool& autoMode, QPoint manualAt, QPoint autoAt,
                        std::vector<QLineEdit*> computed);
    // Shows the mode on the buttons and locks or frees the computed edits.
    void ApplyEditMode();

private:
    ModeButtons* m_modes = nullptr;
    bool* m_autoMode = nullptr;
    std::vector<QLineEdit*> m_computed;
};

} // namespace rk7
