#pragma once

#include "model/program_state.h"
#include "model/roster.h"
#include "model/status.h"

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace rk7::test {

// Everything that writes a file of the roster: the four store saves and the two Performance
// File writers, each writing into a folder.
struct FileWriter {
    std::string_view name;     // for test names and the helper's command line
    std::string_view fileName; // the file it writes in the folder
    StoreFile store;           // the store file it saves, or 0 for a Performance File
    Status (*write)(const Roster& roster, ProgramState& state, const std::string& folder);
    // The file's bytes as the writer makes them from roster.
    std::string (*bytes)(const Roster& roster);
};

const std::vector<FileWriter>& FileWriters();
// Test output names a writer by its name.
void PrintTo(const FileWriter& writer, std::ostream* out);
const FileWriter* FindFileWriter(std::string_view name);

// A roster that differs from the built-in one in every file: every name filled to its width, so
// the files grow too.
Roster EditedRoster();

} // namespace rk7::test
