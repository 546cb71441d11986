#include "bench/season_roster.h"
#include "exchange/performance_file.h"
#include "model/calc.h"
#include "model/roster_diff.h"
#include "model/roster_parts.h"
#include "model/store.h"

#include <array>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace rk7 {
namespace {

// A scratch folder for the file benchmarks, removed at exit.
const std::string& BenchFolder() {
    static const std::string path = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "rk7-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        std::atexit([] { std::filesystem::remove_all(BenchFolder()); });
        return pattern;
    }();
    return path;
}

void BM_LoadStore(benchmark::State& state) {
    Roster roster;
    ProgramState program;
    program.folder = ResolveRosterFolder(BenchFolder());
    for (StoreFile f : StoreFiles)
        if (!SaveStore(roster, program, f, Durability::NoFlush))
            std::abort();
    for (auto _ : state) {
        auto report = LoadStore(roster, program, BenchFolder());
        benchmark::DoNotOptimize(report);
    }
}
BENCHMARK(BM_LoadStore);

void BM_SaveAllStores(benchmark::State& state) {
    const Roster roster;
    ProgramState program;
    program.folder = ResolveRosterFolder(BenchFolder());
    const auto durability = state.range(0) ? Durability::Flush : Durability::NoFlush;
    for (auto _ : state)
        for (StoreFile f : StoreFiles)
            if (!SaveStore(roster, program, f, durability))
                state.SkipWithError("save failed");
}
BENCHMARK(BM_SaveAllStores)->ArgName("flush")->Arg(0)->Arg(1);

// Each store file on its own, as an editor's OK saves it.
void BM_SaveStore(benchmark::State& state) {
    const Roster roster;
    ProgramState program;
    program.folder = ResolveRosterFolder(BenchFolder());
    const StoreFile file = StoreFiles[static_cast<std::size_t>(state.range(0))];
    const auto durability = state.range(1) ? Durability::Flush : Durability::NoFlush;
    for (auto _ : state)
        if (!SaveStore(roster, program, file, durability))
            state.SkipWithError("save failed");
    state.SetLabel(StoreFileName(file));
}
BENCHMARK(BM_SaveStore)->ArgNames({"file", "flush"})->ArgsProduct({{0, 1, 2, 3}, {0, 1}});

// Teams.rk and Drivers.rk saved together, as an import or the exit prompt saves them: the folder
// lock, the two temporary files, the journal, the renames.
void BM_SaveTeamsAndDrivers(benchmark::State& state) {
    const Roster roster;
    ProgramState program;
    program.folder = ResolveRosterFolder(BenchFolder());
    const auto durability = state.range(0) ? Durability::Flush : Durability::NoFlush;
    for (auto _ : state)
        if (!SaveStores(roster, program, TeamsStore | DriversStore, durability))
            state.SkipWithError("save failed");
}
BENCHMARK(BM_SaveTeamsAndDrivers)->ArgName("flush")->Arg(0)->Arg(1);

