#include "platform/thread_priority.h"

#include "platform/win32/win32_text.h"

namespace sumbrook::platform {

void LowerCurrentThreadPriority()
{
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
}

} // namespace sumbrook::platform
