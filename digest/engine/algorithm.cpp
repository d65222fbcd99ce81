#include "digest/engine/algorithm.h"

#include "digest/engine/DCPcatalogue.h"
#include "digest/engine/DCPdispatch.h"

namespace sumbrook {

namespace {

constexpr double kCrc32MBPerSecond = 20000;

constexpr AlgorithmInfo FromCatalogue(AlgorithmId id, const TCatalogueEntry& entry)
{
    return {id, entry.DisplayName, static_cast<std::size_t>(entry.HashSize / 8), entry.MBPerSecond, entry.Create,
            entry.Kernels};
}

std::array<AlgorithmInfo, kAlgorithmCount> MakeTable()
{
    std::array<AlgorithmInfo, kAlgorithmCount> table{};
    table[0] = {AlgorithmId::Crc32, "CRC32_FCS32", 4, kCrc32MBPerSecond, nullptr, &dcp::Crc32Slot};
    for (std::size_t k = 0; k < kCatalogueSize; ++k)
        table[k + 1] = FromCatalogue(static_cast<AlgorithmId>(k + 1), AlgorithmCatalogue()[k]);
    return table;
}

} // namespace

const std::array<AlgorithmInfo, kAlgorithmCount>& Algorithms()
{
    static const std::array<AlgorithmInfo, kAlgorithmCount> table = MakeTable();
    return table;
}

const AlgorithmInfo& InfoOf(AlgorithmId id)
{
    return Algorithms()[IndexOf(id)];
}

} // namespace sumbrook
