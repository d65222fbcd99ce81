#pragma once

#include "digest/engine/DCPconst.h"
#include "digest/engine/DCPmdhash.h"

namespace sumbrook {

namespace dcp {

// SHA-1 (FIPS 180-2).
struct Sha1 : MdShape<std::uint32_t, 5, 64, 20, ByteOrder::Big> {
    static constexpr std::int32_t Id = DCP_sha1;
    static constexpr std::string_view Algorithm = "SHA1";
    static constexpr std::array<Word, 5> InitialValue{0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};
    static constexpr SelfTestVectors SelfTest{"abc", "A9993E364706816ABA3E25717850C26C9CD0D89D",
                                              "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
                                              "84983E441C3BD26EBAAE4AA1F95129E5E54670F1"};
    static Table& Kernels();
};

} // namespace dcp

class TDCP_sha1 final : public TDCP_mdhash<dcp::Sha1> {};

} // namespace sumbrook
