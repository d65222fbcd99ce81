// sumbrook-cli: the window's result lines, or the lines of the usual
// checksum files, for files named on the command line, computed by the same
// digest job the window runs; or, with --check, those files checked against
// checksum files. Files are hashed several at once and written in argument
// order, each as soon as it and those before it are done.

#include <condition_variable>
#include <cstdio>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "digest/engine/DCPcatalogue.h"
#include "digest/engine/DCPkernels.h"
#include "cli/algorithms.h"
#include "platform/ansi_codepage.h"
#include "cli/check.h"
#include "cli/checksum_formats.h"
#include "workflow/export.h"
#include "workflow/file_digest_job.h"
#include "platform/file_kind.h"
#include "workflow/file_naming.h"
#include "platform/file_writer.h"
#include "platform/folder_listing.h"
#include "cli/hasher.h"
#include "workflow/result_line.h"
#include "cli/options.h"
#include "platform/process_setup.h"
#include "cli/progress_line.h"
#include "cli/standard_output.h"
#include "workflow/workflow.h"

using namespace sumbrook;
using namespace sumbrook::workflow;

namespace {

// One path to report on, in argument order: a file to hash, or a problem
// found while looking for files.
struct Item {
    std::string Path;
    std::string Problem; // set: nothing to hash, only this to say
    FileResult Result;
    bool Started = false;
    bool Done = false;
    // Made by the thread that hashed the file, so the writing thread only writes.
    std::optional<std::string> Printed; // the lines for standard output
    std::optional<std::string> Saved;   // the entry of the result file
};

cli::AlgorithmSet Selected(const cli::Options& options)
{
    cli::AlgorithmSet algorithms{};
    std::copy(options.Digests.begin(), options.Digests.end(), algorithms.begin());
    algorithms[cli::kCrc32] = options.Crc32;
    return algorithms;
}

class Run {
public:
    Run(const cli::Options& options, cli::StandardOutput& out, cli::ProgressLine& progress)
        : options_(options), algorithms_(Selected(options)), out_(out), progress_(progress),
          encoding_(options.Output ? platform::AnsiCodePageName() : std::string())
    {
    }

    void All()
    {
        std::vector<std::jthread> workers;
        if (options_.Threads > 1) {
            mainHasher_ = std::make_unique<cli::Hasher>(&progress_);
            for (unsigned t = 1; t < options_.Threads; ++t) workers.emplace_back([this] { Work(); });
        }
        for (const std::string& path : options_.Paths)
            if (!Argument(path)) break;
        {
            const std::lock_guard lock(mutex_);
            producing_ = false;
        }
        queued_.notify_all();
        DrainUntil(0);
        out_.Flush();
        workers.clear();
        Finish();
    }

    int ExitStatus() const { return failed_ || out_.Failed() ? 1 : 0; }

private:
    // Folders stand for their files; false once nothing more can be written.
    bool Argument(const std::string& path)
    {
        const platform::PathInfo info = platform::DescribePath(path);
        if (info.Kind == platform::PathInfo::Kind::Missing || info.Kind == platform::PathInfo::Kind::Unknown)
            return Add(path, info.Failure);
        if (info.Kind != platform::PathInfo::Kind::Folder) return Add(path, {});
        return Folder(path);
    }

    // The files directly inside, or with -r every file below, depth first.
    bool Folder(const std::string& path)
    {
        std::string failure;
        const auto entries = platform::ListFolder(path, &failure);
        if (!entries) return Add(path, failure);
        // "dir/" gives "dir/name", the root "/" gives "/name".
        const std::string prefix = path.ends_with('/') ? path : path + '/';
        for (const platform::FolderEntry& entry : *entries) {
            using Kind = decltype(entry.Kind);
            const std::string inside = prefix + entry.Name;
            // Links to folders would loop back.
            if (entry.Kind == Kind::Folder && options_.Recursive && !entry.Link) {
                if (!Folder(inside)) return false;
                continue;
            }
            if (entry.Kind != Kind::RegularFile && entry.Kind != Kind::Unknown) continue;
            if (!Add(inside, entry.Failure)) return false;
        }
        return true;
    }

