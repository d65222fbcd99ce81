#include "cli/hash_file.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "base/byte_source.h"
#include "cli/progress_line.h"
#include "workflow/file_digest_job.h"

namespace sumbrook::cli {

namespace {

// Standard input as it comes, a pipe or a file from where it stands.
class StandardInput final : public TByteSource {
public:
    std::ptrdiff_t Read(std::span<std::uint8_t> into) override
    {
        for (;;) {
            const ssize_t got = ::read(STDIN_FILENO, into.data(), into.size());
            if (got >= 0) return got;
            if (errno != EINTR) {
                failure_ = std::strerror(errno);
                return -1;
            }
        }
    }
    const std::string& Failure() const { return failure_; }

private:
    std::string failure_;
};

} // namespace

workflow::FileResult HashFile(const std::string& path, AlgorithmSet algorithms, unsigned threads,
                              workflow::ThreadLender& lender, ProgressLine& progress)
{
    workflow::FileDigestJob job(path, algorithms, threads, &lender);
    const ProgressLine::Watch watch(&progress, job, path);
    if (path != "-") return job.Run();
    StandardInput input;
    workflow::FileResult result = job.Run(input, 0);
    if (!input.Failure().empty()) result.Failure = input.Failure();
    return result;
}

} // namespace sumbrook::cli
