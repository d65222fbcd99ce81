#include "cli/hash_command.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "checking/checksum_formats.h"
#include "cli/hash_file.h"
#include "cli/progress_line.h"
#include "cli/standard_output.h"
#include "platform/ansi_codepage.h"
#include "platform/file_kind.h"
#include "platform/file_writer.h"
#include "platform/folder_walk.h"
#include "workflow/file_digest_job.h"
#include "workflow/lane_batch.h"
#include "workflow/ordered_pool.h"
#include "workflow/result_entry.h"
#include "workflow/result_text.h"

namespace sumbrook::cli {

using namespace checking; // the checksum files, shared with the window

namespace {

// One path to report on, in argument order: a file to hash, or a problem
// found while looking for files.
struct Item {
    std::string Path;
    std::string Problem; // set: nothing to hash, only this to say
    workflow::FileResult Result;
    // Made by the thread that hashed the file, so the writing thread only writes.
    std::optional<std::string> Printed; // the lines for standard output
    std::optional<std::string> Saved;   // the entry of the result file
};

class HashCommand {
public:
    HashCommand(const Options& options, StandardOutput& out, ProgressLine& progress)
        : options_(options), out_(out), progress_(progress),
          encoding_(options.Output ? platform::AnsiCodePageName() : std::string()),
          lanes_(workflow::LaneAlgorithms(options.Algorithms)), pool_(options.Threads, kLookAhead * options.Threads)
    {
        // What is written so far goes out before the writing thread waits.
        pool_.BeforeWaiting([this] { out_.Flush(); });
    }

    int Run()
    {
        if (options_.Output && !OwnFilesKnown()) return 2;
        for (const std::string& path : options_.Paths)
            if (!Argument(path)) break;
        PushBatch();
        pool_.Drain();
        out_.Flush();
        Finish();
        return failed_ || out_.Failed() ? 1 : 0;
    }

private:
    // The result file replaced would be an input lost before it is read (or
    // while): refused, as sort -o would. Otherwise the new result file is
    // made now, so that neither it nor the previous one is found in a folder.
    bool OwnFilesKnown()
    {
        const platform::FileId output = platform::IdentifyPath(*options_.Output);
        if (output.Known() && platform::DescribePath(*options_.Output).Kind == platform::PathInfo::Kind::RegularFile) {
            for (const std::string& path : options_.Paths) {
                if (platform::IdentifyPath(path) != output) continue;
                Complain(QuotedName(path) + ": the --output file is also an input; it is not replaced");
                return false;
            }
            own_.push_back(output);
        }
        if (OpenResultFile() && result_) own_.push_back(result_->Identity());
        return true;
    }

    // Folders stand for their files; false once nothing more can be written.
    bool Argument(const std::string& path)
    {
        if (path == "-") return Add(path, {});
        const platform::PathInfo info = platform::DescribePath(path);
        if (info.Kind == platform::PathInfo::Kind::Missing || info.Kind == platform::PathInfo::Kind::Unknown)
            return Add(path, info.Failure);
        if (info.Kind != platform::PathInfo::Kind::Folder)
            return Add(path, {},
                       info.Kind == platform::PathInfo::Kind::RegularFile && info.Size <= workflow::kLaneFileLimit);
        return Folder(path);
    }

    // The files directly inside, or with -r every file below, depth first;
    // the run's own result file and its new one are left out.
    bool Folder(const std::string& path)
    {
        platform::FolderWalk walk(path, options_.Recursive);
        while (auto found = walk.Next()) {
            if (found->Id.Known() && std::find(own_.begin(), own_.end(), found->Id) != own_.end()) continue;
            const bool small = found->Failure.empty() && found->Size <= workflow::kLaneFileLimit;
            if (!Add(found->Path, found->Failure, small)) return false;
        }
        return true;
    }