    bool Add(const std::string& path, const std::string& problem)
    {
        if (!problem.empty()) {
            Item item{path, problem, {}, true, true, {}, {}};
            if (options_.Threads <= 1) return Emit(item);
            const std::lock_guard lock(mutex_);
            items_.push_back(std::move(item));
        } else if (options_.Threads <= 1) {
            Item item{path, {}, {}, true, true, {}, {}};
            if (!hasher_) hasher_ = std::make_unique<cli::Hasher>(&progress_);
            item.Result = hasher_->Hash(path, algorithms_, 1);
            return Emit(item);
        } else {
            bool wake = false;
            {
                const std::lock_guard lock(mutex_);
                items_.push_back(Item{path, {}, {}, false, false, {}, {}});
                wake = idleWorkers_ > 0;
            }
            if (wake) queued_.notify_one();
        }
        // Enough work ahead for every thread, and memory bounded by it; the
        // finished ones are written in batches, so the threads seldom wait.
        if (items_.size() <= 64 * options_.Threads) return !stopped_;
        return DrainUntil(32 * options_.Threads);
    }

    // Writes the finished items at the front until at most Left are queued.
    bool DrainUntil(std::size_t left)
    {
        for (;;) {
            std::unique_lock lock(mutex_);
            if (items_.size() <= left) return !stopped_;
            // Rather than wait for the front, hash what nobody has started;
            // what is written so far goes out first.
            if (!items_.front().Done) {
                lock.unlock();
                out_.Flush();
                lock.lock();
            }
            while (!items_.front().Done && HashNext(lock, *mainHasher_)) {}
            frontWaited_ = true;
            finished_.wait(lock, [this] { return items_.front().Done; });
            frontWaited_ = false;
            Item item = std::move(items_.front());
            items_.pop_front();
            if (nextToStart_ > 0) --nextToStart_;
            const bool skip = stopped_;
            lock.unlock();
            if (!skip && !Emit(item)) {
                lock.lock();
                stopped_ = true;
            }
        }
    }

    void Work()
    {
        cli::Hasher hasher(&progress_);
        std::unique_lock lock(mutex_);
        for (;;) {
            ++idleWorkers_;
            queued_.wait(lock, [&] { return Unstarted() != nullptr || !producing_; });
            --idleWorkers_;
            if (!HashNext(lock, hasher)) return;
        }
    }

    Item* Unstarted()
    {
        for (; nextToStart_ < items_.size(); ++nextToStart_)
            if (!items_[nextToStart_].Started) return &items_[nextToStart_];
        return nullptr;
    }

