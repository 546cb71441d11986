#include "views/view_clipboard.h"

#include "model/roster_table.h"

#include <QMimeData>
#include <QString>

namespace rk7 {

std::unique_ptr<QMimeData> ViewMimeData(const Roster& roster, View view) {
    const RosterTable table = MakeRosterTable(roster, view);
    auto data = std::make_unique<QMimeData>();
    // The table's texts are UTF-8 already.
    data->setText(QString::fromStdString(TableAsTsv(table)));
    data->setHtml(QString::fromStdString(TableAsHtml(table)));
    return data;
}

} // namespace rk7
