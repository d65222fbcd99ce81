#pragma once

#include "digest/engine/DCPconst.h"
#include "digest/engine/DCPmdhash.h"

namespace sumbrook {

namespace dcp {

// MD5 (RFC 1321).
struct Md5 {
    using Word = std::uint32_t;
    static constexpr std::int32_t Id = DCP_md5;
    static constexpr std::string_view Algorithm = "MD5";
    static constexpr std::size_t BlockBytes = 64, DigestBytes = 16, CounterBytes = 8;
    static constexpr ByteOrder Order = ByteOrder::Little;
    static constexpr std::uint8_t PadByte = 0x80;
    static constexpr std::array<std::uint8_t, 0> Trailer{};
    static constexpr std::array<Word, 4> InitialValue{0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476};
    static constexpr SelfTestVectors SelfTest{
        "abc", "900150983CD24FB0D6963F7D28E17F72",
        "abcdefghijklmnopqrstuvwxyz", "C3FCD3D76192E4007DFB496CCA67E13B"};
    using Table = KernelTable<Compressor<Word, 4>>;
    static Table& Kernels();
};

} // namespace dcp

class TDCP_md5 final : public TDCP_mdhash<dcp::Md5> {};

} // namespace sumbrook
