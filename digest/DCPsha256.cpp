#include "DCPsha256.h"

#include "DCPblock.h"
#include "DCPbytes.h"
#include "DCPselftest.h"

namespace sumbrook {

using namespace dcp;

// TODO(stub): to be written from the published definition.
bool TDCP_sha256::ClassSelfTest() { return false; }
TDCP_sha256::~TDCP_sha256() { if (fInitialized) Burn(); }
void TDCP_sha256::Init() { Burn(); fInitialized = true; }
void TDCP_sha256::Burn() { fInitialized = false; }
void TDCP_sha256::Update(std::span<const std::uint8_t> Buffer) { RequireInitialized(); (void)Buffer; }
void TDCP_sha256::Final(std::span<std::uint8_t> Digest) { RequireInitialized(); RequireDigestRoom(Digest); Burn(); }
void TDCP_sha256::Compress() {}

} // namespace sumbrook
