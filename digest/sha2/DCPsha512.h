#pragma once

#include "digest/engine/DCPconst.h"
#include "digest/engine/DCPmdhash.h"

namespace sumbrook {

namespace dcp {

// SHA-512 (FIPS 180-2).
struct Sha512 : MdShape<std::uint64_t, 8, 128, 64, ByteOrder::Big> {
    static constexpr std::int32_t Id = DCP_sha512;
    static constexpr std::string_view Algorithm = "SHA512";
    static constexpr std::size_t CounterBytes = 16;
    static constexpr std::array<Word, 8> InitialValue{0x6A09E667F3BCC908, 0xBB67AE8584CAA73B, 0x3C6EF372FE94F82B,
                                                      0xA54FF53A5F1D36F1, 0x510E527FADE682D1, 0x9B05688C2B3E6C1F,
                                                      0x1F83D9ABFB41BD6B, 0x5BE0CD19137E2179};
    static constexpr SelfTestVectors SelfTest{
        "abc",
        "DDAF35A193617ABACC417349AE20413112E6FA4E89A97EA20A9EEEE64B55D39A"
        "2192992A274FC1A836BA3C23A3FEEBBD454D4423643CE80E2A9AC94FA54CA49F",
        "abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrst"
        "nopqrstu",
        "8E959B75DAE313DA8CF4F72814FC143F8F7779C6EB9F7FA17299AEADB6889018"
        "501D289E4900F7E4331B99DEC4B5433AC7D329EEB6DD26545E96E55B874BE909"};
    static Table& Kernels();
};

// SHA-384 (FIPS 180-2): SHA-512's compression and kernels from its own
// initial value, the digest cut to six words.
struct Sha384 : Sha512 {
    static constexpr std::int32_t Id = DCP_sha384;
    static constexpr std::string_view Algorithm = "SHA384";
    static constexpr std::size_t DigestBytes = 48;
    static constexpr std::array<Word, 8> InitialValue{0xCBBB9D5DC1059ED8, 0x629A292A367CD507, 0x9159015A3070DD17,
                                                      0x152FECD8F70E5939, 0x67332667FFC00B31, 0x8EB44A8768581511,
                                                      0xDB0C2E0D64F98FA7, 0x47B5481DBEFA4FA4};
    static constexpr SelfTestVectors SelfTest{
        "abc", "CB00753F45A35E8BB5A03D699AC65007272C32AB0EDED1631A8B605A43FF5BED8086072BA1E7CC2358BAECA134C825A7",
        Sha512::SelfTest.Text2,
        "09330C33F71147E83D192FC782CD1B4753111B173B3B05D22FA08086E3B0F712FCC7C71A557E2DB966C3E9FA91746039"};
};

} // namespace dcp

class TDCP_sha384 final : public TDCP_mdhash<dcp::Sha384> {};
class TDCP_sha512 final : public TDCP_mdhash<dcp::Sha512> {};

} // namespace sumbrook
