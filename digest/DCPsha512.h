#pragma once

#include "DCPblock.h"
#include "DCPconst.h"
#include "DCPhash.h"

namespace sumbrook {

// State, Update, Burn and the 128-byte compression step shared by SHA-384
// and SHA-512 (FIPS 180-2). Not a digest by itself: it keeps the base
// class's neutral identification, Init and Final.
class TDCP_sha512base : public TDCP_hash {
public:
    ~TDCP_sha512base() override;

    void Burn() override;
    void Update(std::span<const std::uint8_t> Buffer) override;

protected:
    std::uint64_t LenHi = 0;
    std::uint64_t LenLo = 0;
    std::uint32_t Index = 0;
    std::uint64_t CurrentHash[8] = {};
    std::uint8_t HashBuffer[128] = {};

    using State = dcp::BlockState<std::uint64_t, 8, 128, dcp::BitCount128>;
    State Fields() { return {{LenHi, LenLo}, Index, CurrentHash, HashBuffer}; }
    // Final for both: the first Words chaining words, big-endian, make the digest.
    void FinishDigest(std::span<std::uint8_t> Digest, std::size_t Words);
};

// SHA-384 (FIPS 180-2).
class TDCP_sha384 : public TDCP_sha512base {
public:
    static constexpr std::int32_t ClassId = DCP_sha384;
    static constexpr std::string_view ClassAlgorithm = "SHA384";
    static constexpr std::int32_t ClassHashSize = 384;
    static bool ClassSelfTest();

    std::int32_t GetId() const override { return ClassId; }
    std::string_view GetAlgorithm() const override { return ClassAlgorithm; }
    std::int32_t GetHashSize() const override { return ClassHashSize; }
    bool SelfTest() const override { return ClassSelfTest(); }

    void Init() override;
    void Final(std::span<std::uint8_t> Digest) override;
};

// SHA-512 (FIPS 180-2).
class TDCP_sha512 : public TDCP_sha512base {
public:
    static constexpr std::int32_t ClassId = DCP_sha512;
    static constexpr std::string_view ClassAlgorithm = "SHA512";
    static constexpr std::int32_t ClassHashSize = 512;
    static bool ClassSelfTest();

    std::int32_t GetId() const override { return ClassId; }
    std::string_view GetAlgorithm() const override { return ClassAlgorithm; }
    std::int32_t GetHashSize() const override { return ClassHashSize; }
    bool SelfTest() const override { return ClassSelfTest(); }

    void Init() override;
    void Final(std::span<std::uint8_t> Digest) override;
};

} // namespace sumbrook
