#pragma once

#include "digest/engine/DCPconst.h"
#include "digest/engine/DCPmdhash.h"

namespace sumbrook {

namespace dcp {
// HAVAL-256/5's layout, shared by both classes below.
template <NameLiteral Name>
using HavalShape = MdShape<std::uint32_t, 8, 128, 32, ByteOrder::Little, DCP_haval, Name>;
} // namespace dcp

// HAVAL, 5 passes, 256-bit output (Zheng, Pieprzyk, Seberry), and the
// published HAVAL-256/5: the same rounds and kernels, but this system pads
// with 0x80 where the published HAVAL pads with 0x01. Their constants and
// rounds are in DCPhaval.cpp.
class TDCP_haval final : public TDCP_mdhash<dcp::HavalShape<"Haval (256bit, 5 passes)">> {};
class TDCP_haval_published final : public TDCP_mdhash<dcp::HavalShape<"HAVAL-256/5">> {};

} // namespace sumbrook
