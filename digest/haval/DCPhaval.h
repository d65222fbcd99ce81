#pragma once

#include "digest/engine/DCPconst.h"
#include "digest/engine/DCPmdhash.h"

namespace sumbrook {

// HAVAL, 5 passes, 256-bit output (Zheng, Pieprzyk, Seberry), and the
// published HAVAL-256/5: the same rounds and kernels, but this system pads
// with 0x80 where the published HAVAL pads with 0x01. Their constants and
// rounds are in DCPhaval.cpp.
class TDCP_haval final
    : public TDCP_mdhash<
          dcp::MdShape<std::uint32_t, 8, 128, 32, dcp::ByteOrder::Little, DCP_haval, "Haval (256bit, 5 passes)">> {};
class TDCP_haval_published final
    : public TDCP_mdhash<dcp::MdShape<std::uint32_t, 8, 128, 32, dcp::ByteOrder::Little, DCP_haval, "HAVAL-256/5">> {};

} // namespace sumbrook
