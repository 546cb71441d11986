#pragma once

#include "model/store.h"

#include <QStringList>

namespace rk7 {

// What loading found wrong with the roster folder and its files, one paragraph each.
QStringList RosterFolderProblems(const QString& folder, const LoadStoreReport& report);

// What start-up found wrong with the roster folder, its files and the preferences, one
// paragraph each; empty when all was well. preferencesPath is empty when there is nowhere to
// keep the preferences.
QStringList StartupProblems(const QString& folder, const QString& preferencesPath,
                            const LoadStoreReport& report);

} // namespace rk7