    // Small: a regular file of at most kLaneFileLimit bytes, which may be
    // hashed in a batch with others.
    bool Add(const std::string& path, const std::string& problem, bool small = false)
    {
        const auto item = std::make_shared<Item>(Item{path, problem, {}, {}, {}});
        if (small && problem.empty() && !lanes_.Empty()) {
            batch_.push_back(item);
            if (batch_.size() == workflow::kLaneBatch) PushBatch();
            return !stopped_.load(std::memory_order_relaxed);
        }
        PushBatch(); // the files before this one go first
        pool_.Push(
            [this, item] {
                if (item->Problem.empty() && !stopped_.load(std::memory_order_relaxed)) Hash(*item);
            },
            [this, item] {
                if (!stopped_.load(std::memory_order_relaxed) && !Emit(*item))
                    stopped_.store(true, std::memory_order_relaxed);
            });
        return !stopped_.load(std::memory_order_relaxed);
    }

    // The small files gathered so far as one job: their MD5 and SHA-1 one
    // SIMD lane each.
    void PushBatch()
    {
        if (batch_.empty()) return;
        std::vector<std::shared_ptr<Item>> batch;
        batch.swap(batch_);
        pool_.Push(
            [this, batch] {
                if (stopped_.load(std::memory_order_relaxed)) return;
                std::vector<std::unique_ptr<workflow::FileDigestJob>> jobs;
                std::vector<workflow::FileDigestJob*> running;
                for (const auto& item : batch) {
                    jobs.push_back(std::make_unique<workflow::FileDigestJob>(item->Path, options_.Algorithms,
                                                                             options_.Threads, &pool_));
                    running.push_back(jobs.back().get());
                }
                std::vector<workflow::FileResult> results = workflow::RunBatch(running, lanes_);
                for (std::size_t i = 0; i < batch.size(); ++i) {
                    batch[i]->Result = std::move(results[i]);
                    Describe(*batch[i]);
                }
            },
            [this, batch] {
                for (const auto& item : batch)
                    if (!stopped_.load(std::memory_order_relaxed) && !Emit(*item))
                        stopped_.store(true, std::memory_order_relaxed);
            });
    }

    void Hash(Item& item)
    {
        item.Result = HashFile(item.Path, options_.Algorithms, options_.Threads, pool_, progress_);
        Describe(item);
    }

    // The texts of a hashed item, made on the thread that hashed it.
    void Describe(Item& item)
    {
        if (item.Result.Vanished) return;
        const std::vector<std::string> lines = workflow::ResultText(item.Result);
        if (options_.Format == OutputFormat::Sumbrook) item.Printed = SumbrookLines(item.Path, lines, options_.Zero);
        if (options_.Output) item.Saved = ResultEntry(item.Path, lines);
    }

    // Says what an item gives, in order; false once nothing more can be written.
    bool Emit(const Item& item)
    {
        if (!item.Problem.empty()) return Problem(item.Path, item.Problem);
        if (item.Result.Vanished) return Problem(item.Path, item.Result.Failure);
        if (!item.Result.Failure.empty()) Problem(item.Path, item.Result.Failure); // the error lines still go out
        if (options_.Output && !result_ && !resultFailed_ && !OpenResultFile()) return false;

        const std::string printed = item.Printed ? *item.Printed : Printed(item);
        // Several threads write a run of finished files at once and flush
        // before they wait for the next; one thread, or a progress line on the
        // terminal, flushes every file.
        progress_.Aside([&] {
            out_.Write(printed);
            if (options_.Threads <= 1 || progress_.Enabled()) out_.Flush();
        });
        if (result_ && item.Saved) {
            try {
                result_->Write(
                    std::span(reinterpret_cast<const std::uint8_t*>(item.Saved->data()), item.Saved->size()));
            } catch (const std::exception& e) {
                return ResultFileFailed(e);
            }
            ++saved_;
        }
        // With standard output gone, only the result file is worth going on for.
        return !out_.Failed() || result_;
    }

