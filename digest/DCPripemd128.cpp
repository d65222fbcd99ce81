#include "DCPripemd128.h"

#include "DCPblock.h"
#include "DCPbytes.h"
#include "DCPselftest.h"

namespace sumbrook {

using namespace dcp;

// TODO(stub): to be written from the published definition.
bool TDCP_ripemd128::ClassSelfTest() { return false; }
TDCP_ripemd128::~TDCP_ripemd128() { if (fInitialized) Burn(); }
void TDCP_ripemd128::Init() { Burn(); fInitialized = true; }
void TDCP_ripemd128::Burn() { fInitialized = false; }
void TDCP_ripemd128::Update(std::span<const std::uint8_t> Buffer) { RequireInitialized(); (void)Buffer; }
void TDCP_ripemd128::Final(std::span<std::uint8_t> Digest) { RequireInitialized(); RequireDigestRoom(Digest); Burn(); }
void TDCP_ripemd128::Compress() {}

} // namespace sumbrook
