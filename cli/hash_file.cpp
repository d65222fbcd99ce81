#include "cli/hash_file.h"

#include "cli/progress_line.h"
#include "workflow/file_digest_job.h"

namespace sumbrook::cli {

workflow::FileResult HashFile(const std::string& path, AlgorithmSet algorithms, unsigned threads,
                              workflow::ThreadLender& lender, ProgressLine& progress)
{
    workflow::FileDigestJob job(path, algorithms, threads, &lender);
    const ProgressLine::Watch watch(&progress, job, path);
    return job.Run();
}

} // namespace sumbrook::cli
