// Reading, describing and replacing files, on whichever system this runs.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "base/exception.h"
#include "platform/file_kind.h"
#include "platform/file_reader.h"
#include "platform/file_writer.h"
#include "scratch_folder.h"

using namespace sumbrook::platform;
using sumbrook::test::ScratchFolder;

namespace {

std::span<const std::uint8_t> Bytes(std::string_view text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

using Files = ScratchFolder;

TEST_F(Files, ReaderDeliversEveryByteThenStaysAtTheEnd)
{
    std::string content(100000, '\0');
    for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 7);
    const std::string path = Put("名字.bin", content);
    for (const ShareMode share : {ShareMode::AllowOthers, ShareMode::DenyOthers}) {
        PathInfo failure{};
        const auto reader = FileReader::Open(path, share, failure);
        ASSERT_NE(reader, nullptr) << failure.Failure;
        EXPECT_EQ(reader->Size(), content.size());
        std::string got;
        std::array<std::uint8_t, 4096> buffer{};
        for (std::ptrdiff_t n; (n = reader->Read(buffer)) > 0;) got.append(buffer.begin(), buffer.begin() + n);
        EXPECT_EQ(got, content);
        EXPECT_EQ(reader->Read(buffer), 0);
    }
}

TEST_F(Files, ReaderTellsMissingFromFolderAndDescribesPaths)
{
    const std::string file = Put("a.txt", "abc");
    const std::string folder = Utf8(root_);
    const std::string missing = Utf8(At("none/b.txt"));
    PathInfo failure{};
    EXPECT_EQ(FileReader::Open(missing, ShareMode::AllowOthers, failure), nullptr);
    EXPECT_EQ(failure.Kind, PathInfo::Kind::Missing);
    EXPECT_FALSE(failure.Failure.empty());
    EXPECT_EQ(FileReader::Open(folder, ShareMode::AllowOthers, failure), nullptr);
    EXPECT_EQ(failure.Kind, PathInfo::Kind::Folder);
    EXPECT_EQ(failure.Failure, kNotARegularFile);

    EXPECT_EQ(DescribePath(file).Kind, PathInfo::Kind::RegularFile);
    EXPECT_EQ(DescribePath(file).Size, 3u);
    EXPECT_EQ(DescribePath(folder).Kind, PathInfo::Kind::Folder);
    EXPECT_EQ(DescribePath(missing).Kind, PathInfo::Kind::Missing);
    EXPECT_TRUE(RegularFileExists(file) && FileExists(file) && !FolderExists(file));
    EXPECT_TRUE(FolderExists(folder) && !FileExists(folder) && !RegularFileExists(folder));
    EXPECT_FALSE(FileExists(missing) || FolderExists(missing));
}

#ifdef _WIN32
// The digest path denies sharing: a file someone else has open cannot be
// opened that way, and one opened that way cannot be opened by others.
TEST_F(Files, DenyOthersFailsWhileTheFileIsOpenElsewhere)
{
    const std::string path = Put("shared.txt", "abc");
    PathInfo failure{};
    auto first = FileReader::Open(path, ShareMode::AllowOthers, failure);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(FileReader::Open(path, ShareMode::DenyOthers, failure), nullptr);
    EXPECT_EQ(failure.Kind, PathInfo::Kind::Unknown);
    EXPECT_FALSE(failure.Failure.empty());
    first.reset();
    auto exclusive = FileReader::Open(path, ShareMode::DenyOthers, failure);
    ASSERT_NE(exclusive, nullptr);
    EXPECT_EQ(FileReader::Open(path, ShareMode::AllowOthers, failure), nullptr);
}

// Paths past MAX_PATH, with either separator.
TEST_F(Files, LongPathsOpen)
{
    std::string name(150, 'd');
    std::filesystem::create_directories(At(name + "/" + name));
    const std::string path = Put(name + "/" + name + "/f.txt", "long");
    ASSERT_GT(path.size(), 300u);
    PathInfo failure{};
    const auto reader = FileReader::Open(path, ShareMode::DenyOthers, failure);
    ASSERT_NE(reader, nullptr) << failure.Failure;
    EXPECT_EQ(reader->Size(), 4u);
    std::string slashes = path;
    std::replace(slashes.begin(), slashes.end(), '\\', '/');
    EXPECT_EQ(DescribePath(slashes).Size, 4u);
}
#endif

TEST_F(Files, WriterReplacesTheWholeFileOrNothing)
{
    const std::string path = Put("result.txt", "previous");
    {
        const auto writer = FileWriter::Create(path);
        writer->Write(Bytes("half"));
        // Dropped without Close: the previous file stays.
    }
    EXPECT_EQ(Contents("result.txt"), "previous");
    const auto writer = FileWriter::Create(path);
    writer->Write(Bytes("new "));
    writer->Write(Bytes("content"));
    writer->Close();
    EXPECT_EQ(Contents("result.txt"), "new content");
    // Nothing else is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root_), std::filesystem::directory_iterator()), 1);

    const auto created = FileWriter::Create(Utf8(At("新.txt")));
    created->Close();
    EXPECT_TRUE(std::filesystem::exists(At("新.txt")));
}

TEST_F(Files, WriterNamesTheFileWhenItCannotCreate)
{
    for (const std::string& path : {Utf8(At("none/r.txt")), Utf8(root_)}) {
        try {
            FileWriter::Create(path)->Close();
            ADD_FAILURE() << path;
        } catch (const sumbrook::Exception& e) {
            EXPECT_THAT(e.what(), ::testing::StartsWith("Cannot create file \"" + path + "\". "));
        }
    }
}

} // namespace
