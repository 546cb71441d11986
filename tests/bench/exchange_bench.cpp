#include "bench/season_roster.h"
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
    for (auto _ : state) {
        auto result = ParsePerformanceFile(file, roster, dialect);
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
}
BENCHMARK_CAPTURE(BM_ParsePerformanceFile, native, Dialect::Native);
BENCHMARK_CAPTURE(BM_ParsePerformanceFile, exchange, Dialect::Exchange);

void BM_WritePerformanceFile(benchmark::State& state, Dialect dialect, Durability durability) {
    const Roster roster = SeasonRoster();
    const std::string path = ExchangeBenchFolder() + "/write.txt";
    for (auto _ : state)
        if (!WritePerformanceFile(roster, dialect, path, durability))
            state.SkipWithError("write failed");
}
BENCHMARK_CAPTURE(BM_WritePerformanceFile, native, Dialect::Native, Durability::NoFlush);
BENCHMARK_CAPTURE(BM_WritePerformanceFile, exchange, Dialect::Exchange, Durability::NoFlush);
BENCHMARK_CAPTURE(BM_WritePerformanceFile, native_flush, Dialect::Native, Durability::Flush);
BENCHMARK_CAPTURE(BM_WritePerformanceFile, exchange_flush, Dialect::Exchange, Durability::Flush);

void BM_ReadPerformanceFile(benchmark::State& state, Dialect dialect) {
    const std::string path = ExchangeBenchFolder() + "/read.txt";
    if (!WritePerformanceFile(SeasonRoster(), dialect, path, Durability::NoFlush))
        std::abort();
    Roster roster;
    for (auto _ : state) {
        auto result = ReadPerformanceFile(path, roster, dialect);
        if (!result.IsOk())
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK_CAPTURE(BM_ReadPerformanceFile, native, Dialect::Native);
BENCHMARK_CAPTURE(BM_ReadPerformanceFile, exchange, Dialect::Exchange);

} // namespace
} // namespace rk7
