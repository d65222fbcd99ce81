// The life cycle every digest class shares, checked on all ten and on every
// kernel of each that this processor runs.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <random>
#include <sstream>

#include "digest/haval/DCPhaval.h"
#include "digest/md4/DCPmd4.h"
#include "digest/md5/DCPmd5.h"
#include "digest/ripemd/DCPripemd128.h"
#include "digest/ripemd/DCPripemd160.h"
#include "digest/sha1/DCPsha1.h"
#include "digest/sha2/DCPsha256.h"
#include "digest/sha2/DCPsha512.h"
#include "digest/tiger/DCPtiger.h"
#include "digest/engine/DCPcatalogue.h"
#include "digest/engine/DCPkernels.h"
#include "tests/digest/digest_test_util.h"
#include "tests/digest/vector_file.h"

using namespace sumbrook;

namespace {

struct EntryKernel {
    std::size_t Index; // in the catalogue
    std::string Kernel;
};

std::vector<EntryKernel> EveryEntryOnEveryKernel()
{
    std::vector<EntryKernel> all;
    for (std::size_t i = 0; i < kCatalogueSize; ++i)
        for (const auto kernel : RunnableDigestKernels(AlgorithmCatalogue()[i].DisplayName))
            all.push_back({i, std::string(kernel)});
    return all;
}

class HashContract : public ::testing::TestWithParam<EntryKernel> {
protected:
    const TCatalogueEntry& Entry() const { return AlgorithmCatalogue()[GetParam().Index]; }
    std::unique_ptr<TDCP_hash> Make() const { return Entry().Create(); }

private:
    TDigestKernelOverride kernel_{Entry().DisplayName, GetParam().Kernel};
};

void ExpectNotInitialized(const std::function<void()>& call)
{
    try {
        call();
        ADD_FAILURE() << "no EDCP_hash raised";
    } catch (const EDCP_hash& e) {
        EXPECT_STREQ(e.what(), "Hash not initialized");
    }
}

TEST_P(HashContract, IdentifiesAsItsCatalogueEntry)
{
    auto hash = Make();
    EXPECT_EQ(hash->Id(), Entry().Id);
    EXPECT_EQ(hash->Algorithm(), Entry().AlgorithmName);
    EXPECT_EQ(hash->HashSize(), Entry().HashSize);
    hash->SetId(99);
    hash->SetAlgorithm("changed");
    hash->SetHashSize(8);
    EXPECT_EQ(hash->Id(), Entry().Id);
    EXPECT_EQ(hash->Algorithm(), Entry().AlgorithmName);
    EXPECT_EQ(hash->HashSize(), Entry().HashSize);
    EXPECT_TRUE(hash->SelfTest());
}

TEST_P(HashContract, RaisesWhenNotInitialized)
{
    auto hash = Make();
    std::vector<std::uint8_t> digest(64, 0xEE);
    ExpectNotInitialized([&] { hash->Update({}); });
    ExpectNotInitialized([&] { hash->Update(Bytes("abc")); });
    ExpectNotInitialized([&] { hash->Final(digest); });
    EXPECT_THAT(digest, ::testing::Each(0xEE));

    hash->Init();
    hash->Update(Bytes("abc"));
    hash->Final(digest);
    const auto first = digest;
    ExpectNotInitialized([&] { hash->Final(digest); });
    EXPECT_EQ(digest, first) << "second Final wrote the buffer";

    hash->Init();
    hash->Burn();
    ExpectNotInitialized([&] { hash->Update(Bytes("x")); });
}

TEST_P(HashContract, FinalRefusesABufferTooSmall)
{
    auto hash = Make();
    hash->Init();
    std::vector<std::uint8_t> digest(static_cast<std::size_t>(hash->HashSize() / 8 - 1), 0xEE);
    EXPECT_THROW(hash->Final(digest), EDCP_hash);
    EXPECT_THAT(digest, ::testing::Each(0xEE));
    EXPECT_TRUE(hash->Initialized()) << "a refused Final must not end the digest";
}

TEST_P(HashContract, InitDiscardsWhatWasAbsorbed)
{
    auto hash = Make();
    const std::string expected = DigestHex(*hash, "second message");
    hash->Init();
    hash->Update(Bytes(PatternBytes(1000)));
    hash->Init();
    hash->Update(Bytes("second message"));
    EXPECT_EQ(FinalHex(*hash), expected);
}

TEST_P(HashContract, WideStringsAreLittleEndianCodeUnits)
{
    auto hash = Make();
    const std::string sixBytes = DigestHex(*hash, std::string_view("a\0b\0c\0", 6));
    hash->Init();
    hash->UpdateStr(std::u16string_view(u"abc"));
    const std::string wide = FinalHex(*hash);
    EXPECT_EQ(wide, sixBytes);
    hash->Init();
    hash->UpdateStr(std::string_view("abc"));
    EXPECT_NE(wide, FinalHex(*hash));
    const std::string empty = DigestHex(*hash, "");
    hash->Init();
    hash->UpdateStr(std::u16string_view(u""));
    EXPECT_EQ(FinalHex(*hash), empty);
}

TEST_P(HashContract, StreamsAbsorbOnlyTheBytesActuallyRead)
{
    auto hash = Make();
    const std::string message = PatternBytes(20000); // two whole pieces and a rest
    const std::string expectedWhole = DigestHex(*hash, message);
    const std::string expectedShort = DigestHex(*hash, message.substr(0, 9000));
    std::istringstream whole(message);
    hash->Init();
    hash->UpdateStream(whole, message.size());
    EXPECT_EQ(FinalHex(*hash), expectedWhole);

    // Asking for more than the stream holds absorbs what is there and goes on reading.
    std::istringstream shorter(message.substr(0, 9000));
    hash->Init();
    hash->UpdateStream(shorter, message.size());
    EXPECT_EQ(FinalHex(*hash), expectedShort);
}

TEST_P(HashContract, AnyCuttingGivesTheOneShotDigest)
{
    auto hash = Make();
    std::mt19937 rng(1234 + static_cast<unsigned>(GetParam().Index));
    for (int round = 0; round < 40; ++round) {
        std::string message(rng() % 5000, '\0');
        for (auto& c : message) c = static_cast<char>(rng());
        const std::string expected = DigestHex(*hash, message);
        hash->Init();
        std::size_t at = 0;
        while (at < message.size()) {
            std::size_t piece = rng() % 4 == 0 ? 0 : rng() % 400;
            if (rng() % 5 == 0) piece = 64 * (1 + rng() % 3); // whole blocks
            piece = std::min(piece, message.size() - at);
            hash->Update(Bytes(std::string_view(message).substr(at, piece)));
            at += piece;
        }
        ASSERT_EQ(FinalHex(*hash), expected) << "length " << message.size();
    }
}

TEST_P(HashContract, MisalignedInputGivesTheSameDigest)
{
    auto hash = Make();
    const std::string message = PatternBytes(777);
    const std::string expected = DigestHex(*hash, message);
    for (std::size_t offset = 1; offset < 8; ++offset) {
        std::string shifted(offset, 'x');
        shifted += message;
        EXPECT_EQ(DigestHex(*hash, std::string_view(shifted).substr(offset)), expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, HashContract, ::testing::ValuesIn(EveryEntryOnEveryKernel()),
                         [](const ::testing::TestParamInfo<EntryKernel>& test) {
                             return TestName(AlgorithmCatalogue()[test.param.Index].DisplayName, test.param.Kernel);
                         });

// Instances built in zeroed storage so that the bytes of a used instance can
// be compared whole with those of a new one: after Final, after Burn and
// after destruction no trace of the message or the chaining value remains.
template <class Hash>
void ExpectNoStateLeft()
{
    struct Storage {
        alignas(Hash) unsigned char bytes[sizeof(Hash)];
        Storage() { std::memset(bytes, 0, sizeof bytes); }
    } fresh, used;
    auto* reference = new (fresh.bytes) Hash();
    auto* hash = new (used.bytes) Hash();
    const std::string message(200, '\xAB');
    std::uint8_t digest[64];
    auto sameAsNew = [&](std::size_t from) {
        return std::memcmp(fresh.bytes + from, used.bytes + from, sizeof(Hash) - from) == 0;
    };

    hash->Init();
    hash->Update(Bytes(message));
    hash->Final(digest);
    EXPECT_TRUE(sameAsNew(0)) << "state left after Final";

    hash->Init();
    hash->Update(Bytes(message));
    hash->Burn();
    EXPECT_TRUE(sameAsNew(0)) << "state left after Burn";

    hash->Init();
    hash->Update(Bytes(message));
    hash->~Hash();
    reference->~Hash();
    // The dispatch pointer is the destructor's business; the state after it must be zero.
    EXPECT_TRUE(sameAsNew(sizeof(void*))) << "state left after destruction";
}

template <class Hash>
class HashState : public ::testing::Test {};
using AllDigests = ::testing::Types<TDCP_sha1, TDCP_haval, TDCP_md4, TDCP_ripemd128, TDCP_ripemd160, TDCP_sha256,
                                    TDCP_sha384, TDCP_sha512, TDCP_tiger, TDCP_md5>;
TYPED_TEST_SUITE(HashState, AllDigests);

TYPED_TEST(HashState, FinalBurnAndDestructionLeaveNoState)
{
    for (const auto kernel : RunnableDigestKernels(DisplayName(TypeParam::ClassAlgorithm))) {
        SCOPED_TRACE(kernel);
        const TDigestKernelOverride use(DisplayName(TypeParam::ClassAlgorithm), kernel);
        ExpectNoStateLeft<TypeParam>();
    }
}

TEST(HashBase, AnswersNeutrally)
{
    EXPECT_EQ(TDCP_hash::ClassId, -1);
    EXPECT_TRUE(TDCP_hash::ClassAlgorithm.empty());
    EXPECT_EQ(TDCP_hash::ClassHashSize, -1);
    EXPECT_FALSE(TDCP_hash::ClassSelfTest());
    TDCP_hash base;
    EXPECT_EQ(base.Id(), -1);
    EXPECT_EQ(base.Algorithm(), "");
    EXPECT_EQ(base.HashSize(), -1);
    EXPECT_FALSE(base.SelfTest());
    base.Init();
    base.Update(Bytes("abc"));
    std::uint8_t digest[4] = {1, 2, 3, 4};
    base.Final(digest);
    EXPECT_EQ(digest[0], 1);
    EXPECT_FALSE(base.Initialized());
}

TEST(Catalogue, HoldsTheTenDigestsInOrder)
{
    std::vector<std::string> names, display;
    std::vector<int> sizes;
    for (const auto& e : AlgorithmCatalogue()) {
        names.emplace_back(e.AlgorithmName);
        display.emplace_back(e.DisplayName);
        EXPECT_EQ(DisplayName(e.AlgorithmName), e.DisplayName);
        EXPECT_EQ(e.Create()->HashSize(), e.HashSize);
        EXPECT_EQ(static_cast<std::size_t>(e.HashSize / 8), InfoOf(e.Algorithm).DigestBytes);
        sizes.push_back(e.HashSize / 8);
    }
    EXPECT_THAT(names, ::testing::ElementsAre("SHA1", "Haval (256bit, 5 passes)", "MD4", "RipeMD-128", "RipeMD-160",
                                              "SHA256", "SHA384", "SHA512", "Tiger", "MD5"));
    EXPECT_THAT(display, ::testing::ElementsAre("SHA1", "Haval256", "MD4", "RipeMD-128", "RipeMD-160", "SHA256",
                                                "SHA384", "SHA512", "Tiger192", "MD5"));
    EXPECT_THAT(sizes, ::testing::ElementsAre(20, 32, 16, 16, 20, 32, 48, 64, 24, 16));
    EXPECT_EQ(DisplayName("Tiger2"), "Tiger2");
}

} // namespace
