// The libraries digest_bench is compared with that have no command-line
// benchmark of their own: ISA-L's CRC-32 and libmhash's RIPEMD-128, fed the
// same way (16 KiB updates over 64 MiB) and reported the same way (MB/s).
// Built only where the libraries are installed; used by compare.sh.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#if SUMBROOK_HAVE_ISAL
#include <isa-l/crc.h>
#endif
#if SUMBROOK_HAVE_MHASH
#include <mhash.h>
#endif

#include "bench/update_workload.h"

namespace {

using namespace sumbrook::bench;

#if SUMBROOK_HAVE_ISAL
void IsalCrc32(benchmark::State& state)
{
    const auto& block = Block();
    for (auto _ : state) {
        std::uint32_t crc = 0;
        for (std::size_t done = 0; done < kTotal; done += kUpdate)
            crc = crc32_gzip_refl(crc, block.data(), block.size());
        benchmark::DoNotOptimize(crc);
    }
    ReportRate(state);
}
BENCHMARK(IsalCrc32)->Name("isal/crc32_gzip_refl")->Unit(benchmark::kMillisecond);
#endif

#if SUMBROOK_HAVE_MHASH
void Mhash(benchmark::State& state, hashid id)
{
    const auto& block = Block();
    for (auto _ : state) {
        MHASH td = mhash_init(id);
        for (std::size_t done = 0; done < kTotal; done += kUpdate) mhash(td, block.data(), block.size());
        std::uint8_t digest[64];
        mhash_deinit(td, digest);
        benchmark::DoNotOptimize(digest);
    }
    ReportRate(state);
}
BENCHMARK_CAPTURE(Mhash, ripemd128, MHASH_RIPEMD128)->Name("mhash/RipeMD-128")->Unit(benchmark::kMillisecond);
#endif

} // namespace

BENCHMARK_MAIN();
