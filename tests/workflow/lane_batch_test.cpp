// Small files hashed in a batch, MD5 and SHA-1 one lane each: every line the
// same as the one-stream job's, on every multi-buffer kernel the processor
// runs, with files ending on either side of a block's padding, more files
// than lanes and fewer, and files that cannot be read or are gone.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "digest/multibuffer/lane_kernels.h"
#include "workflow/file_digest_job.h"
#include "workflow/lane_batch.h"
#include "workflow/result_text.h"

using namespace sumbrook::workflow;
using sumbrook::AlgorithmId;
using sumbrook::AlgorithmSet;

namespace {

std::vector<std::string> Lines(const FileResult& result)
{
    std::vector<std::string> lines = result.Vanished ? std::vector<std::string>{"vanished"} : ResultText(result);
    lines.push_back(result.Failure.empty() ? "read" : "failed");
    return lines;
}

TEST(LaneBatch, SameLinesAsOneStreamOnEveryLaneKernel)
{
    // A new folder of its own (no mkdtemp on Windows).
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("sumbrook-lanes-" + std::to_string(std::random_device()()));
    ASSERT_TRUE(std::filesystem::create_directory(dir));
    std::vector<std::string> paths;
    for (const std::size_t size : {0, 1, 55, 56, 63, 64, 65, 119, 120, 1000, 1 << 20, (1 << 20) + 1}) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 % 251 + size);
        paths.push_back((dir / std::to_string(size)).string());
        std::ofstream(paths.back(), std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(size));
    }
    paths.insert(paths.begin() + 3, {(dir / "gone").string(), "/proc/self/mem", dir.string()});
    // More files than the widest kernel's lanes, lengths in a new order each time round.
    std::vector<std::string> many = paths;
    for (auto it = paths.rbegin(); it != paths.rend(); ++it) many.push_back(*it);
    many.insert(many.end(), paths.begin(), paths.end());

    using enum AlgorithmId;
    const std::vector<AlgorithmSet> selections = {AlgorithmSet::All(), {Md5}, {Sha1}, {Crc32, Sha1, Md5}, {Md4, Md5}};
    for (const std::vector<std::string>* files : {&paths, &many}) {
        for (const AlgorithmSet selection : selections) {
            std::vector<std::vector<std::string>> expected;
            for (const std::string& path : *files) expected.push_back(Lines(FileDigestJob(path, selection, 1).Run()));
            for (sumbrook::dcp::KernelSlot* slot :
                 {&sumbrook::dcp::Md5MultiBufferSlot(), &sumbrook::dcp::Sha1MultiBufferSlot()}) {
                const std::string active(slot->ActiveName());
                for (const std::string_view kernel : slot->RunnableNames()) {
                    SCOPED_TRACE(std::string(kernel) + ", " + std::to_string(files->size()) + " files");
                    ASSERT_TRUE(slot->Use(kernel));
                    std::vector<std::unique_ptr<FileDigestJob>> jobs;
                    std::vector<FileDigestJob*> running;
                    for (const std::string& path : *files) {
                        jobs.push_back(std::make_unique<FileDigestJob>(path, selection, 1));
                        running.push_back(jobs.back().get());
                    }
                    const std::vector<FileResult> results = RunBatch(running, {Md5, Sha1});
                    ASSERT_EQ(results.size(), files->size());
                    for (std::size_t i = 0; i < results.size(); ++i)
                        EXPECT_EQ(Lines(results[i]), expected[i]) << (*files)[i];
                }
                slot->Use(active);
            }
        }
    }
    std::filesystem::remove_all(dir);
}

} // namespace
