#include "exchange/performance_file.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace rk7 {
namespace {

// A scratch folder for the file benchmarks, removed at exit.
const std::string& ExchangeBenchFolder() {
    static const std::string path = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "rk7-exchange-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        std::atexit([] { std::filesystem::remove_all(ExchangeBenchFolder()); });
        return pattern;
    }();
    return path;
}

// Every cell the files carry filled in, as a season's roster would be.
Roster SeasonRoster() {
    Roster r;
    for (int t = 0; t < TeamCount; ++t) {
        r.TeamRacePower[t].SetText(std::to_string(780 + t));
        r.TeamQualPower[t].SetText(std::to_string(800 + t));
        r.TeamFailure[t].SetText(std::to_string(2600 + 100 * t));
        r.TeamQualPosD1(t).SetText(std::to_string(t + 1));
        r.TeamQualPosD2(t).SetText(std::to_string(t + 15));
        r.TeamRacePosD1(t).SetText(std::to_string(t + 1));
        r.TeamRacePosD2(t).SetText(std::to_string(t + 15));
    }
    for (int d = 0; d < DriverCount; ++d) {
        r.CarNumber[d].SetText(std::to_string(d + 1));
        r.DriverQualPower[d].SetText(std::to_string(16200 + d));
        r.DriverRacePower[d].SetText(std::to_string(15750 + d));
        r.DriverRange[d].SetText(std::to_string(500 + 50 * d));
        r.DriverQualPos[d].SetText(std::to_string(d + 1));
        r.DriverRacePos[d].SetText(std::to_string(28 - d));
    }
    for (int s = 0; s < SpareCount; ++s) {
        r.SpareName[s].SetText("Reserve Driver " + std::to_string(s));
        r.SpareRacePower[s].SetText("15800");
        r.SpareQualPower[s].SetText("16000");
        r.SpareRange[s].SetText("900");
    }
    return r;
}

void BM_FormatPerformanceFile(benchmark::State& state, Dialect dialect) {
    const Roster roster = SeasonRoster();
    for (auto _ : state) {
        std::string file = FormatPerformanceFile(roster, dialect);
        benchmark::DoNotOptimize(file);
    }
}
BENCHMARK_CAPTURE(BM_FormatPerformanceFile, native, Dialect::Native);
BENCHMARK_CAPTURE(BM_FormatPerformanceFile, exchange, Dialect::Exchange);

void BM_ParsePerformanceFile(benchmark::State& state, Dialect dialect) {
    const std::string file = FormatPerformanceFile(SeasonRoster(), dialect);
    Roster roster;
    ProgramState program;
    for (auto _ : state) {
        auto result = ParsePerformanceFile(file, roster, program, dialect);
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
}
BENCHMARK_CAPTURE(BM_ParsePerformanceFile, native, Dialect::Native);
BENCHMARK_CAPTURE(BM_ParsePerformanceFile, exchange, Dialect::Exchange);

void BM_WritePerformanceFile(benchmark::State& state, Dialect dialect) {
    const Roster roster = SeasonRoster();
    const std::string path = ExchangeBenchFolder() + "/write.txt";
    for (auto _ : state)
        if (!WritePerformanceFile(roster, dialect, path, Durability::NoFlush))
            state.SkipWithError("write failed");
}
BENCHMARK_CAPTURE(BM_WritePerformanceFile, native, Dialect::Native);
BENCHMARK_CAPTURE(BM_WritePerformanceFile, exchange, Dialect::Exchange);

void BM_ReadPerformanceFile(benchmark::State& state, Dialect dialect) {
    const std::string path = ExchangeBenchFolder() + "/read.txt";
    if (!WritePerformanceFile(SeasonRoster(), dialect, path, Durability::NoFlush))
        std::abort();
    Roster roster;
    ProgramState program;
    for (auto _ : state) {
        auto result = ReadPerformanceFile(path, roster, program, dialect);
        if (!result.ok())
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK_CAPTURE(BM_ReadPerformanceFile, native, Dialect::Native);
BENCHMARK_CAPTURE(BM_ReadPerformanceFile, exchange, Dialect::Exchange);

} // namespace
} // namespace rk7
