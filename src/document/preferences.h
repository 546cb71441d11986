#pragma once

#include "model/status.h"

#include <QString>

namespace rk7 {

// RK7_Power.ini in the user's configuration folder; empty when the environment names no home
// or configuration folder, and the edit mode can only be kept in memory.
QString PreferencesPath();
// The program's own settings (recent roster folders, view options), beside RK7_Power.ini in a
// folder of its own; empty in the same case.
QString SettingsPath();
// The table fonts fitted at an earlier start, $XDG_CACHE_HOME/rk7power/table-fonts; empty when
// the environment names neither folder.
QString TableFontsPath();
// The start frame kept from an earlier run, $XDG_CACHE_HOME/rk7power/start-frame; empty in the
// same case.
QString StartFramePath();
// The roster folder of the user's own, $XDG_DATA_HOME/rk7power (~/.local/share/rk7power);
// empty when the environment names neither folder.
QString UserRosterFolder();

// The file is a profile in the Windows manner: section and key names match in any letter case,
// and the first section of a name is the one that counts. Auto Edit Mode is on only when
// [Preferences] AutoMode reads "TRUE", in any letter case; anything else, or no file at all,
// means manual mode.
bool ReadAutoMode(const QString& path);
// Sets the key's value and keeps every other byte of the file: comments, other sections, line
// ends. The section or the key is added when it is missing.
Status WriteAutoMode(const QString& path, bool autoMode);

} // namespace rk7
