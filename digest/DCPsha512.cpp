#include "DCPsha512.h"

#include "DCPblock.h"
#include "DCPbytes.h"
#include "DCPselftest.h"

namespace sumbrook {

using namespace dcp;

// TODO(stub): to be written from the published definition.
TDCP_sha512base::~TDCP_sha512base() { if (fInitialized) Burn(); }
void TDCP_sha512base::Burn() { fInitialized = false; }
void TDCP_sha512base::Update(std::span<const std::uint8_t> Buffer) { RequireInitialized(); (void)Buffer; }
void TDCP_sha512base::Compress() {}
void TDCP_sha512base::FinishDigest(std::span<std::uint8_t> Digest, int Words) { (void)Digest; (void)Words; Burn(); }
bool TDCP_sha384::ClassSelfTest() { return false; }
void TDCP_sha384::Init() { Burn(); fInitialized = true; }
void TDCP_sha384::Final(std::span<std::uint8_t> Digest) { RequireInitialized(); RequireDigestRoom(Digest); FinishDigest(Digest, 6); }
bool TDCP_sha512::ClassSelfTest() { return false; }
void TDCP_sha512::Init() { Burn(); fInitialized = true; }
void TDCP_sha512::Final(std::span<std::uint8_t> Digest) { RequireInitialized(); RequireDigestRoom(Digest); FinishDigest(Digest, 8); }

} // namespace sumbrook