// What rk7power-cli import does after parsing its arguments: the store files loaded, a season's
// native Performance File read over them, the two files saved together.
void BM_Import(benchmark::State& state) {
    const std::string file = FormatPerformanceFile(SeasonRoster(), Dialect::Native);
    const auto durability = state.range(0) ? Durability::Flush : Durability::NoFlush;
    for (auto _ : state) {
        Roster roster;
        ProgramState program;
        auto report = LoadStore(roster, program, BenchFolder());
        benchmark::DoNotOptimize(report);
        auto read = ParsePerformanceFile(file, roster);
        benchmark::DoNotOptimize(read);
        if (!SaveStores(roster, program, TeamsStore | DriversStore, durability))
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_Import)->ArgName("flush")->Arg(0)->Arg(1);

// What rk7power-cli diff does once the store files are loaded: a season's native Performance File
// read over a copy of the roster, then every cell of the two compared. Against the season's own
// roster nothing differs; against the built-in roster, whose names the season keeps, 270 cells
// do.
void BM_Diff(benchmark::State& state) {
    const std::string file = FormatPerformanceFile(SeasonRoster(), Dialect::Native);
    const Roster roster = state.range(0) ? SeasonRoster() : Roster();
    std::size_t differences = 0;
    for (auto _ : state) {
        Roster other = roster;
        auto read = ParsePerformanceFile(file, other);
        benchmark::DoNotOptimize(read);
        const std::vector<CellDifference> diff = DiffRosters(roster, other);
        differences = diff.size();
        benchmark::DoNotOptimize(diff.data());
    }
    state.counters["differences"] = static_cast<double>(differences);
}
BENCHMARK(BM_Diff)->ArgName("season_roster")->Arg(1)->Arg(0);

// The comparison alone, of two equal season rosters: all 470 cells looked at.
void BM_DiffRosters(benchmark::State& state) {
    const Roster a = SeasonRoster();
    const Roster b = SeasonRoster();
    for (auto _ : state) {
        const std::vector<CellDifference> diff = DiffRosters(a, b);
        benchmark::DoNotOptimize(diff.data());
    }
}
BENCHMARK(BM_DiffRosters);

// The cells an edit changed, as the views mark them after each edit: two equal season rosters
// (an edit that changed nothing), and the built-in roster against the season's (270 cells, as
// an import of a whole season).
void BM_ChangedCells(benchmark::State& state) {
    const Roster a = state.range(0) ? Roster() : SeasonRoster();
    const Roster b = SeasonRoster();
    int changed = 0;
    for (auto _ : state) {
        const CellSet cells = ChangedCells(a, b);
        changed = cells.Size();
        benchmark::DoNotOptimize(cells);
    }
    state.counters["changed"] = changed;
}
BENCHMARK(BM_ChangedCells)->ArgName("whole_season")->Arg(0)->Arg(1);

// The merge of a form's OK alone: the cells the user changed in a whole season's teams, taken
// into a roster that another program changed elsewhere.
void BM_MergeEdit(benchmark::State& state) {
    const Roster base = SeasonRoster();
    Roster edited = base;
    for (int t = 0; t < TeamCount; ++t)
        edited.TeamFailure[t].SetText("123");
    Roster now = base;
    now.DriverName[5].SetText("Changed Elsewhere");
    for (auto _ : state) {
        MergedEdit merged = MergeEdit(base, edited, now, TeamsPart, true);
        benchmark::DoNotOptimize(merged);
    }
}
BENCHMARK(BM_MergeEdit);

// A form of plain cells, as cheap as a form can be, so that the figure is the pass itself.
class CellForm : public CalcForm {
public:
    std::string FieldText(Field field, int row) const override {
        return std::string(Slot(field, row).Text());
    }
    void SetFieldText(Field field, int row, std::string_view text) override {
        const_cast<Cell<8>&>(Slot(field, row)).SetText(text);
    }
    void Set(Field field, int row, const char* text) {
        const_cast<Cell<8>&>(Slot(field, row)).SetText(text);
    }

private:
    const Cell<8>& Slot(Field field, int row) const {
        return m_cells[static_cast<int>(field)][row];
    }
    std::array<std::array<Cell<8>, DriverCount>, FieldCount> m_cells{};
};

void BM_TeamPass(benchmark::State& state) {
    const Roster roster;
    CellForm form;
    for (int t = 0; t < TeamCount; ++t)
        for (auto f : {Field::TeamQualPosD1, Field::TeamQualPosD2, Field::TeamRacePosD1,
                       Field::TeamRacePosD2})
            form.Set(f, t, std::to_string(t + 1).c_str());
    for (auto _ : state)
        TeamRacePass(roster, true, form);
}
BENCHMARK(BM_TeamPass);

void BM_DriverPass(benchmark::State& state) {
    const Roster roster;
    CellForm form;
    for (int d = 0; d < DriverCount; ++d)
        form.Set(Field::DriverRacePos, d, std::to_string(d + 1).c_str());
    for (auto _ : state)
        DriverRacePass(roster, true, form);
}
BENCHMARK(BM_DriverPass);

} // namespace
} // namespace rk7
