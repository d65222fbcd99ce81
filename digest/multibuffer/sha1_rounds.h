#pragma once

// The 80 steps of SHA-1 (FIPS 180-2, 6.1.2) over any word type, as
// md5_rounds.h does for MD5. The schedule runs in a window of 16 words.

#include <cstddef>
#include <cstdint>
#include <utility>

namespace sumbrook::dcp::sha1_rounds {

inline constexpr std::uint32_t kK[4] = {0x5A827999, 0x6ED9EBA1, 0x8F1BBCDC, 0xCA62C1D6};

// Instead of shifting a..e down each step, step i reads them rotated by i:
// only e (the new a) and b (rotated by 30) are written.
template <class O, std::size_t I>
inline void Step(typename O::V (&s)[5], typename O::V (&w)[16])
{
    using V = typename O::V;
    const V a = s[(5 - I % 5) % 5];
    V& b = s[(6 - I % 5) % 5];
    const V c = s[(7 - I % 5) % 5], d = s[(8 - I % 5) % 5];
    V& e = s[(9 - I % 5) % 5];
    if constexpr (I >= 16)
        w[I % 16] = O::template RotL<1>(O::Xor4(w[(I - 3) % 16], w[(I - 8) % 16], w[(I - 14) % 16], w[I % 16]));
    V f;
    if constexpr (I < 20)
        f = O::Ch(b, c, d);
    else if constexpr (I < 40 || I >= 60)
        f = O::Parity(b, c, d);
    else
        f = O::Maj(b, c, d);
    // a comes from the step just before: added last.
    e = O::Add(O::Add(e, O::Add(w[I % 16], O::Set1(kK[I / 20]))), f);
    e = O::Add(e, O::template RotL<5>(a));
    b = O::template RotL<30>(b);
}

template <class O, std::size_t... I>
inline void Steps(typename O::V (&s)[5], typename O::V (&w)[16], std::index_sequence<I...>)
{
    (Step<O, I>(s, w), ...);
}

// The new working values a..e of one block; w holds its 16 words and is consumed.
template <class O>
inline void Rounds(typename O::V (&s)[5], typename O::V (&w)[16])
{
    Steps<O>(s, w, std::make_index_sequence<80>{});
}

} // namespace sumbrook::dcp::sha1_rounds
