#pragma once

#include "model/cell.h"
#include "model/roster.h"
#include "model/roster_schema.h"

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <QDialog>
#include <QLineEdit>
#include <QString>
#include <QStringList>

class QLabel;
class QPushButton;
class QRadioButton;

namespace rk7 {

// A column of edits on a form: the cells of one roster field, one edit a row. x and w are
// dialog units.
struct FormColumn {
    Field field;
    const char* text; // its heading, or nullptr under the heading of the column before; a form
                      // without headings shows it in the edits' tooltips
    int x, w;
};

// The common ground of the five editors and the information dialogs: a fixed form laid out in
// dialog units (a quarter of the font's average character width, an eighth of its height), on light
// grey, centred on the screen. Every control has an object name that says what it is: "ok",
// "manualMode", and for the edit of a roster cell its field and row, so "teamName0" finds the first
// team name.
class FormDialog : public QDialog {
    Q_OBJECT

public:
    // fontScale enlarges the dialog font (and with it the units) for a form drawn in a larger
    // face than the editors' 8 points: 10 / 8 for a 10-point form.
    FormDialog(QWidget* parent, const QString& caption, QSize sizeInUnits, qreal fontScale = 1.0);

    // The object name of the edit of cell row of a field: the field's name as the schema gives
    // it, camel-cased, and the row, "teamName0" ("teamQualPosD1_0" where the name ends in a
    // digit, so that the row does not read as part of it).
    static QString fieldObjectName(Field field, int row);

    // Pixels for dialog units.
    QRect units(int x, int y, int w, int h) const;
    // Runs on OK after the form has taken its fields; false keeps the form open.
    void setAcceptCheck(std::function<bool()> check) { m_acceptCheck = std::move(check); }
    void accept() override;

    // Puts the keyboard in the widget of cell row of field, its text selected. A cell the form
    // has locked (computed in Auto Edit Mode) puts it in the first field of the same row that
    // takes typing instead. False when the form shows neither.
    bool focusField(Field field, int row);

protected:
    // The font of labels and mode buttons.
    QFont textFont() const;
    // An edit for a cell of the given width: one character fewer can be typed, and only
    // characters that Windows-1252 holds.
    QLineEdit* addEdit(const QString& name, QRect area, std::size_t cellWidth);
    // An edit for cell row of a roster field, as wide as the field's cells allow, named by
    // fieldObjectName.
    QLineEdit* addFieldEdit(QRect area, Field field, int row);
    // The column's edit for a row, at height y, the column standing dx units right of its x.
    QLineEdit* addColumnEdit(const FormColumn& column, int row, int dx, int y);
    // The edit of cell row of a field; nullptr when the form has none.
    QLineEdit* fieldEdit(Field field, int row) const;
    // The widget that edits cell row of a field: its edit, unless the form shows the cell in
    // another kind of widget.
    virtual QWidget* fieldWidget(Field field, int row) const { return fieldEdit(field, row); }
    // Every edit added with addFieldEdit shows its cell of roster, and takes its accessible name
    // from it (FieldAccessibleName).
    void showCells(const Roster& roster);
    // Every such edit's text goes into its cell of roster, cut to the cell.
    void storeCells(Roster& roster) const;
    QLabel* addLabel(const QString& text, QRect area, Qt::Alignment align = Qt::AlignLeft);
    // A label left of edit whose text stands on the same line as the edit's text.
    QLabel* addLabelFor(const QLineEdit* edit, const QString& text, QRect area);
    // A label on a shaded panel that starts 2 units left of and 1 above the label.
    QLabel* addPanelLabel(const QString& text, int x, int y);
    QPushButton* addButton(const QString& name, const QString& text, QRect area);
    // A radio-style button that the form checks itself.
    QRadioButton* addRadio(const QString& name, const QString& text, QRect area);
    void addFrame(const QString& name, QRect area);
    // OK (default) and Cancel at their usual place, named "ok" and "cancel".
    void addOkCancel(int y = 215);

    static void setCellText(QLineEdit* edit, std::string_view text);
    static std::string cellText(const QLineEdit* edit);
    // Copies an edit's text into a cell, cut to the cell.
    static void store(CellRef cell, const QLineEdit* edit) { cell.SetText(cellText(edit)); }

    void showEvent(QShowEvent* event) override;

private:
    // Lines pasted into cell row of a field go into that edit and the ones below it, one line
    // each, as if typed there.
    void pasteColumn(Field field, int row, const QStringList& lines);

    std::function<bool()> m_acceptCheck;
    QSize m_unit; // pixels for 4 x 8 dialog units
    // The edits of addFieldEdit, by field and row; nullptr for a row the form does not show.
    std::array<std::vector<QLineEdit*>, FieldCount> m_fieldEdits;
};

} // namespace rk7
