// Throughput of every digest and the CRC-32 on the workload of
// update_workload.h, on the kernels this processor runs (SUMBROOK_DIGEST_KERNEL=portable for the
// portable ones).

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "digest/crc32/CRC32_FCS32.h"
#include "digest/engine/DCPhash.h"
#include "digest/engine/DCPkernels.h"
#include "digest/engine/algorithm.h"
#include "bench/update_workload.h"

namespace {

using namespace sumbrook::bench;

void Digest(benchmark::State& state, const sumbrook::AlgorithmInfo& info)
{
    auto hash = info.Create();
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
    for (const sumbrook::AlgorithmInfo& info : sumbrook::Algorithms()) {
        const std::string name(info.Name);
        if (info.Create == nullptr)
            benchmark::RegisterBenchmark(name.c_str(), Crc32)->Unit(benchmark::kMillisecond);
        else
            benchmark::RegisterBenchmark(name.c_str(), Digest, info)->Unit(benchmark::kMillisecond);
    }
    return 0;
}

const int registered = RegisterAll();

} // namespace

BENCHMARK_MAIN();
