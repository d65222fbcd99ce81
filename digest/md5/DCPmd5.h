#pragma once

#include "digest/engine/DCPconst.h"
#include "digest/engine/DCPmdhash.h"

namespace sumbrook {

// MD5 (RFC 1321). Its initial value, rounds and self-test are in DCPmd5.cpp.
class TDCP_md5 final
    : public TDCP_mdhash<dcp::MdShape<std::uint32_t, 4, 64, 16, dcp::ByteOrder::Little, DCP_md5, "MD5">> {};

} // namespace sumbrook
