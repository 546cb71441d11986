#include "app/form_commands.h"

#include "app/roster_document.h"
#include "app/store_saver.h"
#include "editors/set_drivers_dialog.h"
#include "editors/set_editpower_dialog.h"
#include "editors/set_ranfail_dialog.h"
#include "editors/set_teams_dialog.h"
#include "editors/spare_dialog.h"
#include "model/roster_parts.h"

namespace rk7 {

namespace {

// The undo step of a form, named for the form.
QString StepName(unsigned parts) {
    if (parts & PowerTablesPart)
        return QStringLiteral("Edit Powers");
    if (parts & TeamsPart)
        return QStringLiteral("Edit Teams");
    if (parts & DriversPart)
        return QStringLiteral("Edit Drivers");
    if (parts & SparesPart)
        return QStringLiteral("Edit Spare Drivers");
    return QStringLiteral("Edit Range/Failure");
}

} // namespace

FormCommands::FormCommands(RosterDocument& document, StoreSaver& saver, QWidget* window,
                           QObject* parent)
    : QObject(parent), m_document(document), m_saver(saver), m_window(window) {}

EditorContext FormCommands::makeEditorContext(Roster& working) {
    return {working, m_document.autoMode(), [this, &working](unsigned parts, unsigned stores) {
                m_document.apply(working, parts, StepName(parts));
                return stores == 0 || m_saver.save(stores);
            }};
}

template <typename Dialog>
void FormCommands::run(unsigned parts, unsigned stores) {
    // The form edits a copy; the roster takes its parts only when it is accepted.
    Roster working = m_document.roster();
    Dialog dialog(makeEditorContext(working), m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The view shows the edit even when the save fails; the roster keeps it either way.
    m_document.apply(working, parts, StepName(parts));
    if (stores != 0)
        m_saver.save(stores);
}

void FormCommands::editTeams() {
    run<SetTeamsDialog>(TeamsPart, TeamsStore);
}

void FormCommands::editMainDrivers() {
    run<SetDriversDialog>(DriversPart, DriversStore);
}

void FormCommands::editSpareDrivers() {
    // Spare drivers stay in memory until Drivers.rk is next written.
    run<SpareDialog>(SparesPart, 0);
}

void FormCommands::editPowers() {
    // The driver powers it recalculates wait in memory for Drivers.rk's next save.
    run<SetEditpowerDialog>(PowerTablesPart | DriversPart, PowersStore);
}

void FormCommands::editRangeFailure() {
    run<SetRanFailDialog>(RangeFailurePart, RanFailStore);
}

} // namespace rk7
