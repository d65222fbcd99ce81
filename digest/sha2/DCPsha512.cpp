#include "digest/sha2/DCPsha512.h"

#include "digest/sha2/sha2_portable.h"

namespace sumbrook::dcp {

void Sha512CompressPortable(std::span<std::uint64_t, 8> H, std::span<const std::uint8_t> Blocks)
{
    Sha2CompressPortable<Sha512Rounds>(H, Blocks);
}

#if SUMBROOK_DIGEST_X86_64
void Sha512CompressAvx2(std::span<std::uint64_t, 8> H, std::span<const std::uint8_t> Blocks);   // DCPsha512_avx2.cpp
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
