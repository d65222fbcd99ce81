#include "digest/multibuffer/lane_kernels.h"

#if SUMBROOK_DIGEST_X86_64

#include "digest/multibuffer/lanes_avx2.h"
#include "digest/multibuffer/md5_rounds.h"

namespace sumbrook::dcp {

void Md5LanesAvx2(std::uint32_t* State, const std::uint8_t* const* Blocks, std::uint32_t Active)
{
    __m256i x[16], s[4];
    LoadTransposed8(x, Blocks);
    LoadChain8(s, State);
    md5_rounds::Rounds<Avx2>(s, x, md5_rounds::OpaqueConstants());
    AddToChain8(State, s, Active);
}

} // namespace sumbrook::dcp

#endif
