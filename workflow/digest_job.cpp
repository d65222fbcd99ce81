// The digest job for one file as the window runs it: messages are handled
// at the start of each pass, then the pass appends its lines under the
// current file node.

#include <vector>

#include "DCPhash.h"
#include "file_job.h"
#include "file_naming.h"
#include "file_reader.h"
#include "texts.h"
#include "workflow.h"

namespace sumbrook::workflow {

Crc32Result Workflow::CalcFileCrc32(const QString& fileName)
{
    std::string failure;
    const auto reader = platform::FileReader::Open(NativePath(fileName), platform::ShareMode::AllowOthers, failure);
    return Crc32OfSource(reader.get(), [this] { p_.Progress.StepCurrent(); });
}

void Workflow::AddCrc32Line(const QString& fileName)
{
    p_.Pump.ProcessMessages();
    PassResult result;
    try {
        result = Crc32Pass(NativePath(fileName), {[this] { p_.Progress.SetCurrentPosition(0); },
                                                  [this] { p_.Progress.StepCurrent(); }});
    } catch (const std::exception&) {
        result.Lines = QStringList{kCrcErrorLine};
    }
    for (const QString& line : result.Lines) p_.Tree.AppendLine(currentFileNode_, line);
}

void Workflow::AddHashLines(const QString& fileName)
{
    p_.Pump.ProcessMessages();
    std::vector<TDCP_hash*> hashes;
    hashes.reserve(p_.Selection.HashListCount());
    for (std::size_t i = 0; i < p_.Selection.HashListCount(); ++i)
        if (p_.Selection.HashListChecked(i)) hashes.push_back(&p_.Selection.HashComponent(i));
    PassResult result;
    try {
        result = DigestPass(NativePath(fileName), hashes, {[this] { p_.Progress.SetCurrentPosition(0); }, {}});
    } catch (const std::exception&) {
        result.Lines = QStringList{kDigestErrorLine};
    }
    for (const QString& line : result.Lines) p_.Tree.AppendLine(currentFileNode_, line);
}

} // namespace sumbrook::workflow
