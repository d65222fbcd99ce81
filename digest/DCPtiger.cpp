#include "DCPtiger.h"

#include "DCPblock.h"
#include "DCPbytes.h"
#include "DCPselftest.h"

namespace sumbrook {

using namespace dcp;

// TODO(stub): to be written from the published definition.
bool TDCP_tiger::ClassSelfTest() { return false; }
TDCP_tiger::~TDCP_tiger() { if (fInitialized) Burn(); }
void TDCP_tiger::Init() { Burn(); fInitialized = true; }
void TDCP_tiger::Burn() { fInitialized = false; }
void TDCP_tiger::Update(std::span<const std::uint8_t> Buffer) { RequireInitialized(); (void)Buffer; }
void TDCP_tiger::Final(std::span<std::uint8_t> Digest) { RequireInitialized(); RequireDigestRoom(Digest); Burn(); }
void TDCP_tiger::Compress() {}

} // namespace sumbrook
