#include "digest/engine/DCPcatalogue.h"

#include "digest/engine/algorithm.h"
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

// The engine's part of an entry comes from the algorithm table; the menu
// caption is the algorithm's name unless given.
template <class Hash>
TCatalogueEntry Entry(AlgorithmId id, std::string_view component, std::string_view menuItem, std::string_view option,
                      bool selected, std::string_view menuCaption = {})
{
    const AlgorithmInfo& info = InfoOf(id);
    const std::string_view caption = menuCaption.empty() ? info.Name : menuCaption;
    return {component, Hash::ClassId, Hash::ClassAlgorithm, Hash::ClassHashSize, info.Name,   menuItem, caption,
            option,    selected,      info.MBPerSecond,     info.Create,         info.Kernels};
}

// clang-format off
std::array<TCatalogueEntry, kCatalogueSize> MakeCatalogue()
{
    return {
        Entry<TDCP_sha1>(     AlgorithmId::Sha1,      "DCP_sha11",      "SHA1Hash",      "sha1",      true),
        Entry<TDCP_haval>(    AlgorithmId::Haval256,  "DCP_haval1",     "Haval256Hash",  "haval256",  false),
        Entry<TDCP_md4>(      AlgorithmId::Md4,       "DCP_md41",       "MD4Hash",       "md4",       false),
        Entry<TDCP_ripemd128>(AlgorithmId::Ripemd128, "DCP_ripemd1281", "RipeMD128Hash", "ripemd128", false, "RipeMD128"),
        Entry<TDCP_ripemd160>(AlgorithmId::Ripemd160, "DCP_ripemd1601", "RipeMD160Hash", "ripemd160", false, "RipeMD160"),
        Entry<TDCP_sha256>(   AlgorithmId::Sha256,    "DCP_sha2561",    "SHA256Hash",    "sha256",    false),
        Entry<TDCP_sha384>(   AlgorithmId::Sha384,    "DCP_sha3841",    "SHA384Hash",    "sha384",    false),
        Entry<TDCP_sha512>(   AlgorithmId::Sha512,    "DCP_sha5121",    "SHA512Hash",    "sha512",    false),
        Entry<TDCP_tiger>(    AlgorithmId::Tiger192,  "DCP_tiger1",     "Tiger192Hash",  "tiger192",  false),
        Entry<TDCP_md5>(      AlgorithmId::Md5,       "DCP_md51",       "MD5Hash",       "md5",       true),
    };
}
// clang-format on

} // namespace

const std::array<TCatalogueEntry, kCatalogueSize>& AlgorithmCatalogue()
{
    static const std::array<TCatalogueEntry, kCatalogueSize> catalogue = MakeCatalogue();
    return catalogue;
}

std::string_view DisplayName(std::string_view Algorithm)
{
    if (Algorithm == TDCP_haval::ClassAlgorithm) return InfoOf(AlgorithmId::Haval256).Name;
    if (Algorithm == TDCP_tiger::ClassAlgorithm) return InfoOf(AlgorithmId::Tiger192).Name;
    return Algorithm;
}

std::array<std::unique_ptr<TDCP_hash>, kCatalogueSize> CreateCatalogueComponents()
{
    std::array<std::unique_ptr<TDCP_hash>, kCatalogueSize> components;
    for (std::size_t i = 0; i < kCatalogueSize; ++i) components[i] = AlgorithmCatalogue()[i].Create();
    return components;
}

} // namespace sumbrook
