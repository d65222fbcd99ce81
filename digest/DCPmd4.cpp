#include "DCPmd4.h"

#include "DCPblock.h"
#include "DCPbytes.h"
#include "DCPselftest.h"

namespace sumbrook {

using namespace dcp;

// TODO(stub): to be written from the published definition.
bool TDCP_md4::ClassSelfTest() { return false; }
TDCP_md4::~TDCP_md4() { if (fInitialized) Burn(); }
void TDCP_md4::Init() { Burn(); fInitialized = true; }
void TDCP_md4::Burn() { fInitialized = false; }
void TDCP_md4::Update(std::span<const std::uint8_t> Buffer) { RequireInitialized(); (void)Buffer; }
void TDCP_md4::Final(std::span<std::uint8_t> Digest) { RequireInitialized(); RequireDigestRoom(Digest); Burn(); }
void TDCP_md4::Compress() {}

} // namespace sumbrook
