#pragma once

#include "app/application.h"
#include "model/roster_parts.h"

namespace rk7::test {

// Changes the program's roster as a form would: f edits a copy, and the program takes it.
template <typename F>
void EditRoster(Application& app, F f) {
    Roster edited = app.document().roster();
    f(edited);
    app.document().apply(edited, AllParts, QStringLiteral("Edit"));
}

} // namespace rk7::test
