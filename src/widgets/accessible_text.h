#pragma once

#include "model/roster.h"
#include "model/roster_schema.h"

#include <QString>

namespace rk7 {

// What a screen reader says for the things the GUI shows: the words come from the schema and the
// menus, translated where the GUI shows them.

// A menu or button text as it is heard: without its mnemonic marks ("&Open" is "Open", "&&" an
// ampersand).
QString WithoutMnemonic(const QString& text);

// What a field is, in words: the schema's label, translated.
QString FieldDescription(Field field);

// The accessible name of the edit of cell row of field: whose cell it is (the team, driver or
// spare driver by number and by its name in roster, or the position) and what the field is,
// "Team 3, Benetton: team race position of the first car".
QString FieldAccessibleName(const Roster& roster, Field field, int row);

} // namespace rk7
