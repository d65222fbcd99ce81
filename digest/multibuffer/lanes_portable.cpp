// One lane of plain code: with this kernel the hasher runs one message at a
// time, as the one-stream digests do. Also the kernel tables.

#include <cstring>

#include "digest/multibuffer/lane_kernels.h"
#include "digest/multibuffer/md5_rounds.h"
#include "digest/multibuffer/sha1_rounds.h"

namespace sumbrook::dcp {

namespace {

template <int S>
constexpr std::uint32_t Rot(std::uint32_t v)
{
    return (v << S) | (v >> (32 - S));
}

struct Scalar {
    using V = std::uint32_t;
    static V Add(V x, V y) { return x + y; }
    static V Set1(std::uint32_t v) { return v; }
    static V Broadcast(const std::uint32_t* p) { return *p; }
    template <int S>
    static V RotL(V v)
    {
        return Rot<S>(v);
    }
    static V F(V b, V c, V d) { return d ^ (b & (c ^ d)); }
    static V G(V b, V c, V d) { return (b & d) | (c & ~d); }
    static V H(V b, V c, V d) { return b ^ c ^ d; }
    static V I(V b, V c, V d) { return c ^ (b | ~d); }
    static V Ch(V b, V c, V d) { return d ^ (b & (c ^ d)); }
    static V Parity(V b, V c, V d) { return b ^ c ^ d; }
    static V Maj(V b, V c, V d) { return (b & c) | (d & (b ^ c)); }
    static V Xor4(V a, V b, V c, V d) { return a ^ b ^ c ^ d; }
};

// Byte order by arithmetic: the compiler makes it a plain or swapped load.
std::uint32_t LoadLE(const std::uint8_t* p)
{
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}
std::uint32_t LoadBE(const std::uint8_t* p)
{
    return std::uint32_t{p[3]} | std::uint32_t{p[2]} << 8 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[0]} << 24;
}

} // namespace

void Md5LanesPortable(std::uint32_t* State, const std::uint8_t* const* Blocks, std::uint32_t Active)
{
    if ((Active & 1u) == 0) return;
    std::uint32_t x[16];
    for (std::size_t i = 0; i < 16; ++i) x[i] = LoadLE(Blocks[0] + 4 * i);
    std::uint32_t s[4] = {State[0], State[1], State[2], State[3]};
    md5_rounds::Rounds<Scalar>(s, x);
    for (std::size_t i = 0; i < 4; ++i) State[i] += s[i];
}

void Sha1LanesPortable(std::uint32_t* State, const std::uint8_t* const* Blocks, std::uint32_t Active)
{
    if ((Active & 1u) == 0) return;
    std::uint32_t w[16];
    for (std::size_t i = 0; i < 16; ++i) w[i] = LoadBE(Blocks[0] + 4 * i);
    std::uint32_t s[5] = {State[0], State[1], State[2], State[3], State[4]};
    sha1_rounds::Rounds<Scalar>(s, w);
    for (std::size_t i = 0; i < 5; ++i) State[i] += s[i];
}

namespace {

constexpr Kernel<LaneKernel> kMd5Lanes[] = {
#if SUMBROOK_DIGEST_X86_64
    {"avx512-x16", &CpuFeatures::Avx512, {16, &Md5LanesAvx512}},
    {"avx2-x8", &CpuFeatures::Avx2Bmi2, {8, &Md5LanesAvx2}},
#endif
    {kPortableKernel, nullptr, {1, &Md5LanesPortable}},
};
constexpr Kernel<LaneKernel> kSha1Lanes[] = {
#if SUMBROOK_DIGEST_X86_64
    {"avx512-x16", &CpuFeatures::Avx512, {16, &Sha1LanesAvx512}},
    {"avx2-x8", &CpuFeatures::Avx2Bmi2, {8, &Sha1LanesAvx2}},
#endif
    {kPortableKernel, nullptr, {1, &Sha1LanesPortable}},
};
constinit KernelTable<LaneKernel> md5Lanes(kMd5Lanes);
constinit KernelTable<LaneKernel> sha1Lanes(kSha1Lanes);

} // namespace

LaneKernel Md5LaneKernel()
{
    return md5Lanes.Get();
}
LaneKernel Sha1LaneKernel()
{
    return sha1Lanes.Get();
}
std::string_view Md5LaneKernelName()
{
    return md5Lanes.ActiveName();
}
std::string_view Sha1LaneKernelName()
{
    return sha1Lanes.ActiveName();
}
KernelSlot& Md5MultiBufferSlot()
{
    return md5Lanes;
}
KernelSlot& Sha1MultiBufferSlot()
{
    return sha1Lanes;
}

} // namespace sumbrook::dcp
