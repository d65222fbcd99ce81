#include "platform/process_setup.h"

#include "platform/win32/win32_text.h"

namespace sumbrook::platform {

// Windows has neither file size signals nor broken-pipe signals, and a
// stopped process leaves only the new file beside the target, never a
// shortened target.
void PrepareProcessSignals() {}

// A process without a console or redirection (a window program, or one
// started with its handles closed) has no standard output handle.
bool ReserveStandardStreams()
{
    const HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
    return out != nullptr && out != INVALID_HANDLE_VALUE;
}

} // namespace sumbrook::platform
