#pragma once

#include "digest/engine/DCPconst.h"
#include "digest/engine/DCPmdhash.h"

namespace sumbrook {

// SHA-1 (FIPS 180-2). Its initial value, rounds and self-test are in DCPsha1.cpp.
class TDCP_sha1 final
    : public TDCP_mdhash<dcp::MdShape<std::uint32_t, 5, 64, 20, dcp::ByteOrder::Big, DCP_sha1, "SHA1">> {};

} // namespace sumbrook
