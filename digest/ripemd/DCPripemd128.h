#pragma once

#include "digest/engine/DCPblock.h"
#include "digest/engine/DCPconst.h"
#include "digest/engine/DCPhash.h"

namespace sumbrook {

// RIPEMD-128 (Dobbertin, Bosselaers, Preneel).
class TDCP_ripemd128 : public TDCP_hash {
public:
    static constexpr std::int32_t ClassId = DCP_ripemd128;
    static constexpr std::string_view ClassAlgorithm = "RipeMD-128";
    static constexpr std::int32_t ClassHashSize = 128;
    static bool ClassSelfTest();

    ~TDCP_ripemd128() override;

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
    std::uint32_t CurrentHash[4] = {};
    std::uint8_t HashBuffer[64] = {};

private:
    using State = dcp::BlockState<std::uint32_t, 4, 64, dcp::BitCount64>;
    State Fields() { return {{LenHi, LenLo}, Index, CurrentHash, HashBuffer}; }
};

} // namespace sumbrook
