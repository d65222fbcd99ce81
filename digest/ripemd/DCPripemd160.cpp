#include "digest/ripemd/DCPripemd160.h"

#include "digest/engine/DCPbytes.h"
#include "digest/engine/DCPmdhash_impl.h"

namespace sumbrook::dcp {

namespace {

// One step of either line, with the line's variables renamed instead of
// moved: a = ((a + f(b,c,d) + x + k) <<< s) + e, then c = c <<< 10. The
// boolean functions f1 to f5 of the RIPEMD-160 definition; the left line
// uses them in rounds 1 to 5, the right line in reverse order. f is added
// last because it waits on the word the previous step produced, and is
// arranged so that little of it does: f4 as the sum of its two disjoint
// halves, f1 with c ^ d first.
inline void F1(std::uint32_t& a, std::uint32_t b, std::uint32_t& c, std::uint32_t d, std::uint32_t e, std::uint32_t x,
               int s, std::uint32_t k)
{
    a = RotL32(a + x + k + (b ^ (c ^ d)), s) + e;
    c = RotL32(c, 10);
}
inline void F2(std::uint32_t& a, std::uint32_t b, std::uint32_t& c, std::uint32_t d, std::uint32_t e, std::uint32_t x,
               int s, std::uint32_t k)
{
    a = RotL32(a + x + k + (d ^ (b & (c ^ d))), s) + e;
    c = RotL32(c, 10);
}
inline void F3(std::uint32_t& a, std::uint32_t b, std::uint32_t& c, std::uint32_t d, std::uint32_t e, std::uint32_t x,
               int s, std::uint32_t k)
{
    a = RotL32(a + x + k + ((b | ~c) ^ d), s) + e;
    c = RotL32(c, 10);
}
inline void F4(std::uint32_t& a, std::uint32_t b, std::uint32_t& c, std::uint32_t d, std::uint32_t e, std::uint32_t x,
               int s, std::uint32_t k)
{
    a = RotL32(a + x + k + ((b & d) + (c & ~d)), s) + e;
    c = RotL32(c, 10);
}
inline void F5(std::uint32_t& a, std::uint32_t b, std::uint32_t& c, std::uint32_t d, std::uint32_t e, std::uint32_t x,
               int s, std::uint32_t k)
{
    a = RotL32(a + x + k + (b ^ (c | ~d)), s) + e;
    c = RotL32(c, 10);
}

// One block of 64 bytes at p folded into H.
inline void CompressBlock(std::span<std::uint32_t, 5> H, const std::uint8_t* p)
{
    std::uint32_t X[16];
    for (int i = 0; i < 16; ++i) X[i] = LoadLE32(p + 4 * i);
    std::uint32_t a = H[0], b = H[1], c = H[2], d = H[3], e = H[4];
    std::uint32_t aa = a, bb = b, cc = c, dd = d, ee = e;

    // Left and right steps side by side: the two lines are independent,
    // and written in this order the processor overlaps them.
    // clang-format off
    // Round 1: left f1, right f5.
    F1(a, b, c, d, e, X[ 0], 11, 0x00000000); F5(aa, bb, cc, dd, ee, X[ 5],  8, 0x50A28BE6);
    F1(e, a, b, c, d, X[ 1], 14, 0x00000000); F5(ee, aa, bb, cc, dd, X[14],  9, 0x50A28BE6);
    F1(d, e, a, b, c, X[ 2], 15, 0x00000000); F5(dd, ee, aa, bb, cc, X[ 7],  9, 0x50A28BE6);
    F1(c, d, e, a, b, X[ 3], 12, 0x00000000); F5(cc, dd, ee, aa, bb, X[ 0], 11, 0x50A28BE6);
    F1(b, c, d, e, a, X[ 4],  5, 0x00000000); F5(bb, cc, dd, ee, aa, X[ 9], 13, 0x50A28BE6);
    F1(a, b, c, d, e, X[ 5],  8, 0x00000000); F5(aa, bb, cc, dd, ee, X[ 2], 15, 0x50A28BE6);
    F1(e, a, b, c, d, X[ 6],  7, 0x00000000); F5(ee, aa, bb, cc, dd, X[11], 15, 0x50A28BE6);
    F1(d, e, a, b, c, X[ 7],  9, 0x00000000); F5(dd, ee, aa, bb, cc, X[ 4],  5, 0x50A28BE6);
    F1(c, d, e, a, b, X[ 8], 11, 0x00000000); F5(cc, dd, ee, aa, bb, X[13],  7, 0x50A28BE6);
    F1(b, c, d, e, a, X[ 9], 13, 0x00000000); F5(bb, cc, dd, ee, aa, X[ 6],  7, 0x50A28BE6);
    F1(a, b, c, d, e, X[10], 14, 0x00000000); F5(aa, bb, cc, dd, ee, X[15],  8, 0x50A28BE6);
    F1(e, a, b, c, d, X[11], 15, 0x00000000); F5(ee, aa, bb, cc, dd, X[ 8], 11, 0x50A28BE6);
    F1(d, e, a, b, c, X[12],  6, 0x00000000); F5(dd, ee, aa, bb, cc, X[ 1], 14, 0x50A28BE6);
    F1(c, d, e, a, b, X[13],  7, 0x00000000); F5(cc, dd, ee, aa, bb, X[10], 14, 0x50A28BE6);
    F1(b, c, d, e, a, X[14],  9, 0x00000000); F5(bb, cc, dd, ee, aa, X[ 3], 12, 0x50A28BE6);
    F1(a, b, c, d, e, X[15],  8, 0x00000000); F5(aa, bb, cc, dd, ee, X[12],  6, 0x50A28BE6);

    // Round 2: left f2, right f4.
    F2(e, a, b, c, d, X[ 7],  7, 0x5A827999); F4(ee, aa, bb, cc, dd, X[ 6],  9, 0x5C4DD124);
    F2(d, e, a, b, c, X[ 4],  6, 0x5A827999); F4(dd, ee, aa, bb, cc, X[11], 13, 0x5C4DD124);
    F2(c, d, e, a, b, X[13],  8, 0x5A827999); F4(cc, dd, ee, aa, bb, X[ 3], 15, 0x5C4DD124);
    F2(b, c, d, e, a, X[ 1], 13, 0x5A827999); F4(bb, cc, dd, ee, aa, X[ 7],  7, 0x5C4DD124);
    F2(a, b, c, d, e, X[10], 11, 0x5A827999); F4(aa, bb, cc, dd, ee, X[ 0], 12, 0x5C4DD124);
    F2(e, a, b, c, d, X[ 6],  9, 0x5A827999); F4(ee, aa, bb, cc, dd, X[13],  8, 0x5C4DD124);
    F2(d, e, a, b, c, X[15],  7, 0x5A827999); F4(dd, ee, aa, bb, cc, X[ 5],  9, 0x5C4DD124);
    F2(c, d, e, a, b, X[ 3], 15, 0x5A827999); F4(cc, dd, ee, aa, bb, X[10], 11, 0x5C4DD124);
    F2(b, c, d, e, a, X[12],  7, 0x5A827999); F4(bb, cc, dd, ee, aa, X[14],  7, 0x5C4DD124);
    F2(a, b, c, d, e, X[ 0], 12, 0x5A827999); F4(aa, bb, cc, dd, ee, X[15],  7, 0x5C4DD124);
    F2(e, a, b, c, d, X[ 9], 15, 0x5A827999); F4(ee, aa, bb, cc, dd, X[ 8], 12, 0x5C4DD124);
    F2(d, e, a, b, c, X[ 5],  9, 0x5A827999); F4(dd, ee, aa, bb, cc, X[12],  7, 0x5C4DD124);
    F2(c, d, e, a, b, X[ 2], 11, 0x5A827999); F4(cc, dd, ee, aa, bb, X[ 4],  6, 0x5C4DD124);
    F2(b, c, d, e, a, X[14],  7, 0x5A827999); F4(bb, cc, dd, ee, aa, X[ 9], 15, 0x5C4DD124);
    F2(a, b, c, d, e, X[11], 13, 0x5A827999); F4(aa, bb, cc, dd, ee, X[ 1], 13, 0x5C4DD124);
    F2(e, a, b, c, d, X[ 8], 12, 0x5A827999); F4(ee, aa, bb, cc, dd, X[ 2], 11, 0x5C4DD124);

    // Round 3: left f3, right f3.
    F3(d, e, a, b, c, X[ 3], 11, 0x6ED9EBA1); F3(dd, ee, aa, bb, cc, X[15],  9, 0x6D703EF3);
    F3(c, d, e, a, b, X[10], 13, 0x6ED9EBA1); F3(cc, dd, ee, aa, bb, X[ 5],  7, 0x6D703EF3);
    F3(b, c, d, e, a, X[14],  6, 0x6ED9EBA1); F3(bb, cc, dd, ee, aa, X[ 1], 15, 0x6D703EF3);
    F3(a, b, c, d, e, X[ 4],  7, 0x6ED9EBA1); F3(aa, bb, cc, dd, ee, X[ 3], 11, 0x6D703EF3);
    F3(e, a, b, c, d, X[ 9], 14, 0x6ED9EBA1); F3(ee, aa, bb, cc, dd, X[ 7],  8, 0x6D703EF3);
    F3(d, e, a, b, c, X[15],  9, 0x6ED9EBA1); F3(dd, ee, aa, bb, cc, X[14],  6, 0x6D703EF3);
    F3(c, d, e, a, b, X[ 8], 13, 0x6ED9EBA1); F3(cc, dd, ee, aa, bb, X[ 6],  6, 0x6D703EF3);
    F3(b, c, d, e, a, X[ 1], 15, 0x6ED9EBA1); F3(bb, cc, dd, ee, aa, X[ 9], 14, 0x6D703EF3);
    F3(a, b, c, d, e, X[ 2], 14, 0x6ED9EBA1); F3(aa, bb, cc, dd, ee, X[11], 12, 0x6D703EF3);
    F3(e, a, b, c, d, X[ 7],  8, 0x6ED9EBA1); F3(ee, aa, bb, cc, dd, X[ 8], 13, 0x6D703EF3);
    F3(d, e, a, b, c, X[ 0], 13, 0x6ED9EBA1); F3(dd, ee, aa, bb, cc, X[12],  5, 0x6D703EF3);
    F3(c, d, e, a, b, X[ 6],  6, 0x6ED9EBA1); F3(cc, dd, ee, aa, bb, X[ 2], 14, 0x6D703EF3);
    F3(b, c, d, e, a, X[13],  5, 0x6ED9EBA1); F3(bb, cc, dd, ee, aa, X[10], 13, 0x6D703EF3);
    F3(a, b, c, d, e, X[11], 12, 0x6ED9EBA1); F3(aa, bb, cc, dd, ee, X[ 0], 13, 0x6D703EF3);
    F3(e, a, b, c, d, X[ 5],  7, 0x6ED9EBA1); F3(ee, aa, bb, cc, dd, X[ 4],  7, 0x6D703EF3);
    F3(d, e, a, b, c, X[12],  5, 0x6ED9EBA1); F3(dd, ee, aa, bb, cc, X[13],  5, 0x6D703EF3);

    // Round 4: left f4, right f2.
    F4(c, d, e, a, b, X[ 1], 11, 0x8F1BBCDC); F2(cc, dd, ee, aa, bb, X[ 8], 15, 0x7A6D76E9);
    F4(b, c, d, e, a, X[ 9], 12, 0x8F1BBCDC); F2(bb, cc, dd, ee, aa, X[ 6],  5, 0x7A6D76E9);
    F4(a, b, c, d, e, X[11], 14, 0x8F1BBCDC); F2(aa, bb, cc, dd, ee, X[ 4],  8, 0x7A6D76E9);
    F4(e, a, b, c, d, X[10], 15, 0x8F1BBCDC); F2(ee, aa, bb, cc, dd, X[ 1], 11, 0x7A6D76E9);
    F4(d, e, a, b, c, X[ 0], 14, 0x8F1BBCDC); F2(dd, ee, aa, bb, cc, X[ 3], 14, 0x7A6D76E9);
    F4(c, d, e, a, b, X[ 8], 15, 0x8F1BBCDC); F2(cc, dd, ee, aa, bb, X[11], 14, 0x7A6D76E9);
    F4(b, c, d, e, a, X[12],  9, 0x8F1BBCDC); F2(bb, cc, dd, ee, aa, X[15],  6, 0x7A6D76E9);
    F4(a, b, c, d, e, X[ 4],  8, 0x8F1BBCDC); F2(aa, bb, cc, dd, ee, X[ 0], 14, 0x7A6D76E9);
    F4(e, a, b, c, d, X[13],  9, 0x8F1BBCDC); F2(ee, aa, bb, cc, dd, X[ 5],  6, 0x7A6D76E9);
    F4(d, e, a, b, c, X[ 3], 14, 0x8F1BBCDC); F2(dd, ee, aa, bb, cc, X[12],  9, 0x7A6D76E9);
    F4(c, d, e, a, b, X[ 7],  5, 0x8F1BBCDC); F2(cc, dd, ee, aa, bb, X[ 2], 12, 0x7A6D76E9);
    F4(b, c, d, e, a, X[15],  6, 0x8F1BBCDC); F2(bb, cc, dd, ee, aa, X[13],  9, 0x7A6D76E9);
    F4(a, b, c, d, e, X[14],  8, 0x8F1BBCDC); F2(aa, bb, cc, dd, ee, X[ 9], 12, 0x7A6D76E9);
    F4(e, a, b, c, d, X[ 5],  6, 0x8F1BBCDC); F2(ee, aa, bb, cc, dd, X[ 7],  5, 0x7A6D76E9);
    F4(d, e, a, b, c, X[ 6],  5, 0x8F1BBCDC); F2(dd, ee, aa, bb, cc, X[10], 15, 0x7A6D76E9);
    F4(c, d, e, a, b, X[ 2], 12, 0x8F1BBCDC); F2(cc, dd, ee, aa, bb, X[14],  8, 0x7A6D76E9);

    // Round 5: left f5, right f1.
    F5(b, c, d, e, a, X[ 4],  9, 0xA953FD4E); F1(bb, cc, dd, ee, aa, X[12],  8, 0x00000000);
    F5(a, b, c, d, e, X[ 0], 15, 0xA953FD4E); F1(aa, bb, cc, dd, ee, X[15],  5, 0x00000000);
    F5(e, a, b, c, d, X[ 5],  5, 0xA953FD4E); F1(ee, aa, bb, cc, dd, X[10], 12, 0x00000000);
    F5(d, e, a, b, c, X[ 9], 11, 0xA953FD4E); F1(dd, ee, aa, bb, cc, X[ 4],  9, 0x00000000);
    F5(c, d, e, a, b, X[ 7],  6, 0xA953FD4E); F1(cc, dd, ee, aa, bb, X[ 1], 12, 0x00000000);
    F5(b, c, d, e, a, X[12],  8, 0xA953FD4E); F1(bb, cc, dd, ee, aa, X[ 5],  5, 0x00000000);
    F5(a, b, c, d, e, X[ 2], 13, 0xA953FD4E); F1(aa, bb, cc, dd, ee, X[ 8], 14, 0x00000000);
    F5(e, a, b, c, d, X[10], 12, 0xA953FD4E); F1(ee, aa, bb, cc, dd, X[ 7],  6, 0x00000000);
    F5(d, e, a, b, c, X[14],  5, 0xA953FD4E); F1(dd, ee, aa, bb, cc, X[ 6],  8, 0x00000000);
    F5(c, d, e, a, b, X[ 1], 12, 0xA953FD4E); F1(cc, dd, ee, aa, bb, X[ 2], 13, 0x00000000);
    F5(b, c, d, e, a, X[ 3], 13, 0xA953FD4E); F1(bb, cc, dd, ee, aa, X[13],  6, 0x00000000);
    F5(a, b, c, d, e, X[ 8], 14, 0xA953FD4E); F1(aa, bb, cc, dd, ee, X[14],  5, 0x00000000);
    F5(e, a, b, c, d, X[11], 11, 0xA953FD4E); F1(ee, aa, bb, cc, dd, X[ 0], 15, 0x00000000);
    F5(d, e, a, b, c, X[ 6],  8, 0xA953FD4E); F1(dd, ee, aa, bb, cc, X[ 3], 13, 0x00000000);
    F5(c, d, e, a, b, X[15],  5, 0xA953FD4E); F1(cc, dd, ee, aa, bb, X[ 9], 11, 0x00000000);
    F5(b, c, d, e, a, X[13],  6, 0xA953FD4E); F1(bb, cc, dd, ee, aa, X[11], 11, 0x00000000);
    // clang-format on

    // After 80 steps both lines are back in their starting names; the
    // combination rotates the chaining words by one.
    const std::uint32_t t = H[1] + c + dd;
    H[1] = H[2] + d + ee;
    H[2] = H[3] + e + aa;
    H[3] = H[4] + a + bb;
    H[4] = H[0] + b + cc;
    H[0] = t;

    // The local copy holds message words; leave none of them on the stack.
    WipeObject(X);
}

} // namespace

template <>
struct MdConstants<TDCP_ripemd160::Traits> {
    static constexpr std::array<std::uint32_t, 5> InitialValue{0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476,
                                                               0xC3D2E1F0};
    static constexpr SelfTestVectors SelfTest{"a", "0BDC9D2D256B3EE9DAAE347BE6F4DC835A467FFE",
                                              "abcdefghijklmnopqrstuvwxyz", "F71C27109C692C1B56BBDCEB5B9D2865B3708DBC"};
    static constexpr Kernel<TDCP_ripemd160::Traits::CompressFunction> Kernels[] = {
        {kPortableKernel, nullptr, &EachBlock<CompressBlock, 64>},
    };
};

} // namespace sumbrook::dcp

template class sumbrook::TDCP_mdhash<sumbrook::TDCP_ripemd160::Traits>;
