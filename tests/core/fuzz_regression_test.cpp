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

TEST_P(FuzzInputs, InputsThatOnceFailedKeepEveryRule) {
    Replay(FilesIn(FuzzFolder / "regressions" / GetParam().name));
}

INSTANTIATE_TEST_SUITE_P(Fuzz, FuzzInputs, ::testing::ValuesIn(fuzz::Targets),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace rk7
