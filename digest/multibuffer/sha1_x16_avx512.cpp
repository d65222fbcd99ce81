#include "digest/multibuffer/lane_kernels.h"

#if SUMBROOK_DIGEST_X86_64

#include "digest/multibuffer/lanes_avx512.h"
#include "digest/multibuffer/sha1_rounds.h"

namespace sumbrook::dcp {

void Sha1LanesAvx512(std::uint32_t* State, const std::uint8_t* const* Blocks, std::uint32_t Active)
{
    __m512i w[16], s[5];
    LoadTransposed16(w, Blocks);
    SwapBytes16(w);
    LoadChain16(s, State);
    sha1_rounds::Rounds<Avx512>(s, w);
    AddToChain16(State, s, Active);
}

} // namespace sumbrook::dcp

#endif
