#pragma once

#include "digest/engine/DCPconst.h"
#include "digest/engine/DCPmdhash.h"

namespace sumbrook {

namespace dcp {

// MD5 (RFC 1321).
struct Md5 : MdShape<std::uint32_t, 4, 64, 16, ByteOrder::Little> {
    static constexpr std::int32_t Id = DCP_md5;
    static constexpr std::string_view Algorithm = "MD5";
    static constexpr std::array<Word, 4> InitialValue{0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476};
    static constexpr SelfTestVectors SelfTest{"abc", "900150983CD24FB0D6963F7D28E17F72", "abcdefghijklmnopqrstuvwxyz",
                                              "C3FCD3D76192E4007DFB496CCA67E13B"};
    static Table& Kernels();
};

} // namespace dcp

class TDCP_md5 final : public TDCP_mdhash<dcp::Md5> {};

} // namespace sumbrook
