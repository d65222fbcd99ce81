// Throughput of every digest and the CRC-32 on the workload of
// update_workload.h, on the kernels this processor runs (SUMBROOK_DIGEST_KERNEL=portable for the
// portable ones); then multi-buffer MD5 and SHA-1 on each of their kernels, in
// aggregate MB/s over as many bytes.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "digest/crc32/CRC32_FCS32.h"
#include "digest/engine/DCPhash.h"
#include "digest/engine/DCPkernels.h"
#include "digest/engine/algorithm.h"
#include "digest/multibuffer/MultiBufferHasher.h"
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

// kTotal bytes as 64 messages of 1 MiB, taken from 2 MiB of data at
// different offsets, so the lanes read different memory as files would.
constexpr std::size_t kStreams = 64;
constexpr std::size_t kStreamBytes = kTotal / kStreams;
constexpr std::size_t kStreamShift = 64u << 10;

const std::vector<std::uint8_t>& StreamData()
{
    static const std::vector<std::uint8_t> data = [] {
        std::vector<std::uint8_t> d(kStreamBytes + 15 * kStreamShift);
        for (std::size_t i = 0; i < d.size(); ++i) d[i] = static_cast<std::uint8_t>(i % 251);
        return d;
    }();
    return data;
}

template <class Algo>
void MultiBuffer(benchmark::State& state, std::string slot, std::string kernel)
{
    const sumbrook::TDigestKernelOverride use(slot, kernel);
    sumbrook::TMultiBufferHasher<Algo> hasher;
    const auto& data = StreamData();
    for (auto _ : state) {
        for (std::size_t i = 0; i < kStreams; ++i)
            hasher.Add(std::span(data).subspan((i % 16) * kStreamShift, kStreamBytes), i);
        const auto results = hasher.Flush();
        benchmark::DoNotOptimize(results.data());
    }
    ReportRate(state);
}

template <class Algo>
void RegisterMultiBuffer(const std::string& slot)
{
    for (const auto kernel : sumbrook::RunnableDigestKernels(slot))
        benchmark::RegisterBenchmark((slot + " " + std::string(kernel)).c_str(), MultiBuffer<Algo>, slot,
                                     std::string(kernel))
            ->Unit(benchmark::kMillisecond);
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
    RegisterMultiBuffer<sumbrook::MultiBufferMd5>("MD5 multi-buffer");
    RegisterMultiBuffer<sumbrook::MultiBufferSha1>("SHA1 multi-buffer");
    return 0;
}

const int registered = RegisterAll();

} // namespace

BENCHMARK_MAIN();
