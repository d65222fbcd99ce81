#pragma once

#include "digest/engine/DCPconst.h"
#include "digest/engine/DCPmdhash.h"

namespace sumbrook {

namespace dcp {

// The published S-boxes T1 to T4 (DCPtiger_sboxes.cpp).
extern const std::uint64_t TigerSBox[4][256];

// Tiger, 192-bit output (Anderson, Biham). The original Tiger pads with
// 0x01 (0x80 is the later Tiger2).
struct Tiger : MdShape<std::uint64_t, 3, 64, 24, ByteOrder::Little> {
    static constexpr std::int32_t Id = DCP_tiger;
    static constexpr std::string_view Algorithm = "Tiger";
    static constexpr std::uint8_t PadByte = 0x01;
    static constexpr std::array<Word, 3> InitialValue{0x0123456789ABCDEF, 0xFEDCBA9876543210, 0xF096A5B4C3B2E187};
    static constexpr SelfTestVectors SelfTest{"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+-",
                                              "F71C8583902AFB879EDFE610F82C0D4786A3A534504486B5",
                                              "Tiger - A Fast New Hash Function, by Ross Anderson and Eli Biham",
                                              "8A866829040A410C729AD23F5ADA711603B3CDD357E4C15E"};
    static Table& Kernels();
};

} // namespace dcp

class TDCP_tiger final : public TDCP_mdhash<dcp::Tiger> {};

} // namespace sumbrook
