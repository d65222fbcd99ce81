#include "DCPripemd160.h"

#include "DCPblock.h"
#include "DCPbytes.h"
#include "DCPselftest.h"

namespace sumbrook {

using namespace dcp;

// TODO(stub): to be written from the published definition.
bool TDCP_ripemd160::ClassSelfTest() { return false; }
TDCP_ripemd160::~TDCP_ripemd160() { if (fInitialized) Burn(); }
void TDCP_ripemd160::Init() { Burn(); fInitialized = true; }
void TDCP_ripemd160::Burn() { fInitialized = false; }
void TDCP_ripemd160::Update(std::span<const std::uint8_t> Buffer) { RequireInitialized(); (void)Buffer; }
void TDCP_ripemd160::Final(std::span<std::uint8_t> Digest) { RequireInitialized(); RequireDigestRoom(Digest); Burn(); }
void TDCP_ripemd160::Compress() {}

} // namespace sumbrook
