#include "digest/md4/DCPmd4.h"

#include "digest/engine/DCPbytes.h"
#include "digest/engine/DCPmdhash_impl.h"

namespace sumbrook::dcp {

namespace {

// The three rounds of RFC 1320, section 3.4, one step each:
// a = (a + f(b,c,d) + x + t) <<< s, where t is the round's constant: none in
// round 1, 5A827999 in round 2 and 6ED9EBA1 in round 3.
// Unlike MD5 nothing is added after the rotation. The sum is ordered so that
// f, which waits on the word the previous step produced, comes in last.
inline void FF(std::uint32_t& a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t x, int s)
{
    a = RotL32(a + x + (d ^ (b & (c ^ d))), s);
}
// Majority: b&(c^d) and c&d have no bit in common, so their sum equals their
// OR. c&d does not wait for b and is summed beside it, which leaves b one AND
// and one addition before the rotation.
inline void GG(std::uint32_t& a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t x, int s)
{
    a = RotL32(a + x + 0x5A827999 + (c & d) + (b & (c ^ d)), s);
}
inline void HH(std::uint32_t& a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t x, int s)
{
    a = RotL32(a + x + 0x6ED9EBA1 + (b ^ (c ^ d)), s); // c ^ d need not wait for b
}

// One block of 64 bytes at p folded into H.
inline void CompressBlock(std::span<std::uint32_t, 4> H, const std::uint8_t* p)
{
    std::uint32_t X[16];
    for (int i = 0; i < 16; ++i) X[i] = LoadLE32(p + 4 * i);
    std::uint32_t a = H[0], b = H[1], c = H[2], d = H[3];

    // clang-format off
    FF(a, b, c, d, X[ 0],  3); FF(d, a, b, c, X[ 1],  7);
    FF(c, d, a, b, X[ 2], 11); FF(b, c, d, a, X[ 3], 19);
    FF(a, b, c, d, X[ 4],  3); FF(d, a, b, c, X[ 5],  7);
    FF(c, d, a, b, X[ 6], 11); FF(b, c, d, a, X[ 7], 19);
    FF(a, b, c, d, X[ 8],  3); FF(d, a, b, c, X[ 9],  7);
    FF(c, d, a, b, X[10], 11); FF(b, c, d, a, X[11], 19);
    FF(a, b, c, d, X[12],  3); FF(d, a, b, c, X[13],  7);
    FF(c, d, a, b, X[14], 11); FF(b, c, d, a, X[15], 19);

    GG(a, b, c, d, X[ 0],  3); GG(d, a, b, c, X[ 4],  5);
    GG(c, d, a, b, X[ 8],  9); GG(b, c, d, a, X[12], 13);
    GG(a, b, c, d, X[ 1],  3); GG(d, a, b, c, X[ 5],  5);
    GG(c, d, a, b, X[ 9],  9); GG(b, c, d, a, X[13], 13);
    GG(a, b, c, d, X[ 2],  3); GG(d, a, b, c, X[ 6],  5);
    GG(c, d, a, b, X[10],  9); GG(b, c, d, a, X[14], 13);
    GG(a, b, c, d, X[ 3],  3); GG(d, a, b, c, X[ 7],  5);
    GG(c, d, a, b, X[11],  9); GG(b, c, d, a, X[15], 13);

    HH(a, b, c, d, X[ 0],  3); HH(d, a, b, c, X[ 8],  9);
    HH(c, d, a, b, X[ 4], 11); HH(b, c, d, a, X[12], 15);
    HH(a, b, c, d, X[ 2],  3); HH(d, a, b, c, X[10],  9);
    HH(c, d, a, b, X[ 6], 11); HH(b, c, d, a, X[14], 15);
    HH(a, b, c, d, X[ 1],  3); HH(d, a, b, c, X[ 9],  9);
    HH(c, d, a, b, X[ 5], 11); HH(b, c, d, a, X[13], 15);
    HH(a, b, c, d, X[ 3],  3); HH(d, a, b, c, X[11],  9);
    HH(c, d, a, b, X[ 7], 11); HH(b, c, d, a, X[15], 15);
    // clang-format on

    AddToChain(H, a, b, c, d);
}

} // namespace

template <>
struct MdConstants<TDCP_md4::Traits> {
    static constexpr std::array<std::uint32_t, 4> InitialValue{0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476};
    static constexpr SelfTestVectors SelfTest{"abc", "A448017AAF21D8525FC10AE87AA6729D", "abcdefghijklmnopqrstuvwxyz",
                                              "D79E1C308AA5BBCDEEA8ED63DF412DA9"};
    static constexpr Kernel<TDCP_md4::Traits::CompressFunction> Kernels[] = {
        {kPortableKernel, nullptr, &EachBlock<CompressBlock, 64>},
    };
};

} // namespace sumbrook::dcp

template class sumbrook::TDCP_mdhash<sumbrook::TDCP_md4::Traits>;
