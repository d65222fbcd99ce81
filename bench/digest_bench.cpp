// Throughput of every digest and the CRC-32 on the workload of
// update_workload.h, on the kernels this processor runs (SUMBROOK_DIGEST_KERNEL=portable for the
// portable ones).

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "digest/crc32/CRC32_FCS32.h"
#include "digest/engine/DCPcatalogue.h"
#include "digest/engine/DCPkernels.h"
#include "bench/update_workload.h"

namespace {

using namespace sumbrook::bench;

void Digest(benchmark::State& state, std::size_t index)
{
    auto hash = sumbrook::AlgorithmCatalogue()[index].Create();
    std::vector<std::uint8_t> digest(static_cast<std::size_t>(hash->HashSize() / 8));
    const auto& block = Block();
    for (auto _ : state) {
        hash->Init();
        for (std::size_t done = 0; done < kTotal; done += kUpdate) hash->Update(block);
        hash->Final(digest);
        benchmark::DoNotOptimize(digest.data());
    }
    ReportRate(state);
}

void Crc32(benchmark::State& state)
{
    const auto& block = Block();
    for (auto _ : state) {
        std::uint32_t reg = sumbrook::kCrc32Preset;
        for (std::size_t done = 0; done < kTotal; done += kUpdate) reg = sumbrook::Crc32Fold(reg, block);
        benchmark::DoNotOptimize(reg);
    }
    ReportRate(state);
}

int RegisterAll()
{
    // The kernel each figure comes from, in the report's header.
    for (const auto& k : sumbrook::DigestKernelsInUse())
        benchmark::AddCustomContext(std::string(k.Algorithm) + " kernel", std::string(k.Kernel));
    benchmark::RegisterBenchmark("CRC32_FCS32", Crc32)->Unit(benchmark::kMillisecond);
    const auto& catalogue = sumbrook::AlgorithmCatalogue();
    for (std::size_t i = 0; i < catalogue.size(); ++i)
        benchmark::RegisterBenchmark(std::string(catalogue[i].DisplayName).c_str(), Digest, i)
            ->Unit(benchmark::kMillisecond);
    return 0;
}

const int registered = RegisterAll();

} // namespace

BENCHMARK_MAIN();
