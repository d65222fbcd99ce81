#pragma once

// The 64 steps of MD5 (RFC 1321, 3.4) over any word type: a plain 32-bit
// word or a vector of lanes. O supplies the type V and its operations; each
// kernel file defines its O in an unnamed namespace, so every instantiation
// stays inside the file compiled for its instruction set.

#include <cstddef>
#include <cstdint>
#include <utility>

namespace sumbrook::dcp::md5_rounds {

// T[i] = floor(2^32 * |sin(i + 1)|).
inline constexpr std::uint32_t kT[64] = {
    0xD76AA478, 0xE8C7B756, 0x242070DB, 0xC1BDCEEE, 0xF57C0FAF, 0x4787C62A, 0xA8304613, 0xFD469501,
    0x698098D8, 0x8B44F7AF, 0xFFFF5BB1, 0x895CD7BE, 0x6B901122, 0xFD987193, 0xA679438E, 0x49B40821,
    0xF61E2562, 0xC040B340, 0x265E5A51, 0xE9B6C7AA, 0xD62F105D, 0x02441453, 0xD8A1E681, 0xE7D3FBC8,
    0x21E1CDE6, 0xC33707D6, 0xF4D50D87, 0x455A14ED, 0xA9E3E905, 0xFCEFA3F8, 0x676F02D9, 0x8D2A4C8A,
    0xFFFA3942, 0x8771F681, 0x6D9D6122, 0xFDE5380C, 0xA4BEEA44, 0x4BDECFA9, 0xF6BB4B60, 0xBEBFBC70,
    0x289B7EC6, 0xEAA127FA, 0xD4EF3085, 0x04881D05, 0xD9D4D039, 0xE6DB99E5, 0x1FA27CF8, 0xC4AC5665,
    0xF4292244, 0x432AFF97, 0xAB9423A7, 0xFC93A039, 0x655B59C3, 0x8F0CCC92, 0xFFEFF47D, 0x85845DD1,
    0x6FA87E4F, 0xFE2CE6E0, 0xA3014314, 0x4E0811A1, 0xF7537E82, 0xBD3AF235, 0x2AD7D2BB, 0xEB86D391,
};
inline constexpr int kShift[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};

// kT behind a pointer the compiler cannot see through.
inline const std::uint32_t* OpaqueConstants()
{
    const std::uint32_t* t = kT;
#if defined(__GNUC__)
    __asm__("" : "+r"(t));
#endif
    return t;
}

// The message word step i reads.
constexpr std::size_t WordOf(std::size_t i)
{
    const std::size_t k = i % 16;
    switch (i / 16) {
    case 0: return k;
    case 1: return (1 + 5 * k) % 16;
    case 2: return (5 + 3 * k) % 16;
    default: return (7 * k) % 16;
    }
}

// Step i writes a, d, c, b in turn: s[(4 - i % 4) % 4] with the other three
// following it in the order b, c, d.
template <class O, std::size_t I>
inline void Step(typename O::V (&s)[4], const typename O::V (&x)[16], const std::uint32_t* t)
{
    using V = typename O::V;
    constexpr std::size_t ai = (4 - I % 4) % 4;
    V& a = s[ai];
    const V b = s[(ai + 1) % 4], c = s[(ai + 2) % 4], d = s[(ai + 3) % 4];
    V f;
    if constexpr (I < 16)
        f = O::F(b, c, d);
    else if constexpr (I < 32)
        f = O::G(b, c, d);
    else if constexpr (I < 48)
        f = O::H(b, c, d);
    else
        f = O::I(b, c, d);
    // Word and constant first, off the path that waits for b.
    a = O::Add(
        b, O::template RotL<kShift[I / 16][I % 4]>(O::Add(O::Add(O::Add(x[WordOf(I)], O::Broadcast(t + I)), a), f)));
}

template <class O, std::size_t... I>
inline void Steps(typename O::V (&s)[4], const typename O::V (&x)[16], const std::uint32_t* t,
                  std::index_sequence<I...>)
{
    (Step<O, I>(s, x, t), ...);
}

// The new working values a, b, c, d of one block; the caller adds them to the
// chain. The constants are read through t (kT, or the same table behind an
// opaque pointer, so that vector code adds them from memory instead of
// building each in a register).
template <class O>
inline void Rounds(typename O::V (&s)[4], const typename O::V (&x)[16], const std::uint32_t* t = kT)
{
    Steps<O>(s, x, t, std::make_index_sequence<64>{});
}

} // namespace sumbrook::dcp::md5_rounds
