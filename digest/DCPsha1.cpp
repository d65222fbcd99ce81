#include "DCPsha1.h"

#include "DCPblock.h"
#include "DCPbytes.h"
#include "DCPselftest.h"

namespace sumbrook {

using namespace dcp;

// TODO(stub): to be written from the published definition.
bool TDCP_sha1::ClassSelfTest() { return false; }
TDCP_sha1::~TDCP_sha1() { if (fInitialized) Burn(); }
void TDCP_sha1::Init() { Burn(); fInitialized = true; }
void TDCP_sha1::Burn() { fInitialized = false; }
void TDCP_sha1::Update(std::span<const std::uint8_t> Buffer) { RequireInitialized(); (void)Buffer; }
void TDCP_sha1::Final(std::span<std::uint8_t> Digest) { RequireInitialized(); RequireDigestRoom(Digest); Burn(); }
void TDCP_sha1::Compress() {}

} // namespace sumbrook
