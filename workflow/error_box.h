#pragma once

// Failures a command does not handle end the command and reach the error box.

#include <QString>

#include <functional>

#include "workflow/ports.h"

namespace sumbrook::workflow {

// The text the error box shows for a failure: its message, with a full stop
// appended when the last character sorts after ".".
QString ErrorBoxText(const QString& message);

// Runs Command; a failure it raises goes to the error box.
void RunCommand(ErrorBoxPort& errors, const std::function<void()>& command);

} // namespace sumbrook::workflow
