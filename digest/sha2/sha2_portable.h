#pragma once

// The portable SHA-2 compression of FIPS 180-2 (6.2.2 for SHA-256, 6.3.2
// for SHA-384/512), written once over the word size: the two differ only
// in their words, rotation counts, round count and constants.

#include <cstddef>
#include <cstdint>
#include <span>

#include "digest/engine/DCPbytes.h"
#include "digest/sha2/DCPsha2_constants.h"

namespace sumbrook::dcp {

struct Sha256Rounds {
    using Word = std::uint32_t;
    static constexpr std::size_t kRounds = 64;
    static constexpr const Word* K = kSha256K;
    static Word Load(const std::uint8_t* p) { return LoadBE32(p); }
    static Word Sigma0(Word a) { return RotR32(a, 2) ^ RotR32(a, 13) ^ RotR32(a, 22); }
    static Word Sigma1(Word e) { return RotR32(e, 6) ^ RotR32(e, 11) ^ RotR32(e, 25); }
    static Word sigma0(Word w) { return RotR32(w, 7) ^ RotR32(w, 18) ^ (w >> 3); }
    static Word sigma1(Word w) { return RotR32(w, 17) ^ RotR32(w, 19) ^ (w >> 10); }
};

struct Sha512Rounds {
    using Word = std::uint64_t;
    static constexpr std::size_t kRounds = 80;
    static constexpr const Word* K = kSha512K;
    static Word Load(const std::uint8_t* p) { return LoadBE64(p); }
    static Word Sigma0(Word a) { return RotR64(a, 28) ^ RotR64(a, 34) ^ RotR64(a, 39); }
    static Word Sigma1(Word e) { return RotR64(e, 14) ^ RotR64(e, 18) ^ RotR64(e, 41); }
    static Word sigma0(Word w) { return RotR64(w, 1) ^ RotR64(w, 8) ^ (w >> 7); }
    static Word sigma1(Word w) { return RotR64(w, 19) ^ RotR64(w, 61) ^ (w >> 6); }
};

// One step. The caller rotates the argument order instead of moving the
// eight working variables, so a step writes only d (which becomes the new
// e) and h (the new a).
template <class R, class W = typename R::Word>
inline void Sha2Step(W a, W b, W c, W& d, W e, W f, W g, W& h, W w, W k)
{
    // Sigma1(e) is added last: e is the value the previous step just made.
    W t1 = h + k + w + (g ^ (e & (f ^ g)));
    t1 += R::Sigma1(e);
    d += t1;
    // Maj in this form shares a ^ b with the next step's b ^ c.
    h = t1 + R::Sigma0(a) + (b ^ ((a ^ b) & (b ^ c)));
}

// Blocks, a whole number of them, folded into H.
template <class R>
inline void Sha2CompressPortable(std::span<typename R::Word, 8> H, std::span<const std::uint8_t> Blocks)
{
    using W = typename R::Word;
    constexpr std::size_t kBlock = 16 * sizeof(W);
    for (std::size_t at = 0; at < Blocks.size(); at += kBlock) {
        const std::uint8_t* p = Blocks.data() + at;
        W w[R::kRounds];
        for (std::size_t i = 0; i < 16; ++i) w[i] = R::Load(p + sizeof(W) * i);
        // The two newest words ride in locals: that keeps the extension scalar.
        // Vectorised, its loads straddle its own fresh stores and stall forwarding.
        W w2 = w[14], w1 = w[15];
        for (std::size_t i = 16; i < R::kRounds; ++i) {
            const W next = R::sigma1(w2) + w[i - 7] + R::sigma0(w[i - 15]) + w[i - 16];
            w[i] = next;
            w2 = w1;
            w1 = next;
        }
        W a = H[0], b = H[1], c = H[2], d = H[3], e = H[4], f = H[5], g = H[6], h = H[7];
#pragma GCC unroll 10
        for (std::size_t i = 0; i < R::kRounds; i += 8) {
            Sha2Step<R>(a, b, c, d, e, f, g, h, w[i + 0], R::K[i + 0]);
            Sha2Step<R>(h, a, b, c, d, e, f, g, w[i + 1], R::K[i + 1]);
            Sha2Step<R>(g, h, a, b, c, d, e, f, w[i + 2], R::K[i + 2]);
            Sha2Step<R>(f, g, h, a, b, c, d, e, w[i + 3], R::K[i + 3]);
            Sha2Step<R>(e, f, g, h, a, b, c, d, w[i + 4], R::K[i + 4]);
            Sha2Step<R>(d, e, f, g, h, a, b, c, w[i + 5], R::K[i + 5]);
            Sha2Step<R>(c, d, e, f, g, h, a, b, w[i + 6], R::K[i + 6]);
            Sha2Step<R>(b, c, d, e, f, g, h, a, w[i + 7], R::K[i + 7]);
        }
        AddToChain(H, a, b, c, d, e, f, g, h);
    }
}

} // namespace sumbrook::dcp
