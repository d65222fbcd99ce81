// SHA-384/512 kernel on AVX2 and BMI2 (DCPsha512_vector.h). Built with
// -mavx2 -mbmi -mbmi2; chosen only where the processor has them.

#include "digest/engine/DCPcpu.h"

#if SUMBROOK_DIGEST_X86_64

#include "digest/sha2/DCPsha512_vector.h"

namespace sumbrook::dcp {

void Sha512CompressAvx2(std::span<std::uint64_t, 8> H, std::span<const std::uint8_t> Blocks)
{
    CompressVector(H, Blocks);
}

} // namespace sumbrook::dcp

#endif
