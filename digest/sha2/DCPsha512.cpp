#include "digest/sha2/DCPsha512.h"

#include "digest/sha2/sha2_portable.h"
#include "digest/engine/DCPmdhash_impl.h"

namespace sumbrook::dcp {

#if SUMBROOK_DIGEST_X86_64
void Sha512CompressAvx2(std::span<std::uint64_t, 8> H, std::span<const std::uint8_t> Blocks);   // DCPsha512_avx2.cpp
void Sha512CompressAvx512(std::span<std::uint64_t, 8> H, std::span<const std::uint8_t> Blocks); // DCPsha512_avx512.cpp
#endif

template <>
struct MdConstants<TDCP_sha512::Traits> {
    static constexpr std::array<std::uint64_t, 8> InitialValue{
        0x6A09E667F3BCC908, 0xBB67AE8584CAA73B, 0x3C6EF372FE94F82B, 0xA54FF53A5F1D36F1,
        0x510E527FADE682D1, 0x9B05688C2B3E6C1F, 0x1F83D9ABFB41BD6B, 0x5BE0CD19137E2179};
    static constexpr SelfTestVectors SelfTest{
        "abc",
        "DDAF35A193617ABACC417349AE20413112E6FA4E89A97EA20A9EEEE64B55D39A"
        "2192992A274FC1A836BA3C23A3FEEBBD454D4423643CE80E2A9AC94FA54CA49F",
        "abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrst"
        "nopqrstu",
        "8E959B75DAE313DA8CF4F72814FC143F8F7779C6EB9F7FA17299AEADB6889018"
        "501D289E4900F7E4331B99DEC4B5433AC7D329EEB6DD26545E96E55B874BE909"};
    static constexpr Kernel<TDCP_sha512::Traits::CompressFunction> Kernels[] = {
#if SUMBROOK_DIGEST_X86_64
        {"avx512", &CpuFeatures::Avx512, &Sha512CompressAvx512},
        {"avx2", &CpuFeatures::Avx2Bmi2, &Sha512CompressAvx2},
#endif
        {kPortableKernel, nullptr, &Sha2CompressPortable<Sha512Rounds>},
    };
};

// SHA-512's compression and kernels from its own initial value.
template <>
struct MdConstants<TDCP_sha384::Traits> : MdConstants<TDCP_sha512::Traits> {
    static constexpr std::array<std::uint64_t, 8> InitialValue{
        0xCBBB9D5DC1059ED8, 0x629A292A367CD507, 0x9159015A3070DD17, 0x152FECD8F70E5939,
        0x67332667FFC00B31, 0x8EB44A8768581511, 0xDB0C2E0D64F98FA7, 0x47B5481DBEFA4FA4};
    static constexpr SelfTestVectors SelfTest{
        "abc", "CB00753F45A35E8BB5A03D699AC65007272C32AB0EDED1631A8B605A43FF5BED8086072BA1E7CC2358BAECA134C825A7",
        MdConstants<TDCP_sha512::Traits>::SelfTest.Text2,
        "09330C33F71147E83D192FC782CD1B4753111B173B3B05D22FA08086E3B0F712FCC7C71A557E2DB966C3E9FA91746039"};
};

} // namespace sumbrook::dcp

template class sumbrook::TDCP_mdhash<sumbrook::TDCP_sha384::Traits>;
template class sumbrook::TDCP_mdhash<sumbrook::TDCP_sha512::Traits>;