    // The lines of a checksum format; they have no form for an error, so a
    // file that failed gets none.
    std::string Printed(const Item& item)
    {
        std::string printed;
        if (!item.Result.Failure.empty()) return printed;
        // Lines in the order of --help's list: CRC-32, then the digests.
        for (const workflow::AlgorithmResult& value : item.Result.Values) {
            if (value.Failed) continue;
            switch (options_.Format) {
            case OutputFormat::Gnu: printed += GnuLine(item.Path, value.Value.Bytes(), options_.Zero); break;
            case OutputFormat::Bsd:
                printed += BsdLine(value.Algorithm, item.Path, value.Value.Bytes(), options_.Zero);
                break;
            case OutputFormat::Sfv:
                if (const auto line = SfvLine(item.Path, value.Value.AsCrc32(), options_.Zero))
                    printed += *line;
                else
                    Problem(item.Path, "an SFV file cannot hold this name");
                break;
            case OutputFormat::Sumbrook: break;
            }
        }
        return printed;
    }

    // The path, then one line per algorithm after a TAB, as the window shows
    // them; with Zero each line ends in NUL and the path is as it is.
    static std::string SumbrookLines(const std::string& path, const std::vector<std::string>& lines, bool zero)
    {
        const char end = zero ? '\0' : '\n';
        std::string printed = (zero ? path : PrintedPath(path)) + end;
        for (const std::string& line : lines) printed.append(1, '\t').append(line).append(1, end);
        return printed;
    }

    // The file's part of the result file, in the result file's code page.
    std::string ResultEntry(const std::string& path, const std::vector<std::string>& lines) const
    {
        // A name that is no UTF-8 is shown in the code page (a GBK name
        // under a GBK locale), so its bytes come back as they were.
        // A file beside the result file keeps its bare name, as the window
        // writes it; any other is named from the result file's folder, where
        // --check looks for it ("sub/a.txt", "../b/a.txt"), so that names of
        // several folders neither clash nor miss.
        namespace fs = std::filesystem;
        std::error_code error;
        const fs::path file = fs::absolute(fs::path(path), error).lexically_normal();
        const fs::path folder = fs::absolute(fs::path(*options_.Output), error).lexically_normal().parent_path();
        const fs::path relative = file.lexically_relative(folder);
        if (error || relative.empty() || relative.parent_path().empty())
            return platform::ToCodePage(workflow::ResultEntryOfPath(path, lines), encoding_);
        return platform::ToCodePage(workflow::ResultEntryOfName(relative.generic_string(), lines), encoding_);
    }

    bool Problem(const std::string& path, const std::string& failure)
    {
        progress_.Aside([&] {
            out_.Flush();
            Complain(QuotedName(path) + ": " + failure);
        });
        failed_ = true;
        return true;
    }

    bool OpenResultFile()
    {
        try {
            result_ = platform::FileWriter::Create(*options_.Output);
        } catch (const std::exception& e) {
            return ResultFileFailed(e);
        }
        return true;
    }

    bool ResultFileFailed(const std::exception& e)
    {
        result_.reset(); // the previous file stays as it was
        resultFailed_ = true;
        progress_.Aside([&] { Complain(workflow::ErrorBoxText(e.what())); });
        failed_ = true;
        return !out_.Failed();
    }

    void Finish()
    {
        if (!result_) return;
        try {
            // No file found: the previous result stays untouched.
            if (saved_ > 0) result_->Close();
        } catch (const std::exception& e) {
            ResultFileFailed(e);
        }
        result_.reset();
    }

    const Options& options_;
    StandardOutput& out_;
    ProgressLine& progress_;
    std::unique_ptr<platform::FileWriter> result_;
    std::vector<platform::FileId> own_; // the result file and its new one
    const std::string encoding_;        // of the result file
    long long saved_ = 0;
    bool resultFailed_ = false;
    bool failed_ = false;
    std::atomic<bool> stopped_{false};         // nothing more can be written: the rest is not hashed
    const AlgorithmSet lanes_;                 // hashed one SIMD lane per small file
    std::vector<std::shared_ptr<Item>> batch_; // small files not pushed yet
    workflow::OrderedPool pool_;               // last: its threads stop before the rest goes
};

} // namespace

int RunHash(const Options& options, StandardOutput& out, ProgressLine& progress)
{
    return HashCommand(options, out, progress).Run();
}

} // namespace sumbrook::cli
