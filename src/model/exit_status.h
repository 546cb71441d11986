#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

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

// A status and what it means to the program or command whose help lists it.
struct ExitStatusMeaning {
    ExitStatus status;
    std::string_view meaning;
};

// "0 done, 2 wrong arguments": the statuses for a help text, numbered from the enum above so
// that no help can disagree with what the program returns.
inline std::string DescribeExitStatuses(std::initializer_list<ExitStatusMeaning> statuses,
                                        std::string_view separator) {
    std::string text;
    for (const ExitStatusMeaning& s : statuses) {
        if (!text.empty())
            text += separator;
        text += std::to_string(static_cast<int>(s.status));
        text += ' ';
        text += s.meaning;
    }
    return text;
}

} // namespace rk7
