#include "app/form_commands.h"

#include "app/store_saver.h"
#include "document/roster_document.h"
#include "editors/set_drivers_dialog.h"
#include "editors/set_editpower_dialog.h"
#include "editors/set_ranfail_dialog.h"
#include "editors/set_teams_dialog.h"
#include "editors/spare_dialog.h"
#include "model/roster_parts.h"

#include <QCoreApplication>

namespace rk7 {

namespace {

// The undo step of a form, named for the form.
QString StepName(RosterPartSet parts) {
    if (parts & PowerTablesPart)
        return QCoreApplication::translate("rk7::FormCommands", "Edit Powers");
    if (parts & TeamsPart)
        return QCoreApplication::translate("rk7::FormCommands", "Edit Teams");
    if (parts & DriversPart)
        return QCoreApplication::translate("rk7::FormCommands", "Edit Drivers");
    if (parts & SparesPart)
        return QCoreApplication::translate("rk7::FormCommands", "Edit Spare Drivers");
    return QCoreApplication::translate("rk7::FormCommands", "Edit Range/Failure");
}

} // namespace

FormCommands::FormCommands(RosterDocument& document, StoreSaver& saver, QWidget* window,
                           QObject* parent)
    : QObject(parent), m_document(document), m_saver(saver), m_window(window) {}

EditorContext FormCommands::makeEditorContext(Roster& working) {
    RosterDocument* document = &m_document;
    return {working,
            {[document] { return document->autoMode(); },
             [document](bool on) {
                 document->setAutoMode(on);
             }},
            [this, &working](const Roster& base, RosterPartSet parts, StoreFileSet stores) {
                return m_saver.commitEdit(base, working, parts, stores, StepName(parts));
            }};
}

template <typename Dialog>
void FormCommands::run(RosterPartSet parts, StoreFileSet stores, std::optional<FieldCell> focus) {
    // The form edits a copy. Its OK takes only the cells the user changed into the roster as it
    // is then, so that another program's change made meanwhile is neither lost nor overwritten
    // unseen; the view shows the edit even when the save fails.
    Roster working = m_document.roster();
    const Roster base = working;
    Dialog dialog(makeEditorContext(working), m_window);
    if (focus)
        dialog.focusField(focus->first, focus->second);
    dialog.setAcceptCheck(
        [&] { return m_saver.commitEdit(base, working, parts, stores, StepName(parts)); });
    dialog.exec();
}

void FormCommands::open(RosterPart part, std::optional<FieldCell> focus) {
    switch (part) {
    case TeamsPart:
        return run<SetTeamsDialog>(TeamsPart, TeamsStore, focus);
    case DriversPart:
        return run<SetDriversDialog>(DriversPart, DriversStore, focus);
    case SparesPart:
        // Spare drivers stay in memory until Drivers.rk is next written.
        return run<SpareDialog>(SparesPart, {}, focus);
    case PowerTablesPart:
        // The driver powers it recalculates wait in memory for Drivers.rk's next save.
        return run<SetEditpowerDialog>(PowerTablesPart | DriversPart, PowersStore, focus);
    case RangeFailurePart:
        return run<SetRanFailDialog>(RangeFailurePart, RanFailStore, focus);
    default:
        return;
    }
}

void FormCommands::editTeams() {
    open(TeamsPart);
}

void FormCommands::editMainDrivers() {
    open(DriversPart);
}

void FormCommands::editSpareDrivers() {
    open(SparesPart);
}

void FormCommands::editPowers() {
    open(PowerTablesPart);
}

void FormCommands::editRangeFailure() {
    open(RangeFailurePart);
}

void FormCommands::editField(Field field, int row) {
    // Each part has its form, and the schema knows each field's part.
    open(PartOf(field), FieldCell{field, row});
}

} // namespace rk7
