#include "core/fault_writers.h"

#include "exchange/performance_file.h"
#include "model/store.h"

namespace rk7::test {

namespace {

template <StoreFile F>
Status SaveInto(const Roster& roster, ProgramState& state, const std::string& folder) {
    state.folder = ResolveRosterFolder(folder);
    return SaveStore(roster, state, F);
}

template <StoreFile F>
std::string StoreBytes(const Roster& roster) {
    return SerializeStore(roster, F);
}

template <Dialect D>
Status WriteInto(const Roster& roster, ProgramState&, const std::string& folder) {
    return WritePerformanceFile(roster, D, folder + "/roster.txt");
}

template <Dialect D>
std::string FileBytes(const Roster& roster) {
    return FormatPerformanceFile(roster, D);
}

} // namespace

const std::vector<FileWriter>& FileWriters() {
    static const std::vector<FileWriter> writers = {
        {"Teams", "Teams.rk", TeamsStore, SaveInto<TeamsStore>, StoreBytes<TeamsStore>},
        {"Drivers", "Drivers.rk", DriversStore, SaveInto<DriversStore>, StoreBytes<DriversStore>},
        {"EPowers", "EPowers.rk", PowersStore, SaveInto<PowersStore>, StoreBytes<PowersStore>},
        {"RanFail", "RanFail.rk", RanFailStore, SaveInto<RanFailStore>, StoreBytes<RanFailStore>},
        {"Native", "roster.txt", StoreFile{}, WriteInto<Dialect::Native>,
         FileBytes<Dialect::Native>},
        {"Exchange", "roster.txt", StoreFile{}, WriteInto<Dialect::Exchange>,
         FileBytes<Dialect::Exchange>},
    };
    return writers;
}

void PrintTo(const FileWriter& writer, std::ostream* out) {
    *out << writer.name;
}

const FileWriter* FindFileWriter(std::string_view name) {
    for (const FileWriter& writer : FileWriters())
        if (writer.name == name)
            return &writer;
    return nullptr;
}

Roster EditedRoster() {
    Roster r;
    auto fill = [](auto& column, char c) {
        for (auto& cell : column)
            cell.SetText(std::string(cell.MaxChars, c));
    };
    fill(r.TeamName, 'T'), fill(r.EngineName, 'E'), fill(r.DriverName, 'D');
    fill(r.SpareName, 'S'), fill(r.CarNumber, '9'), fill(r.TeamFailure, '8');
    fill(r.DriverPowerByPos, '7'), fill(r.RangeByPos, '6'), fill(r.FailureByPos, '5');
    r.TeamStartQual.SetText("701");
    return r;
}

} // namespace rk7::test
