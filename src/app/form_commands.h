#pragma once

#include "model/roster_parts.h"
#include "model/roster_schema.h"

#include <optional>
#include <utility>

#include <QObject>

namespace rk7 {

class RosterDocument;
class StoreSaver;
struct EditorContext;
struct Roster;

// The five forms. Each works on a copy of the roster, which the document takes when the form
// is accepted; then the form's store files are saved.
class FormCommands : public QObject {
    Q_OBJECT

public:
    FormCommands(RosterDocument& document, StoreSaver& saver, QWidget* window,
                 QObject* parent = nullptr);

    void editTeams();
    void editMainDrivers();
    void editSpareDrivers();
    void editPowers();
    void editRangeFailure();
    // The form that edits cell row of field, opened with the keyboard in that cell.
    void editField(Field field, int row);

    // The context a form works in, on its working copy of the roster.
    EditorContext makeEditorContext(Roster& working);

private:
    using FieldCell = std::pair<Field, int>;

    // Runs the form of a part, with the keyboard in the given cell, if any.
    void open(RosterPart part, std::optional<FieldCell> focus = std::nullopt);
    // Runs a form modally; after OK the roster takes the parts the form edits (RosterPart
    // bits), and the store files given are saved.
    template <typename Dialog>
    void run(RosterPartSet parts, StoreFileSet stores, std::optional<FieldCell> focus);

    RosterDocument& m_document;
    StoreSaver& m_saver;
    QWidget* m_window;
};

} // namespace rk7
