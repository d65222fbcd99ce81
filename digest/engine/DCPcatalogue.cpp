#include "digest/engine/DCPcatalogue.h"

#include "digest/engine/DCPdispatch.h"
#include "digest/haval/DCPhaval.h"
#include "digest/md4/DCPmd4.h"
#include "digest/md5/DCPmd5.h"
#include "digest/ripemd/DCPripemd128.h"
#include "digest/ripemd/DCPripemd160.h"
#include "digest/sha1/DCPsha1.h"
#include "digest/sha2/DCPsha256.h"
#include "digest/sha2/DCPsha512.h"
#include "digest/tiger/DCPtiger.h"

namespace sumbrook {

namespace {

template <class Hash>
std::unique_ptr<TDCP_hash> Make()
{
    return std::make_unique<Hash>();
}

template <class Hash>
constexpr TCatalogueEntry Entry(std::string_view component, std::string_view displayName, std::string_view menuItem,
                                std::string_view menuCaption, std::string_view option, bool selected, double speed,
                                dcp::KernelSlot& (*kernels)())
{
    return {component, Hash::ClassId, Hash::ClassAlgorithm, Hash::ClassHashSize, displayName, menuItem,
            menuCaption, option, selected, speed, &Make<Hash>, kernels};
}

// clang-format off
constexpr std::array<TCatalogueEntry, kCatalogueSize> kCatalogue = {
    Entry<TDCP_sha1>(     "DCP_sha11",      "SHA1",       "SHA1Hash",      "SHA1",      "sha1",      true,  1700, &dcp::Sha1Slot),
    Entry<TDCP_haval>(    "DCP_haval1",     "Haval256",   "Haval256Hash",  "Haval256",  "haval256",  false, 650,  &dcp::HavalSlot),
    Entry<TDCP_md4>(      "DCP_md41",       "MD4",        "MD4Hash",       "MD4",       "md4",       false, 1340, &dcp::Md4Slot),
    Entry<TDCP_ripemd128>("DCP_ripemd1281", "RipeMD-128", "RipeMD128Hash", "RipeMD128", "ripemd128", false, 860,  &dcp::Ripemd128Slot),
    Entry<TDCP_ripemd160>("DCP_ripemd1601", "RipeMD-160", "RipeMD160Hash", "RipeMD160", "ripemd160", false, 570,  &dcp::Ripemd160Slot),
    Entry<TDCP_sha256>(   "DCP_sha2561",    "SHA256",     "SHA256Hash",    "SHA256",    "sha256",    false, 1600, &dcp::Sha256Slot),
    Entry<TDCP_sha384>(   "DCP_sha3841",    "SHA384",     "SHA384Hash",    "SHA384",    "sha384",    false, 1050, &dcp::Sha512Slot),
    Entry<TDCP_sha512>(   "DCP_sha5121",    "SHA512",     "SHA512Hash",    "SHA512",    "sha512",    false, 1050, &dcp::Sha512Slot),
    Entry<TDCP_tiger>(    "DCP_tiger1",     "Tiger192",   "Tiger192Hash",  "Tiger192",  "tiger192",  false, 770,  &dcp::TigerSlot),
    Entry<TDCP_md5>(      "DCP_md51",       "MD5",        "MD5Hash",       "MD5",       "md5",       true,  740,  &dcp::Md5Slot),
};
// clang-format on

} // namespace

const std::array<TCatalogueEntry, kCatalogueSize>& AlgorithmCatalogue()
{
    return kCatalogue;
}

std::string_view DisplayName(std::string_view Algorithm)
{
    if (Algorithm == TDCP_haval::ClassAlgorithm) return "Haval256";
    if (Algorithm == TDCP_tiger::ClassAlgorithm) return "Tiger192";
    return Algorithm;
}

std::array<std::unique_ptr<TDCP_hash>, kCatalogueSize> CreateCatalogueComponents()
{
    std::array<std::unique_ptr<TDCP_hash>, kCatalogueSize> components;
    for (std::size_t i = 0; i < kCatalogueSize; ++i) components[i] = kCatalogue[i].Create();
    return components;
}

} // namespace sumbrook
