#include "workflow/result_line.h"

#include "workflow/result_text.h"

namespace sumbrook::workflow {

QStringList ResultLines(const FileResult& result)
{
    QStringList lines;
    for (const std::string& line : ResultText(result)) lines << QString::fromStdString(line);
    return lines;
}

} // namespace sumbrook::workflow
