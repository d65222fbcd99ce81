#pragma once

// The new result file being written, for the signal handler to remove when
// the process is stopped part-way.

#include <string>

namespace sumbrook::platform::posix {

void RegisterPendingFile(int folderFd, const std::string& name);
void ForgetPendingFile();

} // namespace sumbrook::platform::posix
