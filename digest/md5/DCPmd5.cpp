#include "digest/md5/DCPmd5.h"

#include "digest/engine/DCPbytes.h"
#include "digest/engine/DCPmdhash_impl.h"

namespace sumbrook::dcp {

namespace {

// The four auxiliary functions of RFC 1321, section 3.4, folded into one step
// each: a = b + ((a + f(b,c,d) + x + t) <<< s). The message word and constant
// are added first, off the path that waits for the newest word b.
inline void FF(std::uint32_t& a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t x, int s,
               std::uint32_t t)
{
    a = b + RotL32(a + x + t + (d ^ (b & (c ^ d))), s);
}
inline void GG(std::uint32_t& a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t x, int s,
               std::uint32_t t)
{
    a = b + RotL32(a + x + t + (~d & c) + (d & b), s); // the two parts share no bit
}
inline void HH(std::uint32_t& a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t x, int s,
               std::uint32_t t)
{
    a = b + RotL32(a + x + t + (b ^ (c ^ d)), s);
}
inline void II(std::uint32_t& a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t x, int s,
               std::uint32_t t)
{
    a = b + RotL32(a + x + t + (c ^ (b | ~d)), s);
}

// One block of 64 bytes at p folded into H.
inline void CompressBlock(std::span<std::uint32_t, 4> H, const std::uint8_t* p)
{
    std::uint32_t X[16];
    for (int i = 0; i < 16; ++i) X[i] = LoadLE32(p + 4 * i);
    std::uint32_t a = H[0], b = H[1], c = H[2], d = H[3];

    // clang-format off
    FF(a, b, c, d, X[ 0],  7, 0xD76AA478); FF(d, a, b, c, X[ 1], 12, 0xE8C7B756);
    FF(c, d, a, b, X[ 2], 17, 0x242070DB); FF(b, c, d, a, X[ 3], 22, 0xC1BDCEEE);
    FF(a, b, c, d, X[ 4],  7, 0xF57C0FAF); FF(d, a, b, c, X[ 5], 12, 0x4787C62A);
    FF(c, d, a, b, X[ 6], 17, 0xA8304613); FF(b, c, d, a, X[ 7], 22, 0xFD469501);
    FF(a, b, c, d, X[ 8],  7, 0x698098D8); FF(d, a, b, c, X[ 9], 12, 0x8B44F7AF);
    FF(c, d, a, b, X[10], 17, 0xFFFF5BB1); FF(b, c, d, a, X[11], 22, 0x895CD7BE);
    FF(a, b, c, d, X[12],  7, 0x6B901122); FF(d, a, b, c, X[13], 12, 0xFD987193);
    FF(c, d, a, b, X[14], 17, 0xA679438E); FF(b, c, d, a, X[15], 22, 0x49B40821);

    GG(a, b, c, d, X[ 1],  5, 0xF61E2562); GG(d, a, b, c, X[ 6],  9, 0xC040B340);
    GG(c, d, a, b, X[11], 14, 0x265E5A51); GG(b, c, d, a, X[ 0], 20, 0xE9B6C7AA);
    GG(a, b, c, d, X[ 5],  5, 0xD62F105D); GG(d, a, b, c, X[10],  9, 0x02441453);
    GG(c, d, a, b, X[15], 14, 0xD8A1E681); GG(b, c, d, a, X[ 4], 20, 0xE7D3FBC8);
    GG(a, b, c, d, X[ 9],  5, 0x21E1CDE6); GG(d, a, b, c, X[14],  9, 0xC33707D6);
    GG(c, d, a, b, X[ 3], 14, 0xF4D50D87); GG(b, c, d, a, X[ 8], 20, 0x455A14ED);
    GG(a, b, c, d, X[13],  5, 0xA9E3E905); GG(d, a, b, c, X[ 2],  9, 0xFCEFA3F8);
    GG(c, d, a, b, X[ 7], 14, 0x676F02D9); GG(b, c, d, a, X[12], 20, 0x8D2A4C8A);

    HH(a, b, c, d, X[ 5],  4, 0xFFFA3942); HH(d, a, b, c, X[ 8], 11, 0x8771F681);
    HH(c, d, a, b, X[11], 16, 0x6D9D6122); HH(b, c, d, a, X[14], 23, 0xFDE5380C);
    HH(a, b, c, d, X[ 1],  4, 0xA4BEEA44); HH(d, a, b, c, X[ 4], 11, 0x4BDECFA9);
    HH(c, d, a, b, X[ 7], 16, 0xF6BB4B60); HH(b, c, d, a, X[10], 23, 0xBEBFBC70);
    HH(a, b, c, d, X[13],  4, 0x289B7EC6); HH(d, a, b, c, X[ 0], 11, 0xEAA127FA);
    HH(c, d, a, b, X[ 3], 16, 0xD4EF3085); HH(b, c, d, a, X[ 6], 23, 0x04881D05);
    HH(a, b, c, d, X[ 9],  4, 0xD9D4D039); HH(d, a, b, c, X[12], 11, 0xE6DB99E5);
    HH(c, d, a, b, X[15], 16, 0x1FA27CF8); HH(b, c, d, a, X[ 2], 23, 0xC4AC5665);

    II(a, b, c, d, X[ 0],  6, 0xF4292244); II(d, a, b, c, X[ 7], 10, 0x432AFF97);
    II(c, d, a, b, X[14], 15, 0xAB9423A7); II(b, c, d, a, X[ 5], 21, 0xFC93A039);
    II(a, b, c, d, X[12],  6, 0x655B59C3); II(d, a, b, c, X[ 3], 10, 0x8F0CCC92);
    II(c, d, a, b, X[10], 15, 0xFFEFF47D); II(b, c, d, a, X[ 1], 21, 0x85845DD1);
    II(a, b, c, d, X[ 8],  6, 0x6FA87E4F); II(d, a, b, c, X[15], 10, 0xFE2CE6E0);
    II(c, d, a, b, X[ 6], 15, 0xA3014314); II(b, c, d, a, X[13], 21, 0x4E0811A1);
    II(a, b, c, d, X[ 4],  6, 0xF7537E82); II(d, a, b, c, X[11], 10, 0xBD3AF235);
    II(c, d, a, b, X[ 2], 15, 0x2AD7D2BB); II(b, c, d, a, X[ 9], 21, 0xEB86D391);
    // clang-format on

    AddToChain(H, a, b, c, d);
}

} // namespace

template <>
struct MdConstants<TDCP_md5::Traits> {
    static constexpr std::array<std::uint32_t, 4> InitialValue{0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476};
    static constexpr SelfTestVectors SelfTest{"abc", "900150983CD24FB0D6963F7D28E17F72", "abcdefghijklmnopqrstuvwxyz",
                                              "C3FCD3D76192E4007DFB496CCA67E13B"};
    static constexpr Kernel<TDCP_md5::Traits::CompressFunction> Kernels[] = {
        {kPortableKernel, nullptr, &EachBlock<CompressBlock, 64>},
    };
};

} // namespace sumbrook::dcp

template class sumbrook::TDCP_mdhash<sumbrook::TDCP_md5::Traits>;
