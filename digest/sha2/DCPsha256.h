#pragma once

#include "digest/engine/DCPconst.h"
#include "digest/engine/DCPmdhash.h"

namespace sumbrook {

namespace dcp {

// SHA-256 (FIPS 180-2).
struct Sha256 : MdShape<std::uint32_t, 8, 64, 32, ByteOrder::Big> {
    static constexpr std::int32_t Id = DCP_sha256;
    static constexpr std::string_view Algorithm = "SHA256";
    static constexpr std::array<Word, 8> InitialValue{0x6A09E667, 0xBB67AE85, 0x3C6EF372, 0xA54FF53A,
                                                      0x510E527F, 0x9B05688C, 0x1F83D9AB, 0x5BE0CD19};
    static constexpr SelfTestVectors SelfTest{"abc", "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD",
                                              "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
                                              "248D6A61D20638B8E5C026930C3E6039A33CE45964FF2167F6ECEDD419DB06C1"};
    static Table& Kernels();
};

} // namespace dcp

class TDCP_sha256 final : public TDCP_mdhash<dcp::Sha256> {};

} // namespace sumbrook
