// CRC-32 (FCS-32): the table, every kernel's fold against the byte-wise one,
// and the file routine's reads, block callbacks and failures.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <random>
#include <string_view>
#include <vector>

#include "digest/crc32/CRC32_FCS32.h"
#include "digest/engine/DCPkernels.h"

using namespace sumbrook;

namespace {

std::span<const std::uint8_t> Bytes(std::string_view s)
{
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

// Delivers Data in reads of at most Chunk bytes; read number FailAt fails.
class ScriptedSource : public TByteSource {
public:
    ScriptedSource(std::vector<std::uint8_t> data, std::size_t chunk, int failAt = -1)
        : data_(std::move(data)), chunk_(chunk), failAt_(failAt)
    {}
    std::ptrdiff_t Read(std::span<std::uint8_t> into) override
    {
        if (reads++ == failAt_) return -1;
        const std::size_t n = std::min({into.size(), chunk_, data_.size() - pos_});
        if (n != 0) std::memcpy(into.data(), data_.data() + pos_, n);
        pos_ += n;
        return static_cast<std::ptrdiff_t>(n);
    }
    int reads = 0;

private:
    std::vector<std::uint8_t> data_;
    std::size_t chunk_;
    int failAt_;
    std::size_t pos_ = 0;
};

std::vector<std::uint8_t> RandomBytes(std::size_t n, std::mt19937& rng)
{
    std::vector<std::uint8_t> bytes(n);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(rng());
    return bytes;
}

class Crc32Kernel : public ::testing::TestWithParam<std::string_view> {
private:
    TDigestKernelOverride kernel_{"CRC32_FCS32", GetParam()};
};

TEST_P(Crc32Kernel, TableAndCheckValue)
{
    EXPECT_EQ(CRC32Table[0], 0x00000000u);
    EXPECT_EQ(CRC32Table[1], 0x77073096u);
    EXPECT_EQ(CRC32Table[128], 0xEDB88320u);
    EXPECT_EQ(CRC32Table[255], 0x2D02EF8Du);
    EXPECT_EQ(Crc32(Bytes("123456789")), 0xCBF43926u);
    EXPECT_EQ(Crc32(Bytes("")), 0u);
    EXPECT_EQ(Crc32(Bytes("The quick brown fox jumps over the lazy dog")), 0x414FA339u);
}

// Lengths up to three times the widest fold and every alignment reach each
// path of every kernel: the wide loop, the narrow one and the byte tail.
TEST_P(Crc32Kernel, FastFoldMatchesTheByteWiseFold)
{
    std::mt19937 rng(20240611);
    const std::vector<std::uint8_t> data = RandomBytes(70000, rng);
    for (std::size_t length = 0; length <= 800; ++length)
        for (std::size_t offset = 0; offset < 8; ++offset) { // every alignment
            const std::span<const std::uint8_t> part(data.data() + offset, length);
            const std::uint32_t reg = static_cast<std::uint32_t>(rng());
            ASSERT_EQ(Crc32Fold(reg, part), Crc32FoldBytewise(reg, part)) << length << " at " << offset;
        }
    for (const std::size_t length : {1000u, 4097u, 16384u, 65521u, 69999u})
        EXPECT_EQ(Crc32Fold(kCrc32Preset, {data.data() + 1, length}),
                  Crc32FoldBytewise(kCrc32Preset, {data.data() + 1, length}));
}

INSTANTIATE_TEST_SUITE_P(EveryKernel, Crc32Kernel, ::testing::ValuesIn(RunnableDigestKernels("CRC32_FCS32")),
                         [](const ::testing::TestParamInfo<std::string_view>& test) {
                             std::string name;
                             for (const char c : test.param)
                                 if (std::isalnum(static_cast<unsigned char>(c))) name += c;
                             return name;
                         });

TEST(Crc32, SourceIsReadUntilAReadDeliversNothing)
{
    std::mt19937 rng(7);
    const std::vector<std::uint8_t> data = RandomBytes(200000, rng);
    const std::uint32_t expected = Crc32(data);
    // Short reads do not end the data.
    for (const std::size_t chunk : {std::size_t{1000}, kCrc32BlockSize - 1, kCrc32BlockSize}) {
        ScriptedSource source(data, chunk);
        int blocks = 0;
        const Crc32Result result = Crc32OfSource(&source, [&] { ++blocks; });
        EXPECT_EQ(result.Outcome, Crc32Outcome::Checksum);
        EXPECT_EQ(result.Crc, expected);
        EXPECT_EQ(blocks, source.reads) << "chunk " << chunk;
    }
    ScriptedSource empty({}, kCrc32BlockSize);
    int blocks = 0;
    const Crc32Result result = Crc32OfSource(&empty, [&] { ++blocks; });
    EXPECT_EQ(result.Outcome, Crc32Outcome::Checksum);
    EXPECT_EQ(result.Crc, 0u);
    EXPECT_EQ(blocks, 1);
    EXPECT_EQ(Crc32OfSource(&empty, nullptr).Outcome, Crc32Outcome::Checksum);
}

TEST(Crc32, FailedReadIsNoChecksum)
{
    std::mt19937 rng(11);
    for (const int failAt : {0, 1, 3}) {
        ScriptedSource source(RandomBytes(5 * kCrc32BlockSize, rng), kCrc32BlockSize, failAt);
        int blocks = 0;
        const Crc32Result result = Crc32OfSource(&source, [&] { ++blocks; });
        EXPECT_EQ(result.Outcome, Crc32Outcome::ReadFailed);
        EXPECT_EQ(blocks, failAt) << "the failed read is no block";
        EXPECT_EQ(source.reads, failAt + 1) << "nothing is read after a failure";
    }
    int blocks = 0;
    EXPECT_EQ(Crc32OfSource(nullptr, [&] { ++blocks; }).Outcome, Crc32Outcome::OpenFailed);
    EXPECT_EQ(blocks, 0);
}

} // namespace
