#pragma once

// Run-time kernel choice: each algorithm lists its kernels, fastest first
// and the portable one last, and runs the first one the processor can run.
// The choice is made once, at first use, unless SUMBROOK_DIGEST_KERNEL names
// another kernel ("portable" forces the portable one everywhere).

#include <atomic>
#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "digest/engine/DCPcpu.h"

namespace sumbrook::dcp {

inline constexpr std::string_view kPortableKernel = "portable";
inline constexpr const char* kKernelVariable = "SUMBROOK_DIGEST_KERNEL";

// One implementation of an algorithm's inner function.
template <class Fn>
struct Kernel {
    std::string_view Name;
    bool CpuFeatures::*Needs; // null: runs on every processor
    Fn Run;
};

// The kernel choice of one algorithm, without the kernels' type.
class KernelSlot {
public:
    std::string_view ActiveName() { return NameAt(ActiveIndex()); }
    std::vector<std::string_view> Names() const;
    std::vector<std::string_view> RunnableNames() const;
    // Switches to Name when the processor can run it; false otherwise.
    bool Use(std::string_view Name);

protected:
    constexpr KernelSlot() = default;
    ~KernelSlot() = default;

    std::size_t ActiveIndex()
    {
        const int active = active_.load(std::memory_order_relaxed);
        return static_cast<std::size_t>(active >= 0 ? active : Choose());
    }

private:
    virtual std::size_t Count() const = 0;
    virtual std::string_view NameAt(std::size_t i) const = 0;
    virtual bool RunnableAt(std::size_t i) const = 0;
    int Choose();

    std::atomic<int> active_{-1};
};

template <class Fn>
class KernelTable final : public KernelSlot {
public:
    using Function = Fn;

    constexpr explicit KernelTable(std::span<const Kernel<Fn>> kernels) : kernels_(kernels) {}

    Fn Get() { return kernels_[ActiveIndex()].Run; }

private:
    std::size_t Count() const override { return kernels_.size(); }
    std::string_view NameAt(std::size_t i) const override { return kernels_[i].Name; }
    bool RunnableAt(std::size_t i) const override
    {
        return kernels_[i].Needs == nullptr || DetectedCpu().*(kernels_[i].Needs);
    }

    std::span<const Kernel<Fn>> kernels_;
};

// The value of SUMBROOK_DIGEST_KERNEL, read once; empty when unset.
std::string_view RequestedKernel();

// CRC-32's kernel choice (CRC32_FCS32.cpp); each digest's is its class's
// KernelChoice().
KernelSlot& Crc32Slot();

} // namespace sumbrook::dcp
