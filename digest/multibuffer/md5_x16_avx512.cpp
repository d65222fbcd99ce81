#include "digest/multibuffer/lane_kernels.h"

#if SUMBROOK_DIGEST_X86_64

#include "digest/multibuffer/lanes_avx512.h"
#include "digest/multibuffer/md5_rounds.h"

namespace sumbrook::dcp {

void Md5LanesAvx512(std::uint32_t* State, const std::uint8_t* const* Blocks, std::uint32_t Active)
{
    __m512i x[16], s[4];
    LoadTransposed16(x, Blocks);
    LoadChain16(s, State);
    md5_rounds::Rounds<Avx512>(s, x, md5_rounds::OpaqueConstants());
    AddToChain16(State, s, Active);
}

} // namespace sumbrook::dcp

#endif
