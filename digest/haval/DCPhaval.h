#pragma once

#include "digest/engine/DCPblock.h"
#include "digest/engine/DCPconst.h"
#include "digest/engine/DCPhash.h"

namespace sumbrook {

// HAVAL, 5 passes, 256-bit output (Zheng, Pieprzyk, Seberry), padded with 0x80.
class TDCP_haval : public TDCP_hash {
public:
    static constexpr std::int32_t ClassId = DCP_haval;
    static constexpr std::string_view ClassAlgorithm = "Haval (256bit, 5 passes)";
    static constexpr std::int32_t ClassHashSize = 256;
    static bool ClassSelfTest();

    TDCP_haval() = default;
    ~TDCP_haval() override;

    std::int32_t GetId() const override { return ClassId; }
    std::string_view GetAlgorithm() const override { return ClassAlgorithm; }
    std::int32_t GetHashSize() const override { return ClassHashSize; }
    bool SelfTest() const override { return ClassSelfTest(); }

    void Init() override;
    void Final(std::span<std::uint8_t> Digest) override;
    void Burn() override;
    void Update(std::span<const std::uint8_t> Buffer) override;

protected:
    std::uint32_t LenHi = 0;
    std::uint32_t LenLo = 0;
    std::uint32_t Index = 0;
    std::uint32_t CurrentHash[8] = {};
    std::uint8_t HashBuffer[128] = {};

    // The published HAVAL pads with 0x01; this system with 0x80.
    explicit TDCP_haval(std::uint8_t PadByte) : fPadByte(PadByte) {}

private:
    using State = dcp::BlockState<std::uint32_t, 8, 128, dcp::BitCount64>;
    State Fields() { return {{LenHi, LenLo}, Index, CurrentHash, HashBuffer}; }

    std::uint8_t fPadByte = 0x80;
};

} // namespace sumbrook
