#pragma once

#include "digest/engine/DCPconst.h"
#include "digest/engine/DCPmdhash.h"

namespace sumbrook {

namespace dcp {

// MD4 (RFC 1320).
struct Md4 {
    using Word = std::uint32_t;
    static constexpr std::int32_t Id = DCP_md4;
    static constexpr std::string_view Algorithm = "MD4";
    static constexpr std::size_t BlockBytes = 64, DigestBytes = 16, CounterBytes = 8;
    static constexpr ByteOrder Order = ByteOrder::Little;
    static constexpr std::uint8_t PadByte = 0x80;
    static constexpr std::array<std::uint8_t, 0> Trailer{};
    static constexpr std::array<Word, 4> InitialValue{0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476};
    static constexpr SelfTestVectors SelfTest{
        "abc", "A448017AAF21D8525FC10AE87AA6729D",
        "abcdefghijklmnopqrstuvwxyz", "D79E1C308AA5BBCDEEA8ED63DF412DA9"};
    using Table = KernelTable<Compressor<Word, 4>>;
    static Table& Kernels();
};

} // namespace dcp

class TDCP_md4 final : public TDCP_mdhash<dcp::Md4> {};

} // namespace sumbrook
