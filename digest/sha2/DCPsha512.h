#pragma once

#include "digest/engine/DCPconst.h"
#include "digest/engine/DCPmdhash.h"

namespace sumbrook {

// SHA-512 and SHA-384 (FIPS 180-2): one compression and a 128-bit length
// count, each from its own initial value, SHA-384 cut to six words. Their
// constants and self-tests are in DCPsha512.cpp.
class TDCP_sha384 final
    : public TDCP_mdhash<dcp::MdShape<std::uint64_t, 8, 128, 48, dcp::ByteOrder::Big, DCP_sha384, "SHA384", 16>> {};
class TDCP_sha512 final
    : public TDCP_mdhash<dcp::MdShape<std::uint64_t, 8, 128, 64, dcp::ByteOrder::Big, DCP_sha512, "SHA512", 16>> {};

} // namespace sumbrook
