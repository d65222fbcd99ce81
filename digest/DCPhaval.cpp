#include "DCPhaval.h"

#include "DCPblock.h"
#include "DCPbytes.h"
#include "DCPselftest.h"

namespace sumbrook {

using namespace dcp;

// TODO(stub): to be written from the published definition.
bool TDCP_haval::ClassSelfTest() { return false; }
TDCP_haval::~TDCP_haval() { if (fInitialized) Burn(); }
void TDCP_haval::Init() { Burn(); fInitialized = true; }
void TDCP_haval::Burn() { fInitialized = false; }
void TDCP_haval::Update(std::span<const std::uint8_t> Buffer) { RequireInitialized(); (void)Buffer; }
void TDCP_haval::Final(std::span<std::uint8_t> Digest) { RequireInitialized(); RequireDigestRoom(Digest); Burn(); }
void TDCP_haval::Compress() {}

} // namespace sumbrook
