#include "digest/engine/algorithm.h"

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

// A digest's entry; its name is the class's algorithm name unless a shorter
// label is given.
template <class Hash>
constexpr AlgorithmInfo Digest(AlgorithmId id, double speed, std::string_view label = Hash::ClassAlgorithm)
{
    using A = typename Hash::Traits;
    return {id, label, A::DigestBytes, A::BlockBytes, speed, &Make<Hash>, &Hash::KernelChoice};
}

// clang-format off
constexpr std::array<AlgorithmInfo, kAlgorithmCount> kAlgorithms = {{
    {AlgorithmId::Crc32, "CRC32_FCS32", 4, 1, 20000, nullptr, &dcp::Crc32Slot},
    Digest<TDCP_sha1>(     AlgorithmId::Sha1,      1700),
    Digest<TDCP_haval>(    AlgorithmId::Haval256,  650, "Haval256"),
    Digest<TDCP_md4>(      AlgorithmId::Md4,       1340),
    Digest<TDCP_ripemd128>(AlgorithmId::Ripemd128, 860),
    Digest<TDCP_ripemd160>(AlgorithmId::Ripemd160, 570),
    Digest<TDCP_sha256>(   AlgorithmId::Sha256,    1600),
    Digest<TDCP_sha384>(   AlgorithmId::Sha384,    1050),
    Digest<TDCP_sha512>(   AlgorithmId::Sha512,    1050),
    Digest<TDCP_tiger>(    AlgorithmId::Tiger192,  770, "Tiger192"),
    Digest<TDCP_md5>(      AlgorithmId::Md5,       740),
    Digest<TDCP_haval_published>(AlgorithmId::HavalPublished, 650),
}};
// clang-format on

constexpr bool InIdOrder()
{
    for (std::size_t i = 0; i < kAlgorithmCount; ++i)
        if (IndexOf(kAlgorithms[i].Id) != i) return false;
    return true;
}
static_assert(InIdOrder());

} // namespace

const std::array<AlgorithmInfo, kAlgorithmCount>& Algorithms()
{
    return kAlgorithms;
}

const AlgorithmInfo& InfoOf(AlgorithmId id)
{
    return kAlgorithms[IndexOf(id)];
}

} // namespace sumbrook
