#include "digest/multibuffer/lane_kernels.h"

#if SUMBROOK_DIGEST_X86_64

#include "digest/multibuffer/lanes_avx2.h"
#include "digest/multibuffer/sha1_rounds.h"

namespace sumbrook::dcp {

void Sha1LanesAvx2(std::uint32_t* State, const std::uint8_t* const* Blocks, std::uint32_t Active)
{
    __m256i w[16], s[5];
    LoadTransposed8(w, Blocks);
    SwapBytes8(w);
    LoadChain8(s, State);
    sha1_rounds::Rounds<Avx2>(s, w);
    AddToChain8(State, s, Active);
}

} // namespace sumbrook::dcp

#endif
