#include "digest/sha2/DCPsha512.h"

#include "digest/engine/DCPbytes.h"

namespace sumbrook::dcp {

namespace {

// One step of FIPS 180-2, 6.3.2, shared by SHA-384 and SHA-512. The caller
// rotates the argument order instead of moving the eight working variables,
// so a step writes only d (which becomes the new e) and h (the new a).
inline void Step(std::uint64_t a, std::uint64_t b, std::uint64_t c, std::uint64_t& d, std::uint64_t e,
                 std::uint64_t f, std::uint64_t g, std::uint64_t& h, std::uint64_t w, std::uint64_t k)
{
    // Sigma1(e) is added last: e is the value the previous step just made.
    std::uint64_t t1 = h + k + w + (g ^ (e & (f ^ g)));
    t1 += RotR64(e, 14) ^ RotR64(e, 18) ^ RotR64(e, 41);
    d += t1;
    // Maj in this form shares a ^ b with the next step's b ^ c.
    h = t1 + (RotR64(a, 28) ^ RotR64(a, 34) ^ RotR64(a, 39)) + (b ^ ((a ^ b) & (b ^ c)));
}

// One block of 128 bytes at p folded into H.
inline void CompressBlock(std::span<std::uint64_t, 8> H, const std::uint8_t* p)
{
    std::uint64_t W[80];
    for (int i = 0; i < 16; ++i) W[i] = LoadBE64(p + 8 * i);
    // The two newest words ride in locals: that keeps the extension scalar.
    // Vectorised, its loads straddle its own fresh stores and stall forwarding.
    std::uint64_t w2 = W[14], w1 = W[15];
    for (std::size_t i = 16; i < 80; ++i) {
        const std::uint64_t s0 = RotR64(W[i - 15], 1) ^ RotR64(W[i - 15], 8) ^ (W[i - 15] >> 7);
        const std::uint64_t s1 = RotR64(w2, 19) ^ RotR64(w2, 61) ^ (w2 >> 6);
        const std::uint64_t w = s1 + W[i - 7] + s0 + W[i - 16];
        W[i] = w;
        w2 = w1;
        w1 = w;
    }
    std::uint64_t a = H[0], b = H[1], c = H[2], d = H[3];
    std::uint64_t e = H[4], f = H[5], g = H[6], h = H[7];

    // clang-format off
    Step(a, b, c, d, e, f, g, h, W[ 0], 0x428A2F98D728AE22); Step(h, a, b, c, d, e, f, g, W[ 1], 0x7137449123EF65CD);
    Step(g, h, a, b, c, d, e, f, W[ 2], 0xB5C0FBCFEC4D3B2F); Step(f, g, h, a, b, c, d, e, W[ 3], 0xE9B5DBA58189DBBC);
    Step(e, f, g, h, a, b, c, d, W[ 4], 0x3956C25BF348B538); Step(d, e, f, g, h, a, b, c, W[ 5], 0x59F111F1B605D019);
    Step(c, d, e, f, g, h, a, b, W[ 6], 0x923F82A4AF194F9B); Step(b, c, d, e, f, g, h, a, W[ 7], 0xAB1C5ED5DA6D8118);
    Step(a, b, c, d, e, f, g, h, W[ 8], 0xD807AA98A3030242); Step(h, a, b, c, d, e, f, g, W[ 9], 0x12835B0145706FBE);
    Step(g, h, a, b, c, d, e, f, W[10], 0x243185BE4EE4B28C); Step(f, g, h, a, b, c, d, e, W[11], 0x550C7DC3D5FFB4E2);
    Step(e, f, g, h, a, b, c, d, W[12], 0x72BE5D74F27B896F); Step(d, e, f, g, h, a, b, c, W[13], 0x80DEB1FE3B1696B1);
    Step(c, d, e, f, g, h, a, b, W[14], 0x9BDC06A725C71235); Step(b, c, d, e, f, g, h, a, W[15], 0xC19BF174CF692694);

    Step(a, b, c, d, e, f, g, h, W[16], 0xE49B69C19EF14AD2); Step(h, a, b, c, d, e, f, g, W[17], 0xEFBE4786384F25E3);
    Step(g, h, a, b, c, d, e, f, W[18], 0x0FC19DC68B8CD5B5); Step(f, g, h, a, b, c, d, e, W[19], 0x240CA1CC77AC9C65);
    Step(e, f, g, h, a, b, c, d, W[20], 0x2DE92C6F592B0275); Step(d, e, f, g, h, a, b, c, W[21], 0x4A7484AA6EA6E483);
    Step(c, d, e, f, g, h, a, b, W[22], 0x5CB0A9DCBD41FBD4); Step(b, c, d, e, f, g, h, a, W[23], 0x76F988DA831153B5);
    Step(a, b, c, d, e, f, g, h, W[24], 0x983E5152EE66DFAB); Step(h, a, b, c, d, e, f, g, W[25], 0xA831C66D2DB43210);
    Step(g, h, a, b, c, d, e, f, W[26], 0xB00327C898FB213F); Step(f, g, h, a, b, c, d, e, W[27], 0xBF597FC7BEEF0EE4);
    Step(e, f, g, h, a, b, c, d, W[28], 0xC6E00BF33DA88FC2); Step(d, e, f, g, h, a, b, c, W[29], 0xD5A79147930AA725);
    Step(c, d, e, f, g, h, a, b, W[30], 0x06CA6351E003826F); Step(b, c, d, e, f, g, h, a, W[31], 0x142929670A0E6E70);

    Step(a, b, c, d, e, f, g, h, W[32], 0x27B70A8546D22FFC); Step(h, a, b, c, d, e, f, g, W[33], 0x2E1B21385C26C926);
    Step(g, h, a, b, c, d, e, f, W[34], 0x4D2C6DFC5AC42AED); Step(f, g, h, a, b, c, d, e, W[35], 0x53380D139D95B3DF);
    Step(e, f, g, h, a, b, c, d, W[36], 0x650A73548BAF63DE); Step(d, e, f, g, h, a, b, c, W[37], 0x766A0ABB3C77B2A8);
    Step(c, d, e, f, g, h, a, b, W[38], 0x81C2C92E47EDAEE6); Step(b, c, d, e, f, g, h, a, W[39], 0x92722C851482353B);
    Step(a, b, c, d, e, f, g, h, W[40], 0xA2BFE8A14CF10364); Step(h, a, b, c, d, e, f, g, W[41], 0xA81A664BBC423001);
    Step(g, h, a, b, c, d, e, f, W[42], 0xC24B8B70D0F89791); Step(f, g, h, a, b, c, d, e, W[43], 0xC76C51A30654BE30);
    Step(e, f, g, h, a, b, c, d, W[44], 0xD192E819D6EF5218); Step(d, e, f, g, h, a, b, c, W[45], 0xD69906245565A910);
    Step(c, d, e, f, g, h, a, b, W[46], 0xF40E35855771202A); Step(b, c, d, e, f, g, h, a, W[47], 0x106AA07032BBD1B8);

    Step(a, b, c, d, e, f, g, h, W[48], 0x19A4C116B8D2D0C8); Step(h, a, b, c, d, e, f, g, W[49], 0x1E376C085141AB53);
    Step(g, h, a, b, c, d, e, f, W[50], 0x2748774CDF8EEB99); Step(f, g, h, a, b, c, d, e, W[51], 0x34B0BCB5E19B48A8);
    Step(e, f, g, h, a, b, c, d, W[52], 0x391C0CB3C5C95A63); Step(d, e, f, g, h, a, b, c, W[53], 0x4ED8AA4AE3418ACB);
    Step(c, d, e, f, g, h, a, b, W[54], 0x5B9CCA4F7763E373); Step(b, c, d, e, f, g, h, a, W[55], 0x682E6FF3D6B2B8A3);
    Step(a, b, c, d, e, f, g, h, W[56], 0x748F82EE5DEFB2FC); Step(h, a, b, c, d, e, f, g, W[57], 0x78A5636F43172F60);
    Step(g, h, a, b, c, d, e, f, W[58], 0x84C87814A1F0AB72); Step(f, g, h, a, b, c, d, e, W[59], 0x8CC702081A6439EC);
    Step(e, f, g, h, a, b, c, d, W[60], 0x90BEFFFA23631E28); Step(d, e, f, g, h, a, b, c, W[61], 0xA4506CEBDE82BDE9);
    Step(c, d, e, f, g, h, a, b, W[62], 0xBEF9A3F7B2C67915); Step(b, c, d, e, f, g, h, a, W[63], 0xC67178F2E372532B);

    Step(a, b, c, d, e, f, g, h, W[64], 0xCA273ECEEA26619C); Step(h, a, b, c, d, e, f, g, W[65], 0xD186B8C721C0C207);
    Step(g, h, a, b, c, d, e, f, W[66], 0xEADA7DD6CDE0EB1E); Step(f, g, h, a, b, c, d, e, W[67], 0xF57D4F7FEE6ED178);
    Step(e, f, g, h, a, b, c, d, W[68], 0x06F067AA72176FBA); Step(d, e, f, g, h, a, b, c, W[69], 0x0A637DC5A2C898A6);
    Step(c, d, e, f, g, h, a, b, W[70], 0x113F9804BEF90DAE); Step(b, c, d, e, f, g, h, a, W[71], 0x1B710B35131C471B);
    Step(a, b, c, d, e, f, g, h, W[72], 0x28DB77F523047D84); Step(h, a, b, c, d, e, f, g, W[73], 0x32CAAB7B40C72493);
    Step(g, h, a, b, c, d, e, f, W[74], 0x3C9EBE0A15C9BEBC); Step(f, g, h, a, b, c, d, e, W[75], 0x431D67C49C100D4C);
    Step(e, f, g, h, a, b, c, d, W[76], 0x4CC5D4BECB3E42B6); Step(d, e, f, g, h, a, b, c, W[77], 0x597F299CFC657E2A);
    Step(c, d, e, f, g, h, a, b, W[78], 0x5FCB6FAB3AD6FAEC); Step(b, c, d, e, f, g, h, a, W[79], 0x6C44198C4A475817);
    // clang-format on

    H[0] += a;
    H[1] += b;
    H[2] += c;
    H[3] += d;
    H[4] += e;
    H[5] += f;
    H[6] += g;
    H[7] += h;
}

} // namespace

void Sha512CompressPortable(std::span<std::uint64_t, 8> H, std::span<const std::uint8_t> Blocks)
{
    for (std::size_t at = 0; at < Blocks.size(); at += 128) CompressBlock(H, Blocks.data() + at);
}

#if SUMBROOK_DIGEST_X86_64
void Sha512CompressAvx2(std::span<std::uint64_t, 8> H, std::span<const std::uint8_t> Blocks); // DCPsha512_avx2.cpp
void Sha512CompressAvx512(std::span<std::uint64_t, 8> H, std::span<const std::uint8_t> Blocks); // DCPsha512_avx512.cpp
#endif

namespace {
constexpr Kernel<Sha512::Table::Function> kKernels[] = {
#if SUMBROOK_DIGEST_X86_64
    {"avx512", &CpuFeatures::Avx512, &Sha512CompressAvx512},
    {"avx2", &CpuFeatures::Avx2Bmi2, &Sha512CompressAvx2},
#endif
    {kPortableKernel, nullptr, &Sha512CompressPortable},
};
constinit Sha512::Table table(kKernels);
} // namespace

Sha512::Table& Sha512::Kernels()
{
    return table;
}

} // namespace sumbrook::dcp
