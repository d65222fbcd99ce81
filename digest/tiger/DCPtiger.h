#pragma once

#include "digest/engine/DCPblock.h"
#include "digest/engine/DCPconst.h"
#include "digest/engine/DCPhash.h"

namespace sumbrook {

namespace dcp {
// The published S-boxes T1 to T4 (DCPtiger_sboxes.cpp).
extern const std::uint64_t TigerSBox[4][256];
} // namespace dcp

// Tiger, 192-bit output (Anderson, Biham), padding byte 0x01.
class TDCP_tiger : public TDCP_hash {
public:
    static constexpr std::int32_t ClassId = DCP_tiger;
    static constexpr std::string_view ClassAlgorithm = "Tiger";
    static constexpr std::int32_t ClassHashSize = 192;
    static bool ClassSelfTest();

    ~TDCP_tiger() override;

    std::int32_t GetId() const override { return ClassId; }
    std::string_view GetAlgorithm() const override { return ClassAlgorithm; }
    std::int32_t GetHashSize() const override { return ClassHashSize; }
    bool SelfTest() const override { return ClassSelfTest(); }

    void Init() override;
    void Final(std::span<std::uint8_t> Digest) override;
    void Burn() override;
    void Update(std::span<const std::uint8_t> Buffer) override;

protected:
    std::uint64_t Len = 0;
    std::uint32_t Index = 0;
    std::uint64_t CurrentHash[3] = {};
    std::uint8_t HashBuffer[64] = {};

private:
    using State = dcp::BlockState<std::uint64_t, 3, 64, dcp::BitCountWord>;
    State Fields() { return {{Len}, Index, CurrentHash, HashBuffer}; }
};

} // namespace sumbrook
