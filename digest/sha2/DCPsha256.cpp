#include "digest/sha2/DCPsha256.h"

#include "digest/sha2/sha2_portable.h"
#include "digest/engine/DCPmdhash_impl.h"

namespace sumbrook::dcp {

#if SUMBROOK_DIGEST_X86_64
void Sha256CompressShaNi(std::span<std::uint32_t, 8> H, std::span<const std::uint8_t> Blocks); // DCPsha256_shani.cpp
#endif

template <>
struct MdConstants<TDCP_sha256::Traits> {
    static constexpr std::array<std::uint32_t, 8> InitialValue{0x6A09E667, 0xBB67AE85, 0x3C6EF372, 0xA54FF53A,
                                                               0x510E527F, 0x9B05688C, 0x1F83D9AB, 0x5BE0CD19};
    static constexpr SelfTestVectors SelfTest{"abc", "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD",
                                              "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
                                              "248D6A61D20638B8E5C026930C3E6039A33CE45964FF2167F6ECEDD419DB06C1"};
    static constexpr Kernel<TDCP_sha256::Traits::CompressFunction> Kernels[] = {
#if SUMBROOK_DIGEST_X86_64
        {"sha-ni", &CpuFeatures::ShaNi, &Sha256CompressShaNi},
#endif
        {kPortableKernel, nullptr, &Sha2CompressPortable<Sha256Rounds>},
    };
};

} // namespace sumbrook::dcp

template class sumbrook::TDCP_mdhash<sumbrook::TDCP_sha256::Traits>;
