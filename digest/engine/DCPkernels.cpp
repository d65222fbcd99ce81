#include "digest/engine/DCPkernels.h"

#include <algorithm>
#include <stdexcept>

#include "digest/engine/DCPcatalogue.h"
#include "digest/engine/DCPdispatch.h"
#include "digest/multibuffer/lane_kernels.h"

namespace sumbrook {

namespace {

struct Entry {
    std::string_view Algorithm;
    dcp::KernelSlot& (*Slot)();
};

// CRC-32, then the catalogue's order and display names.
std::vector<Entry> Algorithms()
{
    std::vector<Entry> list{{"CRC32_FCS32", &dcp::Crc32Slot}};
    for (const TCatalogueEntry& entry : AlgorithmCatalogue()) list.push_back({entry.DisplayName, entry.Kernels});
    // Many files at once, one SIMD lane each.
    list.push_back({"MD5 multi-buffer", &dcp::Md5MultiBufferSlot});
    list.push_back({"SHA1 multi-buffer", &dcp::Sha1MultiBufferSlot});
    return list;
}

dcp::KernelSlot* FindSlot(std::string_view algorithm)
{
    for (const Entry& e : Algorithms())
        if (e.Algorithm == algorithm) return &e.Slot();
    return nullptr;
}

} // namespace

std::vector<TDigestKernel> DigestKernelsInUse()
{
    std::vector<TDigestKernel> list;
    for (const Entry& e : Algorithms()) list.push_back({e.Algorithm, e.Slot().ActiveName()});
    return list;
}

std::string DigestKernelVariableError()
{
    return DigestKernelNameError(dcp::RequestedKernel());
}

std::string DigestKernelNameError(std::string_view Value)
{
    // Every kernel this build has, runnable here or not.
    std::vector<std::string_view> known{dcp::kPortableKernel};
    for (const Entry& e : Algorithms())
        for (const std::string_view name : e.Slot().Names())
            if (std::find(known.begin(), known.end(), name) == known.end()) known.push_back(name);
    if (Value.empty() || std::find(known.begin(), known.end(), Value) != known.end()) return {};
    std::string message =
        std::string(dcp::kKernelVariable) + ": unknown kernel \"" + std::string(Value) + "\"; known kernels:";
    for (const std::string_view name : known) (message += ' ') += name;
    return message;
}

std::vector<std::string_view> RunnableDigestKernels(std::string_view Algorithm)
{
    dcp::KernelSlot* slot = FindSlot(Algorithm);
    return slot != nullptr ? slot->RunnableNames() : std::vector<std::string_view>{};
}

TDigestKernelOverride::TDigestKernelOverride(std::string_view Algorithm, std::string_view Kernel)
    : algorithm_(Algorithm)
{
    dcp::KernelSlot* slot = FindSlot(Algorithm);
    if (slot == nullptr) throw std::invalid_argument("no digest " + algorithm_);
    previous_ = slot->ActiveName();
    if (!slot->Use(Kernel))
        throw std::invalid_argument(algorithm_ + " cannot run kernel " + std::string(Kernel) + " here");
}

TDigestKernelOverride::~TDigestKernelOverride()
{
    FindSlot(algorithm_)->Use(previous_);
}

} // namespace sumbrook
