// The listing of kernels in use and the check of SUMBROOK_DIGEST_KERNEL.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "digest/engine/DCPkernels.h"

using namespace sumbrook;

namespace {

TEST(DigestKernels, OneLinePerAlgorithmInCatalogueOrder)
{
    std::vector<std::string_view> names;
    for (const TDigestKernel& k : DigestKernelsInUse()) {
        names.push_back(k.Algorithm);
        const auto runnable = RunnableDigestKernels(k.Algorithm);
        EXPECT_THAT(runnable, ::testing::Contains(k.Kernel)) << k.Algorithm;
        EXPECT_EQ(runnable.back(), "portable") << k.Algorithm;
    }
    EXPECT_THAT(names, ::testing::ElementsAre("CRC32_FCS32", "SHA1", "Haval256", "MD4", "RipeMD-128", "RipeMD-160",
                                              "SHA256", "SHA384", "SHA512", "Tiger192", "MD5", "HAVAL-256/5",
                                              "MD5 multi-buffer", "SHA1 multi-buffer"));
    EXPECT_TRUE(RunnableDigestKernels("SHA3").empty());
}

TEST(DigestKernels, OnlyKnownKernelNamesAreAccepted)
{
    EXPECT_EQ(DigestKernelNameError(""), "");
    EXPECT_EQ(DigestKernelNameError("portable"), "");
    for (const TDigestKernel& k : DigestKernelsInUse()) EXPECT_EQ(DigestKernelNameError(k.Kernel), "");
    const std::string error = DigestKernelNameError("Portable");
    EXPECT_THAT(error, ::testing::HasSubstr("SUMBROOK_DIGEST_KERNEL"));
    EXPECT_THAT(error, ::testing::HasSubstr("\"Portable\""));
    EXPECT_THROW(TDigestKernelOverride("MD5", "no-such-kernel"), std::invalid_argument);
}

#if GTEST_HAS_DEATH_TEST && !defined(_WIN32)
// The variable is read once per process, at the first digest, so the check
// runs in a process of its own, started afresh with the variable set.
TEST(DigestKernelsDeathTest, PortableInTheVariableForcesEveryPortableKernel)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    ::setenv("SUMBROOK_DIGEST_KERNEL", "portable", 1);
    EXPECT_EXIT(
        {
            for (const TDigestKernel& k : DigestKernelsInUse())
                if (k.Kernel != "portable") std::_Exit(1);
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "");
    ::unsetenv("SUMBROOK_DIGEST_KERNEL");
}
#endif

} // namespace
