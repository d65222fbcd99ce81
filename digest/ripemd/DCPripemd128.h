#pragma once

#include "digest/engine/DCPconst.h"
#include "digest/engine/DCPmdhash.h"

namespace sumbrook {

// RIPEMD-128 (Dobbertin, Bosselaers, Preneel). Its initial value, rounds and
// self-test are in DCPripemd128.cpp.
class TDCP_ripemd128 final
    : public TDCP_mdhash<dcp::MdShape<std::uint32_t, 4, 64, 16, dcp::ByteOrder::Little, DCP_ripemd128, "RipeMD-128">> {
};

} // namespace sumbrook
