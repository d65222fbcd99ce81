#include "cli/hasher.h"

#include "cli/progress_line.h"

namespace sumbrook::cli {

ComputedValues ValuesOf(const workflow::FileResult& result)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    ComputedValues values;
    if (result.Vanished || !result.Failure.empty()) return values;
    for (const workflow::AlgorithmResult& value : result.Values) {
        if (value.Failed) continue;
        std::string hex;
        for (const std::uint8_t b : value.Value.Bytes()) {
            hex += kDigits[b >> 4];
            hex += kDigits[b & 15];
        }
        const std::size_t index = IndexOf(value.Algorithm);
        values.at(index == 0 ? kCrc32 : index - 1) = std::move(hex);
    }
    return values;
}

workflow::FileResult Hasher::Hash(const std::string& path, const AlgorithmSet& algorithms, unsigned threads)
{
    sumbrook::AlgorithmSet chosen;
    chosen.Set(AlgorithmId::Crc32, algorithms[kCrc32]);
    for (std::size_t k = 0; k < kCatalogueSize; ++k) chosen.Set(static_cast<AlgorithmId>(k + 1), algorithms[k]);
    workflow::FileDigestJob job(path, chosen, threads);
    const ProgressLine::Watch watch(progress_, job, path);
    return job.Run();
}

} // namespace sumbrook::cli
