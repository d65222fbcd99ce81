#include "digest/sha2/DCPsha256.h"

#include "digest/engine/DCPbytes.h"

namespace sumbrook::dcp {

namespace {

// One step of FIPS 180-2, 6.2.2. The caller rotates the argument order
// instead of moving the eight working variables, so a step writes only d
// (which becomes the new e) and h (the new a).
inline void Step(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t& d, std::uint32_t e,
                 std::uint32_t f, std::uint32_t g, std::uint32_t& h, std::uint32_t w, std::uint32_t k)
{
    // Sigma1(e) is added last: e is the value the previous step just made.
    std::uint32_t t1 = h + k + w + (g ^ (e & (f ^ g)));
    t1 += RotR32(e, 6) ^ RotR32(e, 11) ^ RotR32(e, 25);
    d += t1;
    // Maj in this form shares a ^ b with the next step's b ^ c.
    h = t1 + (RotR32(a, 2) ^ RotR32(a, 13) ^ RotR32(a, 22)) + (b ^ ((a ^ b) & (b ^ c)));
}

// One block of 64 bytes at p folded into H.
inline void CompressBlock(std::span<std::uint32_t, 8> H, const std::uint8_t* p)
{
    std::uint32_t W[64];
    for (int i = 0; i < 16; ++i) W[i] = LoadBE32(p + 4 * i);
    // The two newest words ride in locals: that keeps the extension scalar.
    // Vectorised, its loads straddle its own fresh stores and stall forwarding.
    std::uint32_t w2 = W[14], w1 = W[15];
    for (std::size_t i = 16; i < 64; ++i) {
        const std::uint32_t s0 = RotR32(W[i - 15], 7) ^ RotR32(W[i - 15], 18) ^ (W[i - 15] >> 3);
        const std::uint32_t s1 = RotR32(w2, 17) ^ RotR32(w2, 19) ^ (w2 >> 10);
        const std::uint32_t w = s1 + W[i - 7] + s0 + W[i - 16];
        W[i] = w;
        w2 = w1;
        w1 = w;
    }
    std::uint32_t a = H[0], b = H[1], c = H[2], d = H[3];
    std::uint32_t e = H[4], f = H[5], g = H[6], h = H[7];

    // clang-format off
    Step(a, b, c, d, e, f, g, h, W[ 0], 0x428A2F98); Step(h, a, b, c, d, e, f, g, W[ 1], 0x71374491);
    Step(g, h, a, b, c, d, e, f, W[ 2], 0xB5C0FBCF); Step(f, g, h, a, b, c, d, e, W[ 3], 0xE9B5DBA5);
    Step(e, f, g, h, a, b, c, d, W[ 4], 0x3956C25B); Step(d, e, f, g, h, a, b, c, W[ 5], 0x59F111F1);
    Step(c, d, e, f, g, h, a, b, W[ 6], 0x923F82A4); Step(b, c, d, e, f, g, h, a, W[ 7], 0xAB1C5ED5);
    Step(a, b, c, d, e, f, g, h, W[ 8], 0xD807AA98); Step(h, a, b, c, d, e, f, g, W[ 9], 0x12835B01);
    Step(g, h, a, b, c, d, e, f, W[10], 0x243185BE); Step(f, g, h, a, b, c, d, e, W[11], 0x550C7DC3);
    Step(e, f, g, h, a, b, c, d, W[12], 0x72BE5D74); Step(d, e, f, g, h, a, b, c, W[13], 0x80DEB1FE);
    Step(c, d, e, f, g, h, a, b, W[14], 0x9BDC06A7); Step(b, c, d, e, f, g, h, a, W[15], 0xC19BF174);

    Step(a, b, c, d, e, f, g, h, W[16], 0xE49B69C1); Step(h, a, b, c, d, e, f, g, W[17], 0xEFBE4786);
    Step(g, h, a, b, c, d, e, f, W[18], 0x0FC19DC6); Step(f, g, h, a, b, c, d, e, W[19], 0x240CA1CC);
    Step(e, f, g, h, a, b, c, d, W[20], 0x2DE92C6F); Step(d, e, f, g, h, a, b, c, W[21], 0x4A7484AA);
    Step(c, d, e, f, g, h, a, b, W[22], 0x5CB0A9DC); Step(b, c, d, e, f, g, h, a, W[23], 0x76F988DA);
    Step(a, b, c, d, e, f, g, h, W[24], 0x983E5152); Step(h, a, b, c, d, e, f, g, W[25], 0xA831C66D);
    Step(g, h, a, b, c, d, e, f, W[26], 0xB00327C8); Step(f, g, h, a, b, c, d, e, W[27], 0xBF597FC7);
    Step(e, f, g, h, a, b, c, d, W[28], 0xC6E00BF3); Step(d, e, f, g, h, a, b, c, W[29], 0xD5A79147);
    Step(c, d, e, f, g, h, a, b, W[30], 0x06CA6351); Step(b, c, d, e, f, g, h, a, W[31], 0x14292967);

    Step(a, b, c, d, e, f, g, h, W[32], 0x27B70A85); Step(h, a, b, c, d, e, f, g, W[33], 0x2E1B2138);
    Step(g, h, a, b, c, d, e, f, W[34], 0x4D2C6DFC); Step(f, g, h, a, b, c, d, e, W[35], 0x53380D13);
    Step(e, f, g, h, a, b, c, d, W[36], 0x650A7354); Step(d, e, f, g, h, a, b, c, W[37], 0x766A0ABB);
    Step(c, d, e, f, g, h, a, b, W[38], 0x81C2C92E); Step(b, c, d, e, f, g, h, a, W[39], 0x92722C85);
    Step(a, b, c, d, e, f, g, h, W[40], 0xA2BFE8A1); Step(h, a, b, c, d, e, f, g, W[41], 0xA81A664B);
    Step(g, h, a, b, c, d, e, f, W[42], 0xC24B8B70); Step(f, g, h, a, b, c, d, e, W[43], 0xC76C51A3);
    Step(e, f, g, h, a, b, c, d, W[44], 0xD192E819); Step(d, e, f, g, h, a, b, c, W[45], 0xD6990624);
    Step(c, d, e, f, g, h, a, b, W[46], 0xF40E3585); Step(b, c, d, e, f, g, h, a, W[47], 0x106AA070);

    Step(a, b, c, d, e, f, g, h, W[48], 0x19A4C116); Step(h, a, b, c, d, e, f, g, W[49], 0x1E376C08);
    Step(g, h, a, b, c, d, e, f, W[50], 0x2748774C); Step(f, g, h, a, b, c, d, e, W[51], 0x34B0BCB5);
    Step(e, f, g, h, a, b, c, d, W[52], 0x391C0CB3); Step(d, e, f, g, h, a, b, c, W[53], 0x4ED8AA4A);
    Step(c, d, e, f, g, h, a, b, W[54], 0x5B9CCA4F); Step(b, c, d, e, f, g, h, a, W[55], 0x682E6FF3);
    Step(a, b, c, d, e, f, g, h, W[56], 0x748F82EE); Step(h, a, b, c, d, e, f, g, W[57], 0x78A5636F);
    Step(g, h, a, b, c, d, e, f, W[58], 0x84C87814); Step(f, g, h, a, b, c, d, e, W[59], 0x8CC70208);
    Step(e, f, g, h, a, b, c, d, W[60], 0x90BEFFFA); Step(d, e, f, g, h, a, b, c, W[61], 0xA4506CEB);
    Step(c, d, e, f, g, h, a, b, W[62], 0xBEF9A3F7); Step(b, c, d, e, f, g, h, a, W[63], 0xC67178F2);
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

void Sha256CompressPortable(std::span<std::uint32_t, 8> H, std::span<const std::uint8_t> Blocks)
{
    for (std::size_t at = 0; at < Blocks.size(); at += 64) CompressBlock(H, Blocks.data() + at);
}

#if SUMBROOK_DIGEST_X86_64
void Sha256CompressShaNi(std::span<std::uint32_t, 8> H, std::span<const std::uint8_t> Blocks); // DCPsha256_shani.cpp
#endif

namespace {
constexpr Kernel<Sha256::Table::Function> kKernels[] = {
#if SUMBROOK_DIGEST_X86_64
    {"sha-ni", &CpuFeatures::ShaNi, &Sha256CompressShaNi},
#endif
    {kPortableKernel, nullptr, &Sha256CompressPortable},
};
constinit Sha256::Table table(kKernels);
} // namespace

Sha256::Table& Sha256::Kernels()
{
    return table;
}

} // namespace sumbrook::dcp
