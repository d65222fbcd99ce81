#pragma once

// The workload every digest benchmark runs, ours and the libraries' alike:
// 64 MiB in 16 KiB updates, the way the file digest job feeds the digests,
// reported as MB/s (10^6 bytes per second).

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace sumbrook::bench {

inline constexpr std::size_t kUpdate = 16384;
inline constexpr std::size_t kTotal = 64u << 20;

inline const std::vector<std::uint8_t>& Block()
{
    static const std::vector<std::uint8_t> block = [] {
        std::vector<std::uint8_t> b(kUpdate);
        for (std::size_t i = 0; i < b.size(); ++i) b[i] = static_cast<std::uint8_t>(i % 251);
        return b;
    }();
    return block;
}

// The MB/s counter of a benchmark that fed kTotal bytes per iteration.
inline void ReportRate(benchmark::State& state)
{
    state.counters["MB/s"] = benchmark::Counter(
        static_cast<double>(kTotal) * static_cast<double>(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}

} // namespace sumbrook::bench
