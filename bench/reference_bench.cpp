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

namespace {

constexpr std::size_t kUpdate = 16384;
constexpr std::size_t kTotal = 64u << 20;

const std::vector<std::uint8_t>& Block()
{
    static const std::vector<std::uint8_t> block = [] {
        std::vector<std::uint8_t> b(kUpdate);
        for (std::size_t i = 0; i < b.size(); ++i) b[i] = static_cast<std::uint8_t>(i % 251);
        return b;
    }();
    return block;
}

void Rate(benchmark::State& state)
{
    state.counters["MB/s"] = benchmark::Counter(static_cast<double>(kTotal) * state.iterations() / 1e6,
                                                benchmark::Counter::kIsRate);
}

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
    Rate(state);
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
    Rate(state);
}
BENCHMARK_CAPTURE(Mhash, ripemd128, MHASH_RIPEMD128)->Name("mhash/RipeMD-128")->Unit(benchmark::kMillisecond);
#endif

} // namespace

BENCHMARK_MAIN();
