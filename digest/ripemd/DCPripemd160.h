#pragma once

#include "digest/engine/DCPconst.h"
#include "digest/engine/DCPmdhash.h"

namespace sumbrook {

// RIPEMD-160 (Dobbertin, Bosselaers, Preneel). Its initial value, rounds and
// self-test are in DCPripemd160.cpp.
class TDCP_ripemd160 final
    : public TDCP_mdhash<dcp::MdShape<std::uint32_t, 5, 64, 20, dcp::ByteOrder::Little, DCP_ripemd160, "RipeMD-160">> {
};

} // namespace sumbrook
