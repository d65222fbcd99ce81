#pragma once

// The results tree as text: for the clipboard and for the result file.

#include <QString>

#include <string>

#include "ports.h"

namespace sumbrook::workflow {

// The header, then every node's text followed by an empty line.
QString CopyAllText(const ResultsTreePort& tree);

// One line per node in tree order, a TAB per level, CR LF after each line.
QString ResultFileText(const ResultsTreePort& tree);

// The result file's bytes: the text in the ANSI code page, no byte-order mark.
std::string ResultFileBytes(const ResultsTreePort& tree);

// Creates or truncates Path and writes the result file; raises with the
// system's reason when that fails, leaving no partial file behind.
void WriteResultFile(const ResultsTreePort& tree, const QString& path);

} // namespace sumbrook::workflow
