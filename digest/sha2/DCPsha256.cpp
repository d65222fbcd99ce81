#include "digest/sha2/DCPsha256.h"

#include "digest/sha2/sha2_portable.h"

namespace sumbrook::dcp {

void Sha256CompressPortable(std::span<std::uint32_t, 8> H, std::span<const std::uint8_t> Blocks)
{
    Sha2CompressPortable<Sha256Rounds>(H, Blocks);
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
