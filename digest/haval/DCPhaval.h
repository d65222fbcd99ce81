#pragma once

#include "digest/engine/DCPconst.h"
#include "digest/engine/DCPmdhash.h"

namespace sumbrook {

namespace dcp {

// HAVAL, 5 passes, 256-bit output (Zheng, Pieprzyk, Seberry). The published
// HAVAL pads with 0x01; this system with 0x80.
struct Haval : MdShape<std::uint32_t, 8, 128, 32, ByteOrder::Little> {
    static constexpr std::int32_t Id = DCP_haval;
    static constexpr std::string_view Algorithm = "Haval (256bit, 5 passes)";
    // VERSION 1 in bits 0-2 and PASS 5 in bits 3-5 of the first byte, then
    // FPTLEN 256 from bit 6 on.
    static constexpr std::array<std::uint8_t, 2> Trailer{1 | 5 << 3 | (256 & 3) << 6, 256 >> 2};
    // The first 256 bits of the fraction of pi; the output is the chaining
    // value as it stands, no folding.
    static constexpr std::array<Word, 8> InitialValue{0x243F6A88, 0x85A308D3, 0x13198A2E, 0x03707344,
                                                      0xA4093822, 0x299F31D0, 0x082EFA98, 0xEC4E6C89};
    static constexpr SelfTestVectors SelfTest{"abcdefghijklmnopqrstuvwxyz",
                                              "1A1DC8099BDAA7F35B4DA4E805F1A28FEE909D8DEE920198185CBCAED8A10A8D",
                                              "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
                                              "C5647FC6C1877FFF96742F27E9266B6874894F41A08F5913033D9D532AEDDB39"};
    static Table& Kernels();
};

// The published HAVAL-256/5: the same rounds and kernels, the first pad
// byte 0x01.
struct HavalPublished : Haval {
    static constexpr std::string_view Algorithm = "HAVAL-256/5";
    static constexpr std::uint8_t PadByte = 0x01;
    static constexpr SelfTestVectors SelfTest{"abc", "976CD6254C337969E5913B158392A2921AF16FCA51F5601D486E0A9DE01156E7",
                                              "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
                                              "B45CB6E62F2B1320E4F8F1B0B273D45ADD47C321FD23999DCF403AC37636D963"};
};

} // namespace dcp

class TDCP_haval final : public TDCP_mdhash<dcp::Haval> {};
class TDCP_haval_published final : public TDCP_mdhash<dcp::HavalPublished> {};

} // namespace sumbrook
