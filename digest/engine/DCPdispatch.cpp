#include "digest/engine/DCPdispatch.h"

#include <cstdlib>
#include <string>

namespace sumbrook::dcp {

std::string_view RequestedKernel()
{
    static const std::string requested = [] {
        const char* value = std::getenv(kKernelVariable);
        return std::string(value != nullptr ? value : "");
    }();
    return requested;
}

std::vector<std::string_view> KernelSlot::Names() const
{
    std::vector<std::string_view> names;
    for (std::size_t i = 0; i < Count(); ++i) names.push_back(NameAt(i));
    return names;
}

std::vector<std::string_view> KernelSlot::RunnableNames() const
{
    std::vector<std::string_view> names;
    for (std::size_t i = 0; i < Count(); ++i)
        if (RunnableAt(i)) names.push_back(NameAt(i));
    return names;
}

bool KernelSlot::Use(std::string_view Name)
{
    for (std::size_t i = 0; i < Count(); ++i)
        if (NameAt(i) == Name && RunnableAt(i)) {
            active_.store(static_cast<int>(i), std::memory_order_relaxed);
            return true;
        }
    return false;
}

// Threads racing here all reach the same choice, so a plain store suffices.
int KernelSlot::Choose()
{
    int chosen = -1;
    for (std::size_t i = 0; i < Count() && chosen < 0; ++i)
        if (RunnableAt(i) && NameAt(i) == RequestedKernel()) chosen = static_cast<int>(i);
    for (std::size_t i = 0; i < Count() && chosen < 0; ++i)
        if (RunnableAt(i)) chosen = static_cast<int>(i);
    active_.store(chosen, std::memory_order_relaxed);
    return chosen;
}

} // namespace sumbrook::dcp
