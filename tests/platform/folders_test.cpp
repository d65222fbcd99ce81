// Listing folders and searching the program path.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "platform/folder_listing.h"
#include "platform/folder_walk.h"
#include "platform/program_search.h"
#include "scratch_folder.h"

using namespace sumbrook::platform;
using sumbrook::test::ScratchFolder;

namespace {

using Folders = ScratchFolder;

TEST_F(Folders, ListingHasEveryEntryInNameOrderWithSizes)
{
    Put("b.txt", "12345");
    Put(".hidden", "1");
    Put("名.txt", "");
    std::filesystem::create_directory(At("a folder"));
    Put("a folder/inner.txt", "not listed");
    std::string failure;
    const auto entries = ListFolder(Utf8(root_), &failure);
    ASSERT_TRUE(entries.has_value()) << failure;
    std::vector<std::tuple<std::string, decltype(FolderEntry::Kind), std::uint64_t>> got;
    for (const FolderEntry& e : *entries) got.emplace_back(e.Name, e.Kind, e.Size);
    EXPECT_THAT(got, ::testing::ElementsAre(std::tuple(".hidden", FolderEntry::Kind::RegularFile, 1u),
                                            std::tuple("a folder", FolderEntry::Kind::Folder, 0u),
                                            std::tuple("b.txt", FolderEntry::Kind::RegularFile, 5u),
                                            std::tuple("名.txt", FolderEntry::Kind::RegularFile, 0u)));
    EXPECT_EQ(QueryFileSize(Utf8(At("b.txt"))), 5u);
    EXPECT_EQ(QueryFileSize(Utf8(At("a folder"))), 0u);

    std::filesystem::create_directory(At("empty"));
    EXPECT_THAT(ListFolder(Utf8(At("empty"))), ::testing::Optional(::testing::IsEmpty()));
}

TEST_F(Folders, MissingFolderGivesNothingAndTheReason)
{
    std::string failure;
    EXPECT_EQ(ListFolder(Utf8(At("none")), &failure), std::nullopt);
    EXPECT_FALSE(failure.empty());
    EXPECT_EQ(ListFolder(Put("file.txt", "x")), std::nullopt);
    EXPECT_EQ(QueryFileSize(Utf8(At("none"))), 0u);
}

// The walk: files depth first in name order, folders only with Recursive;
// a folder that cannot be read is said once.
TEST_F(Folders, WalkGivesFilesDepthFirstInNameOrder)
{
    Put("b.txt", "1");
    std::filesystem::create_directory(At("a"));
    Put("a/x", "2");
    std::filesystem::create_directory(At("c"));
    Put("c/y", "3");
    const std::string root = Utf8(root_);
    const auto walked = [](FolderWalk& walk) {
        std::vector<std::string> paths;
        while (const auto found = walk.Next()) paths.push_back(found->Path + (found->Failure.empty() ? "" : " !"));
        return paths;
    };
    FolderWalk flat(root, false), deep(root, true), missing(Utf8(At("none")), true);
    EXPECT_THAT(walked(flat), ::testing::ElementsAre(root + "/b.txt"));
    EXPECT_THAT(walked(deep), ::testing::ElementsAre(root + "/a/x", root + "/b.txt", root + "/c/y"));
    EXPECT_THAT(walked(missing), ::testing::ElementsAre(Utf8(At("none")) + " !"));

#ifndef _WIN32
    // A listed folder swapped for a link to another before the walk gets
    // there is not followed.
    FolderWalk swapped(root, true);
    EXPECT_EQ(swapped.Next()->Path, root + "/a/x");
    std::filesystem::remove_all(At("c"));
    std::filesystem::create_directory(At("elsewhere"));
    Put("elsewhere/secret", "4");
    ASSERT_EQ(::symlink(Utf8(At("elsewhere")).c_str(), Utf8(At("c")).c_str()), 0);
    EXPECT_THAT(walked(swapped), ::testing::ElementsAre(root + "/b.txt"));
#endif
}

TEST(ProgramSearch, UnknownProgramIsNotFound)
{
    EXPECT_EQ(SearchProgramPath("sumbrook-no-such-program-here"), std::nullopt);
}

} // namespace
