#include "cli/hasher.h"

#include "cli/progress_line.h"

namespace sumbrook::cli {

ComputedValues ValuesOf(const workflow::JobResult& result)
{
    ComputedValues values;
    if (result.Vanished || !result.Failure.empty()) return values;
    for (const QString& line : result.Lines) {
        const qsizetype cut = line.indexOf(QStringLiteral("："));
        if (cut < 0) continue;
        const auto algorithm = AlgorithmOfLabel(line.left(cut).toStdString());
        if (!algorithm) continue;
        std::string hex = line.mid(cut + 1).toStdString();
        // The window shows CRC-32 with six digits or more; checksum files have eight.
        if (*algorithm == kCrc32 && hex.size() < 8) hex.insert(0, 8 - hex.size(), '0');
        values.at(*algorithm) = std::move(hex);
    }
    return values;
}

workflow::JobResult Hasher::Hash(const std::string& path, const AlgorithmSet& algorithms, unsigned threads)
{
    workflow::JobAlgorithms chosen;
    chosen.Crc32 = algorithms[kCrc32];
    for (std::size_t k = 0; k < kCatalogueSize; ++k)
        if (algorithms[k]) chosen.Hashes.push_back(components_[k].get());
    workflow::FileDigestJob job(path, std::move(chosen), threads);
    const ProgressLine::Watch watch(progress_, job, path);
    return job.Run();
}

} // namespace sumbrook::cli
