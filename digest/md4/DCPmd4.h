#pragma once

#include "digest/engine/DCPconst.h"
#include "digest/engine/DCPmdhash.h"

namespace sumbrook {

// MD4 (RFC 1320). Its initial value, rounds and self-test are in DCPmd4.cpp.
class TDCP_md4 final
    : public TDCP_mdhash<dcp::MdShape<std::uint32_t, 4, 64, 16, dcp::ByteOrder::Little, DCP_md4, "MD4">> {};

} // namespace sumbrook
