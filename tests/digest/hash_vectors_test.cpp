// Every stored vector on every kernel this processor runs, fed in one call,
// byte by byte, and in random pieces mixed with empty calls; and the vector
// files against the algorithm table, so that no algorithm goes untested and
// no file's cases drop out unseen.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <set>

#include "digest/crc32/CRC32_FCS32.h"
#include "digest/engine/DCPcatalogue.h"
#include "digest/engine/DCPkernels.h"
#include "digest/engine/algorithm.h"
#include "tests/digest/digest_test_util.h"
#include "tests/digest/vector_file.h"

using namespace sumbrook;

namespace {

// CRC-32 is a routine, not a hash component; this gives it the same feeds.
class Crc32Hash : public TDCP_hash {
public:
    std::int32_t GetHashSize() const override { return 32; }
    void Init() override { register_ = kCrc32Preset; }
    void Update(std::span<const std::uint8_t> Buffer) override { register_ = Crc32Fold(register_, Buffer); }
    void Final(std::span<std::uint8_t> Digest) override
    {
        for (std::size_t i = 0; i < 4; ++i) Digest[i] = static_cast<std::uint8_t>(~register_ >> (24 - 8 * i));
    }

private:
    std::uint32_t register_ = 0;
};

// The table's entry a vector file section names (by class or display name).
const AlgorithmInfo* AlgorithmOf(std::string_view section)
{
    for (const AlgorithmInfo& info : Algorithms())
        if (info.Name == DisplayName(section)) return &info;
    return nullptr;
}

const std::vector<DigestVector>& StoredVectors()
{
    static const std::vector<DigestVector> vectors = LoadAllVectors(SUMBROOK_TEST_DATA);
    return vectors;
}

struct KernelVector {
    DigestVector Vector;
    std::string Kernel;
};

void PrintTo(const KernelVector& v, std::ostream* out)
{
    *out << v.Vector.Source << " on " << v.Kernel;
}

std::vector<KernelVector> OnEveryKernel()
{
    std::vector<KernelVector> all;
    for (const DigestVector& v : StoredVectors())
        if (const AlgorithmInfo* info = AlgorithmOf(v.Algorithm))
            for (const auto kernel : RunnableDigestKernels(info->Name)) all.push_back({v, std::string(kernel)});
    return all;
}

TEST(HashVectorFiles, CoverEveryAlgorithmAndNameNoOther)
{
    std::map<std::string_view, int> count;
    std::set<std::string> unknown;
    for (const DigestVector& v : StoredVectors()) {
        if (const AlgorithmInfo* info = AlgorithmOf(v.Algorithm))
            ++count[info->Name];
        else
            unknown.insert(v.Source.substr(0, v.Source.find(':')) + " [" + v.Algorithm + "]");
    }
    for (const std::string& section : unknown) ADD_FAILURE() << section << " names no algorithm";
    for (const AlgorithmInfo& info : Algorithms()) EXPECT_GT(count[info.Name], 0) << "no vectors for " << info.Name;
}

class HashVectors : public ::testing::TestWithParam<KernelVector> {};

TEST_P(HashVectors, OneShotBytewiseAndRandomPieces)
{
    const DigestVector& v = GetParam().Vector;
    SCOPED_TRACE(v.Source + " " + v.Label.substr(0, 60) + " on " + GetParam().Kernel);
    const AlgorithmInfo& info = *AlgorithmOf(v.Algorithm);
    const TDigestKernelOverride kernel(info.Name, GetParam().Kernel);
    const std::unique_ptr<TDCP_hash> hash = info.Create != nullptr ? info.Create() : std::make_unique<Crc32Hash>();
    ASSERT_EQ(static_cast<std::size_t>(hash->HashSize() / 8), info.DigestBytes);

    EXPECT_EQ(DigestHex(*hash, v.Message), v.Expected);

    if (v.Message.size() <= 4096) {
        hash->Init();
        for (const char c : v.Message) hash->Update(Bytes(std::string_view(&c, 1)));
        EXPECT_EQ(FinalHex(*hash), v.Expected) << "byte by byte";
    }

    std::mt19937 rng(static_cast<unsigned>(v.Message.size()));
    hash->Init();
    std::size_t at = 0;
    while (at < v.Message.size()) {
        const std::size_t piece = std::min<std::size_t>(rng() % 300, v.Message.size() - at);
        hash->Update(Bytes(std::string_view(v.Message).substr(at, piece)));
        at += piece;
    }
    hash->Update({});
    EXPECT_EQ(FinalHex(*hash), v.Expected) << "random pieces";
}

INSTANTIATE_TEST_SUITE_P(Stored, HashVectors, ::testing::ValuesIn(OnEveryKernel()),
                         [](const ::testing::TestParamInfo<KernelVector>& test) {
                             return TestName(test.param.Vector.Algorithm, test.param.Kernel) + "_" +
                                    std::to_string(test.index);
                         });

} // namespace
