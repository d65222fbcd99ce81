// Multi-buffer MD5 and SHA-1 on every lane kernel this processor runs: every
// stored vector plus messages ending at each place in a block, fed all at
// once, one at a time while lanes finish, and fewer than the lanes; each
// result against the one-stream class.

#include <gtest/gtest.h>

#include <map>

#include "digest/engine/DCPhash.h"
#include "digest/engine/DCPkernels.h"
#include "digest/engine/algorithm.h"
#include "digest/multibuffer/MultiBufferHasher.h"
#include "tests/digest/digest_test_util.h"
#include "tests/digest/vector_file.h"

using namespace sumbrook;

namespace {

struct LaneCase {
    std::string Algorithm; // "MD5" or "SHA1"
    std::string Kernel;
};

void PrintTo(const LaneCase& c, std::ostream* out)
{
    *out << c.Algorithm << " on " << c.Kernel;
}

std::string SlotName(const std::string& algorithm)
{
    return algorithm + " multi-buffer";
}

std::vector<LaneCase> Cases()
{
    std::vector<LaneCase> all;
    for (const std::string algorithm : {"MD5", "SHA1"})
        for (const auto kernel : RunnableDigestKernels(SlotName(algorithm)))
            all.push_back({algorithm, std::string(kernel)});
    return all;
}

std::unique_ptr<TDCP_hash> OneStream(const std::string& algorithm)
{
    for (const AlgorithmInfo& info : Algorithms())
        if (info.Name == algorithm) return info.Create();
    return nullptr;
}

struct Message {
    std::string Bytes;
    std::string Expected;
    std::string Source;
};

// The stored vectors, then lengths around each end of a block and a few
// long ones, their digests from the one-stream class.
std::vector<Message> Messages(const std::string& algorithm)
{
    std::vector<Message> all;
    for (const DigestVector& v : LoadAllVectors(SUMBROOK_TEST_DATA))
        if (v.Algorithm == algorithm) all.push_back({v.Message, v.Expected, v.Source});
    auto oneStream = OneStream(algorithm);
    for (const std::size_t n :
         {0, 1, 55, 56, 57, 63, 64, 65, 119, 120, 121, 127, 128, 129, 183, 184, 1000, 4113, 65536 + 56, 300000}) {
        std::string bytes = PatternBytes(n);
        all.push_back({bytes, DigestHex(*oneStream, bytes), "length " + std::to_string(n)});
    }
    return all;
}

template <class Algo>
class Feeder {
public:
    explicit Feeder(const std::vector<Message>& messages) : messages_(messages) {}

    void Add(std::size_t i)
    {
        hasher_.Add(Bytes(messages_[i].Bytes), i);
        ++added_;
    }
    void Take(const std::vector<typename TMultiBufferHasher<Algo>::Result>& results)
    {
        for (const auto& r : results) {
            ASSERT_LT(r.Tag, messages_.size());
            EXPECT_TRUE(got_.emplace(r.Tag, Hex(r.Digest)).second) << "tag " << r.Tag << " twice";
        }
    }
    void Check(const char* schedule)
    {
        EXPECT_EQ(hasher_.InFlight(), 0u) << schedule;
        EXPECT_EQ(got_.size(), added_) << schedule;
        for (const auto& [tag, hex] : got_)
            EXPECT_EQ(hex, messages_[tag].Expected) << schedule << ": " << messages_[tag].Source;
        got_.clear();
        added_ = 0;
    }
    TMultiBufferHasher<Algo>& Hasher() { return hasher_; }

private:
    const std::vector<Message>& messages_;
    TMultiBufferHasher<Algo> hasher_;
    std::map<std::uint64_t, std::string> got_;
    std::size_t added_ = 0;
};

template <class Algo>
void RunSchedules(const LaneCase& c)
{
    const std::vector<Message> messages = Messages(c.Algorithm);
    ASSERT_GT(messages.size(), 40u);
    Feeder<Algo> f(messages);
    const std::size_t width = f.Hasher().Width();
    EXPECT_EQ(f.Hasher().KernelName(), c.Kernel);

    // Everything at once: lanes finish in different blocks and take the next.
    for (std::size_t i = 0; i < messages.size(); ++i) f.Add(i);
    f.Take(f.Hasher().Advance());
    f.Take(f.Hasher().Flush());
    f.Check("all at once");

    // One at a time from the end, as a worker reading files would: each
    // joins while the others are part way through theirs.
    for (std::size_t i = messages.size(); i-- > 0;) {
        f.Add(i);
        f.Take(f.Hasher().Advance());
    }
    f.Take(f.Hasher().Flush());
    f.Check("one at a time");

    // Fewer messages than lanes, long and short together, twice over.
    for (std::size_t round = 0; round < 2; ++round) {
        for (std::size_t i = 0; i < std::max<std::size_t>(width / 2, 1); ++i) f.Add(messages.size() - 1 - 3 * i);
        const auto early = f.Hasher().Advance();
        EXPECT_TRUE(early.empty() || width == 1) << "idle lanes would have run";
        f.Take(early);
        f.Take(f.Hasher().Flush());
        f.Check("fewer than the lanes");
    }
}

class MultiBuffer : public ::testing::TestWithParam<LaneCase> {};

TEST_P(MultiBuffer, EveryMessageMatchesTheOneStreamDigest)
{
    const TDigestKernelOverride kernel(SlotName(GetParam().Algorithm), GetParam().Kernel);
    if (GetParam().Algorithm == "MD5")
        RunSchedules<MultiBufferMd5>(GetParam());
    else
        RunSchedules<MultiBufferSha1>(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Lanes, MultiBuffer, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<LaneCase>& test) {
                             return TestName(test.param.Algorithm, test.param.Kernel);
                         });

} // namespace
