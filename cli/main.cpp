// sumbrook-cli: the window's result lines for files named on the command
// line, computed by the same workflow the window runs.

#include <QFile>
#include <QString>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>

#include "DCPcatalogue.h"
#include "export.h"
#include "file_kind.h"
#include "file_naming.h"
#include "folder_listing.h"
#include "headless_ports.h"
#include "texts.h"
#include "workflow.h"

using namespace sumbrook;
using namespace sumbrook::workflow;

namespace {

constexpr std::string_view kUsage =
    "Usage: sumbrook-cli [ALGORITHM...] [--output FILE] PATH...\n"
    "Print the checksums and digests of files as Sumbrook shows them.\n"
    "\n"
    "Algorithms (without any: --sha1 --md5):\n"
    "  --crc32 --sha1 --haval256 --md4 --ripemd128 --ripemd160\n"
    "  --sha256 --sha384 --sha512 --tiger192 --md5   one algorithm each\n"
    "  --all                                         every algorithm\n"
    "\n"
    "  --output FILE   also save the results as the window's save command does\n"
    "                  (TAB-indented, CR LF, the locale's ANSI code page)\n"
    "  --help          show this text\n"
    "  --version       show the version\n"
    "\n"
    "A folder stands for the regular files directly inside it, in name order.\n"
    "For each file: its path, then one line per algorithm after a TAB.\n"
    "Exit status: 0 when every file was read, 1 when a path was missing or\n"
    "unreadable, 2 for a usage error.\n";

// Option names in catalogue order.
constexpr std::array<std::string_view, kCatalogueSize> kDigestOptions = {
    "--sha1", "--haval256", "--md4", "--ripemd128", "--ripemd160",
    "--sha256", "--sha384", "--sha512", "--tiger192", "--md5"};

class StderrErrorBox : public ErrorBoxPort {
public:
    void ShowError(const QString& message) override
    {
        std::fprintf(stderr, "sumbrook-cli: %s\n", message.toLocal8Bit().constData());
        failed = true;
    }
    bool failed = false;
};

int Usage(const char* problem)
{
    std::fprintf(stderr, "sumbrook-cli: %s\nTry 'sumbrook-cli --help'.\n", problem);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    CatalogueSelection selection;
    bool anyAlgorithm = false;
    QString output;
    QStringList paths;
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (optionsEnd || arg.empty() || arg[0] != '-' || arg == "-") {
            paths << QFile::decodeName(argv[i]);
        } else if (arg == "--") {
            optionsEnd = true;
        } else if (arg == "--help") {
            std::fputs(kUsage.data(), stdout);
            return 0;
        } else if (arg == "--version") {
            std::puts("sumbrook-cli 2.7.5");
            return 0;
        } else if (arg == "--output") {
            if (++i == argc) return Usage("--output needs a file name");
            output = QFile::decodeName(argv[i]);
        } else if (arg == "--crc32") {
            selection.SetCrc32(true);
            anyAlgorithm = true;
        } else if (arg == "--all") {
            selection.SetCrc32(true);
            for (std::size_t k = 0; k < kCatalogueSize; ++k) selection.SetDigest(k, true);
            anyAlgorithm = true;
        } else if (const auto* found = std::find(kDigestOptions.begin(), kDigestOptions.end(), arg);
                   found != kDigestOptions.end()) {
            selection.SetDigest(static_cast<std::size_t>(found - kDigestOptions.begin()), true);
            anyAlgorithm = true;
        } else {
            return Usage(("unknown option " + std::string(arg)).c_str());
        }
    }
    if (paths.isEmpty()) return Usage("no file named");
    if (!anyAlgorithm) {
        selection.SetDigest(kCatalogueSha1, true);
        selection.SetDigest(kCatalogueMd5, true);
    }

    MemoryFileList files;
    MemoryResultsTree tree;
    QuietWindow window;
    StderrErrorBox errors;
    Workflow flow(Ports{files, tree, window, window, window, selection, window, window, errors, window});

    bool missing = false;
    QStringList found;
    for (const QString& path : paths) {
        const std::string native = NativePath(path);
        if (platform::FolderExists(native)) {
            // The window skips a folder it cannot list; here that must not pass for an empty one.
            if (!platform::ListFolder(native)) {
                std::fprintf(stderr, "sumbrook-cli: %s: Cannot read folder\n", native.c_str());
                missing = true;
                continue;
            }
        } else if (!platform::FileExists(native)) {
            std::fprintf(stderr, "sumbrook-cli: %s: No such file or directory\n", native.c_str());
            missing = true;
            continue;
        }
        found << path;
    }
    // One drop for all: every intake looks up the icons of the whole list again.
    if (!found.isEmpty()) flow.WMDropFiles(found);
    flow.CalculateMenuClick();

    bool unreadable = false;
    QString text;
    for (int i = 0; i < files.Count() && i < tree.TopCount(); ++i) {
        text += files.Entry(i).Path + u'\n';
        for (int line = 0; line < tree.LineCount(i); ++line) {
            const QString result = tree.LineText(i, line);
            unreadable = unreadable || result.endsWith(kErrorSuffix);
            text += u'\t' + result + u'\n';
        }
    }
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), stdout);
    std::fflush(stdout);

    if (!output.isEmpty()) flow.RunCommand([&] { WriteResultFile(tree, output); });
    return (missing || unreadable || errors.failed) ? 1 : 0;
}
