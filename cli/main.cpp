// sumbrook-cli: the window's result lines for files named on the command
// line, computed by the same digest job the window runs, written file by
// file as each is done.

#include <cstdio>
#include <memory>
#include <vector>

#include "DCPcatalogue.h"
#include "ansi_codepage.h"
#include "export.h"
#include "file_job.h"
#include "file_kind.h"
#include "file_naming.h"
#include "file_writer.h"
#include "folder_listing.h"
#include "options.h"
#include "process_setup.h"
#include "standard_output.h"
#include "workflow.h"

using namespace sumbrook;
using namespace sumbrook::workflow;

namespace {

class Run {
public:
    explicit Run(const cli::Options& options, bool stdoutOpen)
        : options_(options), out_(stdoutOpen), components_(CreateCatalogueComponents())
    {
        for (std::size_t k = 0; k < kCatalogueSize; ++k)
            if (options_.Digests[k]) hashes_.push_back(components_[k].get());
    }

    // Every path in order, until nothing more can be written anywhere.
    void All()
    {
        for (const std::string& path : options_.Paths) {
            if (!Argument(path)) break;
        }
        Finish();
    }

    int ExitStatus() const { return failed_ || out_.Failed() ? 1 : 0; }

private:
    bool Argument(const std::string& path)
    {
        const platform::PathInfo info = platform::DescribePath(path);
        switch (info.Kind) {
        case platform::PathInfo::Kind::Folder: return Folder(path);
        case platform::PathInfo::Kind::Missing:
        case platform::PathInfo::Kind::Unknown: return Problem(path, info.Failure);
        default: return File(path);
        }
    }

    bool Folder(const std::string& path)
    {
        std::string failure;
        const auto entries = platform::ListFolder(path, &failure);
        if (!entries) return Problem(path, failure);
        // "dir/" gives "dir/name", the root "/" gives "/name".
        const std::string prefix = path.ends_with('/') ? path : path + '/';
        for (const platform::FolderEntry& entry : *entries) {
            using Kind = decltype(entry.Kind);
            bool goOn = true;
            if (entry.Kind == Kind::RegularFile) goOn = File(prefix + entry.Name);
            else if (entry.Kind == Kind::Unknown) goOn = Problem(prefix + entry.Name, entry.Failure);
            if (!goOn) return false;
        }
        return true;
    }

    bool Problem(const std::string& path, const std::string& failure)
    {
        cli::Complain(path + ": " + failure);
        failed_ = true;
        return true;
    }

    bool File(const std::string& path)
    {
        if (options_.Output && !result_ && !resultFailed_ && !OpenResultFile()) return false;
        QStringList lines;
        std::string failure;
        bool vanished = false;
        for (const bool crc : {true, false}) {
            if (crc ? !options_.Crc32 : hashes_.empty()) continue;
            const PassResult pass = crc ? Crc32Pass(path) : DigestPass(path, hashes_);
            vanished = vanished || pass.Vanished;
            lines << pass.Lines;
            if (failure.empty()) failure = pass.Failure;
        }
        if (vanished) return Problem(path, failure);
        if (!failure.empty()) Problem(path, failure); // the error lines still go out

        std::string printed = cli::PrintedPath(path) + '\n';
        for (const QString& line : lines) printed += '\t' + line.toStdString() + '\n';
        out_.Write(printed);
        out_.Flush();
        if (result_) {
            const QString text = ResultEntryText(ShownText(FileNameOf(PathFromNative(path))), lines);
            const std::string bytes = platform::ToCodePage(text.toStdU16String(), encoding_);
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

    bool OpenResultFile()
    {
        encoding_ = platform::AnsiCodePageName();
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
        cli::Complain(ErrorBoxText(QString::fromUtf8(e.what())).toStdString());
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
    cli::StandardOutput out_;
    std::array<std::unique_ptr<TDCP_hash>, kCatalogueSize> components_;
    std::vector<TDCP_hash*> hashes_;
    std::unique_ptr<platform::FileWriter> result_;
    std::string encoding_;
    long long saved_ = 0;
    bool resultFailed_ = false;
    bool failed_ = false;
};

} // namespace

int main(int argc, char** argv)
{
    const bool stdoutOpen = platform::ReserveStandardStreams();
    platform::PrepareProcessSignals();
    const cli::ParsedCommandLine command = cli::ParseCommandLine(argc, argv);
    if (!command.Run) {
        std::fputs(command.Text.c_str(), command.ExitStatus == 0 ? stdout : stderr);
        return command.ExitStatus;
    }
    Run run(*command.Run, stdoutOpen);
    run.All();
    return run.ExitStatus();
}
