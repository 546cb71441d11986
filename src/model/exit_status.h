#pragma once

namespace rk7 {

// The exit statuses of rk7power-cli and rk7power-render; scripts rely on them.
enum ExitStatus : int {
    ExitSuccess = 0,
    ExitDiagnostics = 1,        // check found values that were not taken as they stood
    ExitCellsDiffer = 1,        // diff found cells that differ
    ExitUsage = 2,              // the command line was wrong
    ExitNotPerformanceFile = 3, // the banner was wrong; nothing was written
    ExitFileError = 4,          // a file could not be read or written; nothing half-written
};

} // namespace rk7
