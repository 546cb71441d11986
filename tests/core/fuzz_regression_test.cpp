// Replays the fuzz targets' seed corpora and every input that ever broke one of them through the
// targets' own checks, in the ordinary build, so that a fault once found stays fixed.
#include "fuzz/fuzz_checks.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace rk7 {
namespace {

namespace fs = std::filesystem;

const fs::path FuzzFolder = RK7_FUZZ_DIR;

std::vector<fs::path> FilesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    if (fs::is_directory(folder))
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.is_regular_file())
                files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class FuzzInputs : public ::testing::TestWithParam<fuzz::Target> {
protected:
    void Replay(const std::vector<fs::path>& files) {
        for (const fs::path& file : files) {
            SCOPED_TRACE(file.string());
            for (const std::string& problem : GetParam().check(Contents(file)))
                ADD_FAILURE() << problem;
        }
    }
};

TEST_P(FuzzInputs, SeedCorpusKeepsEveryRule) {
    const auto seeds = FilesIn(FuzzFolder / "corpus" / GetParam().name);
    ASSERT_GE(seeds.size(), 3u) << "the seed corpus of " << GetParam().name << " is missing";
    Replay(seeds);
}

// A target that no fuzz run has broken has no folder (git keeps no empty one): its test is
// skipped with that reason rather than passing with nothing replayed.
TEST_P(FuzzInputs, InputsThatOnceFailedKeepEveryRule) {
    const auto inputs = FilesIn(FuzzFolder / "regressions" / GetParam().name);
    if (inputs.empty())
        GTEST_SKIP() << "no input has broken " << GetParam().name << " yet: tests/fuzz/regressions/"
                     << GetParam().name << "/ holds none";
    Replay(inputs);
}

INSTANTIATE_TEST_SUITE_P(Fuzz, FuzzInputs, ::testing::ValuesIn(fuzz::Targets),
                         [](const auto& info) { return std::string(info.param.name); });

// An input copied under a misspelt folder, or into a subfolder, would never be replayed.
TEST(FuzzRegressions, EveryInputIsWhereItsTargetReplaysIt) {
    const fs::path regressions = FuzzFolder / "regressions";
    ASSERT_TRUE(fs::is_directory(regressions)) << regressions;
    for (const auto& entry : fs::directory_iterator(regressions)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file()) {
            EXPECT_EQ(name, "README.md") << "a file outside the targets' folders: " << entry.path();
            continue;
        }
        const bool isTarget = std::any_of(std::begin(fuzz::Targets), std::end(fuzz::Targets),
                                          [&](const fuzz::Target& t) { return t.name == name; });
        EXPECT_TRUE(entry.is_directory() && isTarget)
            << "not a fuzz target's folder: " << entry.path();
        if (entry.is_directory()) {
            for (const auto& input : fs::directory_iterator(entry.path()))
                EXPECT_TRUE(input.is_regular_file()) << "not replayed: " << input.path();
        }
    }
}

} // namespace
} // namespace rk7
