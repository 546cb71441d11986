#pragma once

#include "model/roster.h"
#include "model/roster_schema.h"

#include <memory>

class QMimeData;

namespace rk7 {

// A view of the roster for the clipboard: its captions and every row as tab-separated text, the
// cells as they hold them, and the same as an HTML table, so that a spreadsheet pastes it as
// columns. The same table rk7power-cli show prints. QClipboard::setMimeData takes it over:
//   QGuiApplication::clipboard()->setMimeData(ViewMimeData(roster, view).release());
std::unique_ptr<QMimeData> ViewMimeData(const Roster& roster, View view);

} // namespace rk7
