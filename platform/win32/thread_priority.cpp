#include "platform/thread_priority.h"

#include <windows.h>

namespace sumbrook::platform {

void LowerCurrentThreadPriority()
{
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
}

} // namespace sumbrook::platform
