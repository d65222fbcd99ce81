#pragma once

// The two passes of the digest job over one file, free of any window: the
// CRC-32 pass and the pass that feeds every selected digest. The window's
// handlers and the command-line tool both run them.

#include <QStringList>

#include <functional>
#include <span>
#include <string>

namespace sumbrook {
class TByteSource;
class TDCP_hash;
}

namespace sumbrook::workflow {

struct PassResult {
    bool Vanished = false; // nothing at the path any more: no lines at all
    QStringList Lines;     // the result lines, or the error line
    std::string Failure;   // the system's reason behind a vanished file or an error line
};

// Started runs once the file is known to be there, before it is read;
// BlockRead once per read of the CRC pass.
struct PassProgress {
    std::function<void()> Started;
    std::function<void()> BlockRead;
};

// "CRC32_FCS32：…" of the file at Path (its own bytes), or the error line.
PassResult Crc32Pass(const std::string& path, const PassProgress& progress = {});

// One line per hash, in the given order, from one read of the file; or the
// error line alone when the file cannot be read to its end.
PassResult DigestPass(const std::string& path, std::span<TDCP_hash* const> hashes,
                      const PassProgress& progress = {});

// The digest lines of what Source delivers, each hash already initialised;
// the error line alone when a read fails.
PassResult DigestOfSource(TByteSource& source, std::span<TDCP_hash* const> hashes);

} // namespace sumbrook::workflow
