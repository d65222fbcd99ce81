#pragma once

#include "digest/engine/DCPconst.h"
#include "digest/engine/DCPmdhash.h"

namespace sumbrook {

// SHA-256 (FIPS 180-2). Its initial value and self-test are in DCPsha256.cpp,
// the rounds it shares with SHA-512 in sha2_portable.h.
class TDCP_sha256 final
    : public TDCP_mdhash<dcp::MdShape<std::uint32_t, 8, 64, 32, dcp::ByteOrder::Big, DCP_sha256, "SHA256">> {};

} // namespace sumbrook
