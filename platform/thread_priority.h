#pragma once

namespace sumbrook::platform {

// Lets the calling thread (and the threads it starts later) give way to the
// window's thread: hashing in the background must never make the window wait
// for the processor.
void LowerCurrentThreadPriority();

} // namespace sumbrook::platform
