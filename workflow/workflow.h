#pragma once

// The command-line tool's way in to the error box text; the window's units
// have headers of their own (intake, calculation_run, marking, export).

#include "workflow/error_box.h"
