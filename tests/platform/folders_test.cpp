// Listing folders and searching the program path.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/folder_listing.h"
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

TEST(ProgramSearch, UnknownProgramIsNotFound)
{
    EXPECT_EQ(SearchProgramPath("sumbrook-no-such-program-here"), std::nullopt);
}

} // namespace
