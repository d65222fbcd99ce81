#pragma once

#include "digest/engine/DCPconst.h"
#include "digest/engine/DCPmdhash.h"

namespace sumbrook {

namespace dcp {

// RIPEMD-160 (Dobbertin, Bosselaers, Preneel).
struct Ripemd160 : MdShape<std::uint32_t, 5, 64, 20, ByteOrder::Little> {
    static constexpr std::int32_t Id = DCP_ripemd160;
    static constexpr std::string_view Algorithm = "RipeMD-160";
    static constexpr std::array<Word, 5> InitialValue{0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};
    static constexpr SelfTestVectors SelfTest{"a", "0BDC9D2D256B3EE9DAAE347BE6F4DC835A467FFE",
                                              "abcdefghijklmnopqrstuvwxyz", "F71C27109C692C1B56BBDCEB5B9D2865B3708DBC"};
    static Table& Kernels();
};

} // namespace dcp

class TDCP_ripemd160 final : public TDCP_mdhash<dcp::Ripemd160> {};

} // namespace sumbrook
