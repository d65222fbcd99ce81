#include "platform/process_setup.h"

namespace sumbrook::platform {

// Windows has neither file size signals nor broken-pipe signals, and a
// stopped process leaves only the new file beside the target, never a
// shortened target.
void PrepareProcessSignals() {}

bool ReserveStandardStreams()
{
    return true;
}

} // namespace sumbrook::platform
