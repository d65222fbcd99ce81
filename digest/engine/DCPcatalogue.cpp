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

template <class Hash>
TCatalogueEntry Entry(AlgorithmId id)
{
    const AlgorithmInfo& info = InfoOf(id);
    return {id, Hash::ClassId, Hash::ClassAlgorithm, Hash::ClassHashSize, info.Name, info.Create};
}

std::array<TCatalogueEntry, kCatalogueSize> MakeCatalogue()
{
    return {
        Entry<TDCP_sha1>(AlgorithmId::Sha1),
        Entry<TDCP_haval>(AlgorithmId::Haval256),
        Entry<TDCP_md4>(AlgorithmId::Md4),
        Entry<TDCP_ripemd128>(AlgorithmId::Ripemd128),
        Entry<TDCP_ripemd160>(AlgorithmId::Ripemd160),
        Entry<TDCP_sha256>(AlgorithmId::Sha256),
        Entry<TDCP_sha384>(AlgorithmId::Sha384),
        Entry<TDCP_sha512>(AlgorithmId::Sha512),
        Entry<TDCP_tiger>(AlgorithmId::Tiger192),
        Entry<TDCP_md5>(AlgorithmId::Md5),
    };
}

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

} // namespace sumbrook
