// Every stored vector on every kernel this processor runs, fed in one call,
// byte by byte, and in random pieces mixed with empty calls.

#include <gtest/gtest.h>

#include <random>

#include "digest/engine/DCPkernels.h"
#include "tests/digest/digest_test_util.h"
#include "tests/digest/vector_file.h"

namespace {

std::vector<KernelVector> Vectors()
{
    return OnEveryKernel(LoadAllVectors(SUMBROOK_TEST_DATA));
}

class HashVectors : public ::testing::TestWithParam<KernelVector> {};

TEST_P(HashVectors, OneShotBytewiseAndRandomPieces)
{
    const DigestVector& v = GetParam().Vector;
    SCOPED_TRACE(v.Source + " " + v.Label.substr(0, 60) + " on " + GetParam().Kernel);
    const sumbrook::TDigestKernelOverride kernel(sumbrook::DisplayName(v.Algorithm), GetParam().Kernel);
    auto hash = CreateByAlgorithm(v.Algorithm);
    ASSERT_NE(hash, nullptr) << "no class for " << v.Algorithm;

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

INSTANTIATE_TEST_SUITE_P(Stored, HashVectors, ::testing::ValuesIn(Vectors()),
                         [](const ::testing::TestParamInfo<KernelVector>& test) {
                             return TestName(test.param.Vector.Algorithm, test.param.Kernel) + "_" +
                                    std::to_string(test.index);
                         });

} // namespace
