#pragma once

// Process-wide settings a program makes once at its start.

namespace sumbrook::platform {

// Signal handling that keeps result files whole. A file size limit becomes a
// write error ("File too large") instead of killing the process, a closed
// pipe an EPIPE write error, and every other signal that would end the
// process and can be caught (interrupt, terminate, hang-up, quit, alarm, the
// user signals…) first removes the new result file being written, leaving
// the previous one in place.
void PrepareProcessSignals();

// Standard input, output and error that were closed are reopened on the null
// device, so that no file opened later takes their place and receives what
// was meant for them. Tells whether standard output was open.
bool ReserveStandardStreams();

} // namespace sumbrook::platform