    // Hashes the first item nobody has started, unlocking meanwhile; false
    // when there is none.
    bool HashNext(std::unique_lock<std::mutex>& lock, cli::Hasher& hasher)
    {
        Item* next = Unstarted();
        if (next == nullptr) return false;
        next->Started = true;
        const std::string path = next->Path;
        const bool skip = stopped_;
        lock.unlock();
        FileResult result = skip ? FileResult{} : hasher.Hash(path, algorithms_, options_.Threads);
        std::optional<std::string> printed, saved;
        if (!skip && !result.Vanished) {
            const QStringList lines = ResultLines(result);
            if (options_.Format == cli::OutputFormat::Sumbrook) printed = SumbrookLines(path, lines);
            if (options_.Output) saved = ResultEntry(path, lines);
        }
        lock.lock();
        next->Result = std::move(result); // the front is popped only once done
        next->Printed = std::move(printed);
        next->Saved = std::move(saved);
        next->Done = true;
        if (frontWaited_ && next == &items_.front()) finished_.notify_one();
        return true;
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
        if (result_) {
            const std::string bytes = item.Saved ? *item.Saved : ResultEntry(item.Path, ResultLines(item.Result));
            try {
                result_->Write(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
            } catch (const std::exception& e) {
                return ResultFileFailed(e);
            }
            ++saved_;
        }
        // With standard output gone, only the result file is worth going on for.
        return !out_.Failed() || result_;
    }

    // The lines for standard output in the chosen format; the checksum
    // formats have no form for an error, so a file that failed gets none.
    std::string Printed(const Item& item)
    {
        std::string printed;
        if (options_.Format == cli::OutputFormat::Sumbrook) return SumbrookLines(item.Path, ResultLines(item.Result));
        if (!item.Result.Failure.empty()) return printed;
        const cli::ComputedValues values = cli::ValuesOf(item.Result);
        // Lines in the order of --help's list: CRC-32, then the catalogue.
        for (std::size_t k = 0; k < cli::kAlgorithmCount; ++k) {
            const std::size_t a = (k + cli::kCrc32) % cli::kAlgorithmCount;
            if (!algorithms_[a] || !values[a]) continue;
            switch (options_.Format) {
            case cli::OutputFormat::Gnu: printed += cli::GnuLine(item.Path, *values[a]); break;
            case cli::OutputFormat::Bsd: printed += cli::BsdLine(a, item.Path, *values[a]); break;
            case cli::OutputFormat::Sfv:
                if (const auto line = cli::SfvLine(item.Path, *values[a])) printed += *line;
                else Problem(item.Path, "an SFV file cannot hold a name with a line end");
                break;
            case cli::OutputFormat::Sumbrook: break;
            }
        }
        return printed;
    }

    // The path, then one line per algorithm after a TAB, as the window shows them.
    static std::string SumbrookLines(const std::string& path, const QStringList& lines)
    {
        std::string printed = cli::PrintedPath(path) + '\n';
        for (const QString& line : lines) printed += '\t' + line.toStdString() + '\n';
        return printed;
    }

    // The file's part of the result file: its name and its lines, in the result file's code page.
    std::string ResultEntry(const std::string& path, const QStringList& lines) const
    {
        const QString text = ResultEntryText(ShownText(FileNameOf(PathFromNative(path))), lines);
        return platform::ToCodePage(text.toStdU16String(), encoding_);
    }

    bool Problem(const std::string& path, const std::string& failure)
    {
        progress_.Aside([&] {
            out_.Flush();
            cli::Complain(path + ": " + failure);
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
        progress_.Aside([&] { cli::Complain(ErrorBoxText(QString::fromUtf8(e.what())).toStdString()); });
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

    const cli::Options& options_;
    const cli::AlgorithmSet algorithms_;
    cli::StandardOutput& out_;
    cli::ProgressLine& progress_;
    std::unique_ptr<cli::Hasher> hasher_;     // one thread: hashes on the main thread
    std::unique_ptr<cli::Hasher> mainHasher_; // several: the main thread lends a hand while it waits
    std::unique_ptr<platform::FileWriter> result_;
    const std::string encoding_; // of the result file
    long long saved_ = 0;
    bool resultFailed_ = false;
    bool failed_ = false;

    // Several threads: items in argument order, hashed by the workers,
    // written by the main thread.
    std::mutex mutex_;
    std::condition_variable queued_, finished_;
    std::deque<Item> items_;
    std::size_t nextToStart_ = 0; // every item before it has been started
    std::size_t idleWorkers_ = 0;
    bool frontWaited_ = false;
    bool producing_ = true;
    bool stopped_ = false;
};

} // namespace

int main(int argc, char** argv)
{
    const bool stdoutOpen = platform::ReserveStandardStreams();
    platform::PrepareProcessSignals();
    // A kernel name nobody knows must not pass for the default choice.
    if (const std::string problem = DigestKernelVariableError(); !problem.empty()) {
        cli::Complain(problem);
        return 2;
    }
    const cli::ParsedCommandLine command = cli::ParseCommandLine(argc, argv);
    if (!command.Run) {
        std::fputs(command.Text.c_str(), command.ExitStatus == 0 ? stdout : stderr);
        return command.ExitStatus;
    }
    const cli::Options& options = *command.Run;
    cli::StandardOutput out(stdoutOpen);
    cli::ProgressLine progress(options.Progress && cli::ProgressLine::Wanted());
    if (options.Check) return cli::RunCheck(options, out, progress);
    Run run(options, out, progress);
    run.All();
    return run.ExitStatus();
}
