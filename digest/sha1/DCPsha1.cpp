#include "digest/sha1/DCPsha1.h"

#include "digest/engine/DCPbytes.h"
#include "digest/engine/DCPmdhash_impl.h"

namespace sumbrook::dcp {

namespace {

// One step of FIPS 180-2, 6.1.2, with the usual renaming folded in: instead
// of shifting a..e down each step, the caller rotates the argument order, so
// only e (the new a) and b (rotated by 30) are written. a comes from the step
// just before, so it is added last: the other terms need not wait for it.
inline void StepCh(std::uint32_t a, std::uint32_t& b, std::uint32_t c, std::uint32_t d, std::uint32_t& e,
                   std::uint32_t w, std::uint32_t k)
{
    e += k + w + (d ^ (b & (c ^ d)));
    e += RotL32(a, 5);
    b = RotL32(b, 30);
}
inline void StepParity(std::uint32_t a, std::uint32_t& b, std::uint32_t c, std::uint32_t d, std::uint32_t& e,
                       std::uint32_t w, std::uint32_t k)
{
    e += k + w + (b ^ c ^ d);
    e += RotL32(a, 5);
    b = RotL32(b, 30);
}
inline void StepMaj(std::uint32_t a, std::uint32_t& b, std::uint32_t c, std::uint32_t d, std::uint32_t& e,
                    std::uint32_t w, std::uint32_t k)
{
    // Maj as a sum: its two halves never overlap, and the adds can start early.
    e += k + w + (b & c);
    e += d & (b ^ c);
    e += RotL32(a, 5);
    b = RotL32(b, 30);
}

// One block of 64 bytes at p folded into H.
inline void CompressBlock(std::span<std::uint32_t, 5> H, const std::uint8_t* p)
{
    std::uint32_t W[80];
    for (int i = 0; i < 16; ++i) W[i] = LoadBE32(p + 4 * i);
    // The three newest words ride in locals: that keeps the extension scalar.
    // Vectorised, its loads straddle its own fresh stores and stall forwarding.
    std::uint32_t w3 = W[13], w2 = W[14], w1 = W[15];
    for (std::size_t i = 16; i < 80; ++i) {
        const std::uint32_t w = RotL32(w3 ^ W[i - 8] ^ W[i - 14] ^ W[i - 16], 1);
        W[i] = w;
        w3 = w2;
        w2 = w1;
        w1 = w;
    }
    std::uint32_t a = H[0], b = H[1], c = H[2], d = H[3], e = H[4];

    // clang-format off
    StepCh(a, b, c, d, e, W[ 0], 0x5A827999); StepCh(e, a, b, c, d, W[ 1], 0x5A827999);
    StepCh(d, e, a, b, c, W[ 2], 0x5A827999); StepCh(c, d, e, a, b, W[ 3], 0x5A827999);
    StepCh(b, c, d, e, a, W[ 4], 0x5A827999); StepCh(a, b, c, d, e, W[ 5], 0x5A827999);
    StepCh(e, a, b, c, d, W[ 6], 0x5A827999); StepCh(d, e, a, b, c, W[ 7], 0x5A827999);
    StepCh(c, d, e, a, b, W[ 8], 0x5A827999); StepCh(b, c, d, e, a, W[ 9], 0x5A827999);
    StepCh(a, b, c, d, e, W[10], 0x5A827999); StepCh(e, a, b, c, d, W[11], 0x5A827999);
    StepCh(d, e, a, b, c, W[12], 0x5A827999); StepCh(c, d, e, a, b, W[13], 0x5A827999);
    StepCh(b, c, d, e, a, W[14], 0x5A827999); StepCh(a, b, c, d, e, W[15], 0x5A827999);
    StepCh(e, a, b, c, d, W[16], 0x5A827999); StepCh(d, e, a, b, c, W[17], 0x5A827999);
    StepCh(c, d, e, a, b, W[18], 0x5A827999); StepCh(b, c, d, e, a, W[19], 0x5A827999);

    StepParity(a, b, c, d, e, W[20], 0x6ED9EBA1); StepParity(e, a, b, c, d, W[21], 0x6ED9EBA1);
    StepParity(d, e, a, b, c, W[22], 0x6ED9EBA1); StepParity(c, d, e, a, b, W[23], 0x6ED9EBA1);
    StepParity(b, c, d, e, a, W[24], 0x6ED9EBA1); StepParity(a, b, c, d, e, W[25], 0x6ED9EBA1);
    StepParity(e, a, b, c, d, W[26], 0x6ED9EBA1); StepParity(d, e, a, b, c, W[27], 0x6ED9EBA1);
    StepParity(c, d, e, a, b, W[28], 0x6ED9EBA1); StepParity(b, c, d, e, a, W[29], 0x6ED9EBA1);
    StepParity(a, b, c, d, e, W[30], 0x6ED9EBA1); StepParity(e, a, b, c, d, W[31], 0x6ED9EBA1);
    StepParity(d, e, a, b, c, W[32], 0x6ED9EBA1); StepParity(c, d, e, a, b, W[33], 0x6ED9EBA1);
    StepParity(b, c, d, e, a, W[34], 0x6ED9EBA1); StepParity(a, b, c, d, e, W[35], 0x6ED9EBA1);
    StepParity(e, a, b, c, d, W[36], 0x6ED9EBA1); StepParity(d, e, a, b, c, W[37], 0x6ED9EBA1);
    StepParity(c, d, e, a, b, W[38], 0x6ED9EBA1); StepParity(b, c, d, e, a, W[39], 0x6ED9EBA1);

    StepMaj(a, b, c, d, e, W[40], 0x8F1BBCDC); StepMaj(e, a, b, c, d, W[41], 0x8F1BBCDC);
    StepMaj(d, e, a, b, c, W[42], 0x8F1BBCDC); StepMaj(c, d, e, a, b, W[43], 0x8F1BBCDC);
    StepMaj(b, c, d, e, a, W[44], 0x8F1BBCDC); StepMaj(a, b, c, d, e, W[45], 0x8F1BBCDC);
    StepMaj(e, a, b, c, d, W[46], 0x8F1BBCDC); StepMaj(d, e, a, b, c, W[47], 0x8F1BBCDC);
    StepMaj(c, d, e, a, b, W[48], 0x8F1BBCDC); StepMaj(b, c, d, e, a, W[49], 0x8F1BBCDC);
    StepMaj(a, b, c, d, e, W[50], 0x8F1BBCDC); StepMaj(e, a, b, c, d, W[51], 0x8F1BBCDC);
    StepMaj(d, e, a, b, c, W[52], 0x8F1BBCDC); StepMaj(c, d, e, a, b, W[53], 0x8F1BBCDC);
    StepMaj(b, c, d, e, a, W[54], 0x8F1BBCDC); StepMaj(a, b, c, d, e, W[55], 0x8F1BBCDC);
    StepMaj(e, a, b, c, d, W[56], 0x8F1BBCDC); StepMaj(d, e, a, b, c, W[57], 0x8F1BBCDC);
    StepMaj(c, d, e, a, b, W[58], 0x8F1BBCDC); StepMaj(b, c, d, e, a, W[59], 0x8F1BBCDC);

    StepParity(a, b, c, d, e, W[60], 0xCA62C1D6); StepParity(e, a, b, c, d, W[61], 0xCA62C1D6);
    StepParity(d, e, a, b, c, W[62], 0xCA62C1D6); StepParity(c, d, e, a, b, W[63], 0xCA62C1D6);
    StepParity(b, c, d, e, a, W[64], 0xCA62C1D6); StepParity(a, b, c, d, e, W[65], 0xCA62C1D6);
    StepParity(e, a, b, c, d, W[66], 0xCA62C1D6); StepParity(d, e, a, b, c, W[67], 0xCA62C1D6);
    StepParity(c, d, e, a, b, W[68], 0xCA62C1D6); StepParity(b, c, d, e, a, W[69], 0xCA62C1D6);
    StepParity(a, b, c, d, e, W[70], 0xCA62C1D6); StepParity(e, a, b, c, d, W[71], 0xCA62C1D6);
    StepParity(d, e, a, b, c, W[72], 0xCA62C1D6); StepParity(c, d, e, a, b, W[73], 0xCA62C1D6);
    StepParity(b, c, d, e, a, W[74], 0xCA62C1D6); StepParity(a, b, c, d, e, W[75], 0xCA62C1D6);
    StepParity(e, a, b, c, d, W[76], 0xCA62C1D6); StepParity(d, e, a, b, c, W[77], 0xCA62C1D6);
    StepParity(c, d, e, a, b, W[78], 0xCA62C1D6); StepParity(b, c, d, e, a, W[79], 0xCA62C1D6);
    // clang-format on

    AddToChain(H, a, b, c, d, e);
}

} // namespace

#if SUMBROOK_DIGEST_X86_64
void Sha1CompressShaNi(std::span<std::uint32_t, 5> H, std::span<const std::uint8_t> Blocks); // DCPsha1_shani.cpp
#endif

template <>
struct MdConstants<TDCP_sha1::Traits> {
    static constexpr std::array<std::uint32_t, 5> InitialValue{0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476,
                                                               0xC3D2E1F0};
    static constexpr SelfTestVectors SelfTest{"abc", "A9993E364706816ABA3E25717850C26C9CD0D89D",
                                              "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
                                              "84983E441C3BD26EBAAE4AA1F95129E5E54670F1"};
    static constexpr Kernel<TDCP_sha1::Traits::CompressFunction> Kernels[] = {
#if SUMBROOK_DIGEST_X86_64
        {"sha-ni", &CpuFeatures::ShaNi, &Sha1CompressShaNi},
#endif
        {kPortableKernel, nullptr, &EachBlock<CompressBlock, 64>},
    };
};

} // namespace sumbrook::dcp

template class sumbrook::TDCP_mdhash<sumbrook::TDCP_sha1::Traits>;
