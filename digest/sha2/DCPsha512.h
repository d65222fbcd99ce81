#pragma once

#include "digest/engine/DCPblock.h"
#include "digest/engine/DCPconst.h"
#include "digest/engine/DCPhash.h"

namespace sumbrook {

// SHA-384 (FIPS 180-2): SHA-512's compression from its own initial value,
// the digest cut to six words.
class TDCP_sha384 : public TDCP_hash {
public:
    static constexpr std::int32_t ClassId = DCP_sha384;
    static constexpr std::string_view ClassAlgorithm = "SHA384";
    static constexpr std::int32_t ClassHashSize = 384;
    static bool ClassSelfTest();

    ~TDCP_sha384() override;

    std::int32_t GetId() const override { return ClassId; }
    std::string_view GetAlgorithm() const override { return ClassAlgorithm; }
    std::int32_t GetHashSize() const override { return ClassHashSize; }
    bool SelfTest() const override { return ClassSelfTest(); }

    void Init() override;
    void Final(std::span<std::uint8_t> Digest) override;
    void Burn() override;
    void Update(std::span<const std::uint8_t> Buffer) override;

protected:
    std::uint64_t LenHi = 0;
    std::uint64_t LenLo = 0;
    std::uint32_t Index = 0;
    std::uint64_t CurrentHash[8] = {};
    std::uint8_t HashBuffer[128] = {};

private:
    using State = dcp::BlockState<std::uint64_t, 8, 128, dcp::BitCount128>;
    State Fields() { return {{LenHi, LenLo}, Index, CurrentHash, HashBuffer}; }
};

// SHA-512 (FIPS 180-2).
class TDCP_sha512 : public TDCP_hash {
public:
    static constexpr std::int32_t ClassId = DCP_sha512;
    static constexpr std::string_view ClassAlgorithm = "SHA512";
    static constexpr std::int32_t ClassHashSize = 512;
    static bool ClassSelfTest();

    ~TDCP_sha512() override;

    std::int32_t GetId() const override { return ClassId; }
    std::string_view GetAlgorithm() const override { return ClassAlgorithm; }
    std::int32_t GetHashSize() const override { return ClassHashSize; }
    bool SelfTest() const override { return ClassSelfTest(); }

    void Init() override;
    void Final(std::span<std::uint8_t> Digest) override;
    void Burn() override;
    void Update(std::span<const std::uint8_t> Buffer) override;

protected:
    std::uint64_t LenHi = 0;
    std::uint64_t LenLo = 0;
    std::uint32_t Index = 0;
    std::uint64_t CurrentHash[8] = {};
    std::uint8_t HashBuffer[128] = {};

private:
    using State = dcp::BlockState<std::uint64_t, 8, 128, dcp::BitCount128>;
    State Fields() { return {{LenHi, LenLo}, Index, CurrentHash, HashBuffer}; }
};

} // namespace sumbrook
