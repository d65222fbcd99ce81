#pragma once

#include "digest/engine/DCPconst.h"
#include "digest/engine/DCPmdhash.h"

namespace sumbrook {

namespace dcp {
// The layout SHA-384 and SHA-512 share: 64-bit words, 128-byte blocks and a
// 128-bit length count.
template <std::size_t DigestBytes, std::int32_t Id, NameLiteral Name>
using Sha512Shape = MdShape<std::uint64_t, 8, 128, DigestBytes, ByteOrder::Big, Id, Name, 16>;
} // namespace dcp

// SHA-512 and SHA-384 (FIPS 180-2): one compression, each from its own
// initial value, SHA-384 cut to six words. Their constants and self-tests are
// in DCPsha512.cpp.
class TDCP_sha384 final : public TDCP_mdhash<dcp::Sha512Shape<48, DCP_sha384, "SHA384">> {};
class TDCP_sha512 final : public TDCP_mdhash<dcp::Sha512Shape<64, DCP_sha512, "SHA512">> {};

} // namespace sumbrook
