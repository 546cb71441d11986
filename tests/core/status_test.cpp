#include "core/test_folder.h"
#include "model/file_io.h"
#include "model/status.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>

namespace rk7 {
namespace {

using test::TestFolder;

Result<std::string> Named(bool good) {
    if (!good)
        return Status::Failure("/folder/Teams.rk: Permission denied");
    return std::string("Teams.rk");
}

TEST(Result, HoldsTheValueOrTheFailureNeverBoth) {
    Result<std::string> good = Named(true);
    ASSERT_TRUE(good.IsOk());
    EXPECT_TRUE(good.AsStatus());
    EXPECT_EQ(good.Error(), "");
    EXPECT_EQ(*good, "Teams.rk");
    EXPECT_EQ(good->size(), 8u);
    good.Value() += "~";
    EXPECT_EQ(std::move(good).Value(), "Teams.rk~");

    const Result<std::string> bad = Named(false);
    EXPECT_FALSE(bad);
    EXPECT_FALSE(bad.AsStatus());
    EXPECT_EQ(bad.Error(), "/folder/Teams.rk: Permission denied");
    EXPECT_DEATH((void)bad.Value(), "");
    EXPECT_DEATH((void)Result<int>{Status::Ok()}, ""); // neither a value nor a failure
}

TEST(Result, AFailureStaysAFailureWhenMovedFrom) {
    Status failed = Status::NotFound("/folder/Teams.rk: No such file or directory");
    const Status taken = std::move(failed);
    for (const Status& s : {failed, taken}) {
        EXPECT_FALSE(s);
        EXPECT_TRUE(s.IsNotFound());
        EXPECT_EQ(s.Error(), "/folder/Teams.rk: No such file or directory");
    }

    Result<std::string> bad = Named(false);
    const Result<std::string> moved = std::move(bad);
    EXPECT_FALSE(bad);
    EXPECT_FALSE(bad.AsStatus());
    EXPECT_EQ(moved.Error(), "/folder/Teams.rk: Permission denied");

    // A value that can only move comes out whole.
    Result<std::unique_ptr<int>> owned = std::make_unique<int>(7);
    const std::unique_ptr<int> out = std::move(owned).Value();
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(*out, 7);
}

TEST(ReadFile, TellsAMissingFileFromOneThatCannotBeRead) {
    TestFolder folder;
    TestFolder::Write(folder.File("Teams.rk"), "0123456789");
    std::filesystem::create_directory(folder.File("Drivers.rk"));

    const Result<FileContents> part = ReadFile(folder.File("Teams.rk"), 4);
    ASSERT_TRUE(part) << part.Error();
    EXPECT_EQ(part->data, "0123");
    EXPECT_EQ(part->fileSize, 10u); // the whole file, however much was read

    const Result<FileContents> missing = ReadFile(folder.File("EPowers.rk"));
    EXPECT_FALSE(missing);
    EXPECT_TRUE(missing.AsStatus().IsNotFound());
    EXPECT_EQ(missing.Error(), folder.File("EPowers.rk") + ": No such file or directory");

    const Result<FileContents> folderRead = ReadFile(folder.File("Drivers.rk"));
    EXPECT_FALSE(folderRead);
    EXPECT_FALSE(folderRead.AsStatus().IsNotFound());
    EXPECT_EQ(folderRead.Error(), folder.File("Drivers.rk") + ": Is a directory");
}

} // namespace
} // namespace rk7
