// The digest job for one file as the window runs it: the reading and
// hashing happen on a worker thread while the window's thread handles
// messages and moves the current-file bar; the lines are then appended
// under the current file node.

#include <atomic>
#include <exception>
#include <thread>

#include "DCPcatalogue.h"
#include "DCPhash.h"
#include "file_digest_job.h"
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

JobAlgorithms Workflow::SelectedAlgorithms(bool crc32, bool digests)
{
    JobAlgorithms algorithms;
    algorithms.Crc32 = crc32 && p_.Selection.Crc32Checked();
    bool anyDigest = false;
    for (std::size_t k = 0; k < kCatalogueSize; ++k) anyDigest = anyDigest || p_.Selection.DigestMenuChecked(k);
    if (digests && anyDigest)
        for (std::size_t i = 0; i < p_.Selection.HashListCount(); ++i)
            if (p_.Selection.HashListChecked(i)) algorithms.Hashes.push_back(&p_.Selection.HashComponent(i));
    return algorithms;
}

void Workflow::AddCrc32Line(const QString& fileName)
{
    RunJob(fileName, SelectedAlgorithms(true, false));
}

void Workflow::AddHashLines(const QString& fileName)
{
    RunJob(fileName, SelectedAlgorithms(false, true));
}

void Workflow::AddResultLines(const QString& fileName)
{
    RunJob(fileName, SelectedAlgorithms(true, true));
}

void Workflow::RunJob(const QString& fileName, JobAlgorithms algorithms)
{
    if (!algorithms.Any()) return;
    p_.Pump.ProcessMessages();
    const JobAlgorithms selected = algorithms;
    FileDigestJob job(NativePath(fileName), std::move(algorithms), threads_);
    p_.Progress.SetCurrentPosition(0);
    std::atomic<bool> finished = false;
    JobResult result;
    std::exception_ptr failure;
    std::jthread worker([&] {
        try {
            result = job.Run();
        } catch (...) {
            failure = std::current_exception();
        }
        finished.store(true);
        p_.Pump.Wake();
    });
    p_.Pump.ProcessMessagesUntil([&] { return finished.load(); },
                                 [&] { p_.Progress.SetCurrentPosition(job.Percent()); });
    worker.join();
    if (failure) {
        // A component that fails gives the file's error lines, as a failed read does.
        result = {};
        if (selected.Crc32) result.Lines << kCrcErrorLine;
        if (!selected.Hashes.empty()) result.Lines << kDigestErrorLine;
    }
    if (result.Vanished) return;
    p_.Progress.SetCurrentPosition(100);
    for (const QString& line : result.Lines) p_.Tree.AppendLine(currentFileNode_, line);
}

} // namespace sumbrook::workflow
