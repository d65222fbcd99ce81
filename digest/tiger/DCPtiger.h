#pragma once

#include "digest/engine/DCPconst.h"
#include "digest/engine/DCPmdhash.h"

namespace sumbrook {

namespace dcp {
// The published S-boxes T1 to T4 (DCPtiger_sboxes.cpp).
extern const std::uint64_t TigerSBox[4][256];
} // namespace dcp

// Tiger, 192-bit output (Anderson, Biham), which pads with 0x01 (0x80 is the
// later Tiger2). Its initial value, rounds and self-test are in DCPtiger.cpp.
class TDCP_tiger final
    : public TDCP_mdhash<dcp::MdShape<std::uint64_t, 3, 64, 24, dcp::ByteOrder::Little, DCP_tiger, "Tiger">> {};

} // namespace sumbrook
