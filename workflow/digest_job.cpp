// The digest job for one file as the window runs it: the reading and
// hashing happen on a worker thread while the window's thread handles
// messages and moves the current-file bar; the lines are then appended
// under the current file node.

#include <chrono>
#include <exception>

#include "digest/engine/DCPcatalogue.h"
#include "digest/engine/DCPhash.h"
#include "workflow/file_digest_job.h"
#include "workflow/file_naming.h"
#include "workflow/result_line.h"
#include "workflow/job_thread.h"
#include "workflow/workflow.h"

namespace sumbrook::workflow {

AlgorithmSet Workflow::SelectedAlgorithms()
{
    AlgorithmSet algorithms;
    algorithms.Set(AlgorithmId::Crc32, p_.Selection.Crc32Checked());
    bool anyDigest = false;
    for (std::size_t k = 0; k < kCatalogueSize; ++k) anyDigest = anyDigest || p_.Selection.DigestMenuChecked(k);
    if (anyDigest)
        for (std::size_t i = 0; i < p_.Selection.HashListCount(); ++i)
            if (p_.Selection.HashListChecked(i)) algorithms.Insert(static_cast<AlgorithmId>(i + 1));
    return algorithms;
}

void Workflow::AddResultLines(const QString& fileName)
{
    RunJob(fileName, SelectedAlgorithms());
}

void Workflow::RunJob(const QString& fileName, AlgorithmSet algorithms)
{
    if (algorithms.Empty()) return;
    p_.Pump.ProcessMessages();
    FileDigestJob job(NativePath(fileName), algorithms, threads_);
    p_.Progress.SetCurrentPosition(0);
    FileResult result;
    std::exception_ptr failure;
    if (!jobThread_) jobThread_ = std::make_unique<JobThread>();
    jobThread_->Start(
        [&] {
            try {
                result = job.Run();
            } catch (...) {
                failure = std::current_exception();
            }
        },
        [this] { p_.Pump.Wake(); });
    // A small file is done before a message could need handling, and its
    // bar is not worth a repaint.
    if (!jobThread_->WaitFor(std::chrono::milliseconds(2))) {
        p_.Pump.ProcessMessagesUntil([this] { return jobThread_->Done(); },
                                     [&] { p_.Progress.SetCurrentPosition(job.Percent()); });
        p_.Progress.SetCurrentPosition(job.Percent());
    }
    // A component that fails gives the file's error lines, as a failed read does.
    if (failure) result = job.Failed({});
    if (result.Vanished) return;
    for (const QString& line : ResultLines(result)) p_.Tree.AppendLine(currentFileNode_, line);
}

} // namespace sumbrook::workflow
