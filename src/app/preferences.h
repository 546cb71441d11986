#pragma once

#include "model/status.h"

#include <QString>

namespace rk7 {

// RK7_Power.ini in the user's configuration folder; empty when the environment names no home
// or configuration folder, and the edit mode can only be kept in memory.
QString PreferencesPath();

// Auto Edit Mode is on only when [Preferences] AutoMode reads "TRUE", in any letter case;
// anything else, or no file at all, means manual mode.
bool ReadAutoMode(const QString& path);
Status WriteAutoMode(const QString& path, bool autoMode);

} // namespace rk7
