#pragma once

#include "digest/engine/DCPconst.h"
#include "digest/engine/DCPmdhash.h"

namespace sumbrook {

namespace dcp {

// RIPEMD-128 (Dobbertin, Bosselaers, Preneel).
struct Ripemd128 : MdShape<std::uint32_t, 4, 64, 16, ByteOrder::Little> {
    static constexpr std::int32_t Id = DCP_ripemd128;
    static constexpr std::string_view Algorithm = "RipeMD-128";
    static constexpr std::array<Word, 4> InitialValue{0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476};
    static constexpr SelfTestVectors SelfTest{"a", "86BE7AFA339D0FC7CFC785E72F578D33", "abcdefghijklmnopqrstuvwxyz",
                                              "FD2AA607F71DC8F510714922B371834E"};
    static Table& Kernels();
};

} // namespace dcp

class TDCP_ripemd128 final : public TDCP_mdhash<dcp::Ripemd128> {};

} // namespace sumbrook
