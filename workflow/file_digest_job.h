#pragma once

// The digest job for one file: path and algorithms in, result lines out,
// progress as bytes read. The file is read once for CRC-32 and every digest;
// with more than one thread a large file's algorithms are shared out over
// worker threads that all consume the same read buffers while the next
// buffers are being read.

#include <QStringList>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace sumbrook {
class TByteSource;
class TDCP_hash;
} // namespace sumbrook

namespace sumbrook::workflow {

struct JobAlgorithms {
    bool Crc32 = false;
    std::vector<TDCP_hash*> Hashes; // their lines follow the CRC line in this order
    bool Any() const { return Crc32 || !Hashes.empty(); }
};

struct JobResult {
    bool Vanished = false; // nothing at the path any more: no lines at all
    QStringList Lines;     // the result lines, or the error lines
    std::string Failure;   // the system's reason behind a vanished file or the error lines
};

class FileDigestJob {
public:
    // Threads: how many may hash at once (1 keeps everything on the caller's).
    FileDigestJob(std::string path, JobAlgorithms algorithms, unsigned threads);

    // Runs the job on the calling thread; the components are used until it returns.
    JobResult Run();
    // The same over a source already opened (Size: its length, for the
    // progress); a failed read gives the error lines without a reason.
    JobResult Run(TByteSource& source, std::uint64_t size);

    // From any thread, while Run goes on: how far the reading is.
    std::uint64_t BytesRead() const { return bytesRead_.load(std::memory_order_relaxed); }
    std::uint64_t FileSize() const { return fileSize_.load(std::memory_order_relaxed); }
    // 0 to 100.
    int Percent() const;

    // What the file gets when it cannot be read: the error line of each
    // pass its algorithms need.
    JobResult ErrorLines(std::string failure) const;

private:
    std::string path_;
    JobAlgorithms algorithms_;
    unsigned threads_;
    std::atomic<std::uint64_t> bytesRead_{0};
    std::atomic<std::uint64_t> fileSize_{0};
};

} // namespace sumbrook::workflow
