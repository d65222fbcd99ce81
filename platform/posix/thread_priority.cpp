#include "platform/thread_priority.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace sumbrook::platform {

void LowerCurrentThreadPriority()
{
#if defined(__linux__)
    // On Linux the nice value belongs to the thread, and new threads inherit it.
    ::setpriority(PRIO_PROCESS, static_cast<id_t>(::syscall(SYS_gettid)), 5);
#endif
}

} // namespace sumbrook::platform
