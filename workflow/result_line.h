#pragma once

// The window's result lines as QStrings, from the text in result_text.h.

#include <QStringList>

#include "workflow/file_result.h"

namespace sumbrook::workflow {

// A file's lines in the results tree: ResultText's lines.
QStringList ResultLines(const FileResult& result);

} // namespace sumbrook::workflow
