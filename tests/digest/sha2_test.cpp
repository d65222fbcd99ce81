// What the generic digest tests leave open for the SHA family.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "digest/sha1/DCPsha1.h"
#include "digest/sha2/DCPsha256.h"
#include "digest/sha2/DCPsha512.h"
#include "tests/digest/digest_test_util.h"
#include "tests/digest/vector_file.h"

using namespace sumbrook;

namespace {

// SHA-384 shares SHA-512's compression but starts from its own initial hash
// value, so it must never come out as a shortened SHA-512.
TEST(Sha2, Sha384IsNotATruncatedSha512)
{
    TDCP_sha384 sha384;
    TDCP_sha512 sha512;
    for (const std::string& message : {std::string(), std::string("abc"), PatternBytes(200)}) {
        const std::string short384 = DigestHex(sha384, message);
        const std::string long512 = DigestHex(sha512, message);
        ASSERT_EQ(short384.size(), 96u);
        EXPECT_NE(short384, long512.substr(0, short384.size())) << "length " << message.size();
    }
}

// The standard's long message, one million 'a', fed in the 16 KiB pieces the
// file job uses.
TEST(Sha2, MillionAInFileSizedPieces)
{
    const std::string piece(16384, 'a');
    auto millionA = [&](TDCP_hash& hash) {
        hash.Init();
        std::size_t left = 1000000;
        while (left != 0) {
            const std::size_t n = std::min(left, piece.size());
            hash.Update(Bytes(std::string_view(piece).substr(0, n)));
            left -= n;
        }
        return FinalHex(hash);
    };
    TDCP_sha1 sha1;
    TDCP_sha256 sha256;
    TDCP_sha384 sha384;
    TDCP_sha512 sha512;
    EXPECT_EQ(millionA(sha1), "34AA973CD4C4DAA4F61EEB2BDBAD27316534016F");
    EXPECT_EQ(millionA(sha256), "CDC76E5C9914FB9281A1C7E284D73E67F1809A48A497200E046D39CCC7112CD0");
    EXPECT_EQ(millionA(sha384), "9D0E1809716474CB086E834E310A4A1CED149E9C00F248527972CEC5704C2A5B"
                                "07B8B3DC38ECC4EBAE97DDD87F3D8985");
    EXPECT_EQ(millionA(sha512), "E718483D0CE769644E2E42C7BC15B4638E1F98B13B2044285632A803AFA973EB"
                                "DE0FF244877EA60A4CB0432CE577C31BEB009C5C2C49AA2E4EADB217AD8CC09B");
}

// SHA-384/512 count bits in 128: the low half carries into the high one.
TEST(Sha2, BitCountCarriesIntoTheHighHalf)
{
    dcp::BitCounter<16> count;
    count.LenLo = ~std::uint64_t{0} - 7;
    count.Add(3);
    EXPECT_EQ(count.LenHi, 1u);
    EXPECT_EQ(count.LenLo, 16u);
    count.Add(std::size_t{1} << 61);
    EXPECT_EQ(count.LenHi, 2u);
    EXPECT_EQ(count.LenLo, 16u);
}

} // namespace
