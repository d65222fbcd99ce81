#include "digest/engine/DCPkernels.h"

#include <algorithm>
#include <stdexcept>

#include "digest/engine/algorithm.h"
#include "digest/engine/DCPdispatch.h"
#include "digest/multibuffer/lane_kernels.h"

namespace sumbrook {

namespace {

// Every slot with its name: the table's algorithms in order, then the
// multi-buffer kernels that hash many files at once, one SIMD lane each.
struct NamedSlot {
    std::string_view Name;
    dcp::KernelSlot& (*Slot)();
};

std::vector<NamedSlot> Slots()
{
    std::vector<NamedSlot> list;
    for (const AlgorithmInfo& info : Algorithms()) list.push_back({info.Name, info.Kernels});
    list.push_back({"MD5 multi-buffer", &dcp::Md5MultiBufferSlot});
    list.push_back({"SHA1 multi-buffer", &dcp::Sha1MultiBufferSlot});
    return list;
}

dcp::KernelSlot* FindSlot(std::string_view algorithm)
{
    for (const NamedSlot& slot : Slots())
        if (slot.Name == algorithm) return &slot.Slot();
    return nullptr;
}

} // namespace

std::vector<TDigestKernel> DigestKernelsInUse()
{
    std::vector<TDigestKernel> list;
    for (const NamedSlot& slot : Slots()) list.push_back({slot.Name, slot.Slot().ActiveName()});
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
    for (const NamedSlot& slot : Slots())
        for (const std::string_view name : slot.Slot().Names())
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
