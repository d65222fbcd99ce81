#pragma once

#include "digest/engine/DCPconst.h"
#include "digest/engine/DCPmdhash.h"

namespace sumbrook {

namespace dcp {

// MD4 (RFC 1320).
struct Md4 : MdShape<std::uint32_t, 4, 64, 16, ByteOrder::Little> {
    static constexpr std::int32_t Id = DCP_md4;
    static constexpr std::string_view Algorithm = "MD4";
    static constexpr std::array<Word, 4> InitialValue{0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476};
    static constexpr SelfTestVectors SelfTest{"abc", "A448017AAF21D8525FC10AE87AA6729D", "abcdefghijklmnopqrstuvwxyz",
                                              "D79E1C308AA5BBCDEEA8ED63DF412DA9"};
    static Table& Kernels();
};

} // namespace dcp

class TDCP_md4 final : public TDCP_mdhash<dcp::Md4> {};

} // namespace sumbrook
