// rk7-fault-helper: writes one file of the roster the way the program does, for tests that have
// to make the write fail in another process (a full or read-only file system mounted in a
// private namespace):
//   rk7-fault-helper WRITER FOLDER [edited]
// WRITER is Teams, Drivers, EPowers, RanFail, Native or Exchange. Writes the built-in roster, or
// the edited one; exits 0 when written, 1 with the error on stderr when not, 2 on a bad command.
#include "core/fault_writers.h"

#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4 || (argc == 4 && std::string(argv[3]) != "edited")) {
        std::cerr << "usage: rk7-fault-helper WRITER FOLDER [edited]\n";
        return 2;
    }
    const rk7::test::FileWriter* writer = rk7::test::FindFileWriter(argv[1]);
    if (!writer) {
        std::cerr << "no writer " << argv[1] << '\n';
        return 2;
    }
    const rk7::Roster roster = argc == 4 ? rk7::test::EditedRoster() : rk7::Roster();
    rk7::ProgramState state;
    const rk7::Status status = writer->write(roster, state, argv[2]);
    if (status)
        return 0;
    std::cerr << status.Error() << '\n';
    return 1;
}
