// The digest job for one file: the CRC-32 pass and the pass that feeds every
// selected digest, each appending its lines under the current file node.

#include <algorithm>
#include <array>
#include <vector>

#include "DCPhash.h"
#include "file_kind.h"
#include "file_naming.h"
#include "file_reader.h"
#include "result_line.h"
#include "texts.h"
#include "workflow.h"

namespace sumbrook::workflow {

namespace {
constexpr std::size_t kDigestReadSize = 16384;
}

Crc32Result Workflow::CalcFileCrc32(const QString& fileName)
{
    const auto reader = platform::FileReader::Open(NativePath(fileName), platform::ShareMode::AllowOthers);
    return Crc32OfSource(reader.get(), [this] { p_.Progress.StepCurrent(); });
}

void Workflow::AddCrc32Line(const QString& fileName)
{
    p_.Pump.ProcessMessages();
    if (!platform::FileExists(NativePath(fileName))) return;
    p_.Progress.SetCurrentPosition(0);
    QString line;
    try {
        const Crc32Result result = CalcFileCrc32(fileName);
        // A file that cannot be opened is an error, not a checksum of 0; a
        // real checksum of 0 (an empty file) is shown like any other.
        line = result.Outcome == Crc32Outcome::Checksum ? Crc32Line(result.Crc) : kCrcErrorLine;
    } catch (const std::exception&) {
        line = kCrcErrorLine;
    }
    p_.Tree.AppendLine(currentFileNode_, line);
}

void Workflow::AddHashLines(const QString& fileName)
{
    p_.Pump.ProcessMessages();
    std::optional<QStringList> lines;
    try {
        lines = HashLines(fileName);
    } catch (const std::exception&) {
        lines = QStringList{kDigestErrorLine};
    }
    if (lines)
        for (const QString& line : *lines) p_.Tree.AppendLine(currentFileNode_, line);
}

std::optional<QStringList> Workflow::HashLines(const QString& fileName)
{
    if (!platform::FileExists(NativePath(fileName))) return std::nullopt;
    p_.Progress.SetCurrentPosition(0);

    std::vector<TDCP_hash*> hashes;
    hashes.reserve(p_.Selection.HashListCount());
    for (std::size_t i = 0; i < p_.Selection.HashListCount(); ++i) {
        if (!p_.Selection.HashListChecked(i)) continue;
        hashes.push_back(&p_.Selection.HashComponent(i));
        hashes.back()->Init();
    }

    const auto reader = platform::FileReader::Open(NativePath(fileName), platform::ShareMode::DenyOthers);
    if (!reader) return QStringList{kDigestErrorLine};
    // Read until a read delivers nothing; a failed read anywhere means the
    // file's digests would describe the wrong bytes, so none is shown.
    std::array<std::uint8_t, kDigestReadSize> buffer;
    for (;;) {
        const std::ptrdiff_t got = reader->Read(buffer);
        if (got < 0) return QStringList{kDigestErrorLine};
        const std::span<const std::uint8_t> block(buffer.data(), static_cast<std::size_t>(got));
        for (TDCP_hash* hash : hashes) hash->Update(block);
        if (got == 0) break;
    }

    QStringList lines;
    std::array<std::uint8_t, 64> digest{}; // the largest digest of the catalogue
    for (TDCP_hash* hash : hashes) {
        const auto size = std::min(static_cast<std::size_t>(hash->HashSize() / 8), digest.size());
        const std::span<std::uint8_t> out(digest.data(), size);
        hash->Final(out); // a larger digest than the buffer would raise, never overflow
        lines << DigestLine(hash->GetAlgorithm(), out);
    }
    return lines;
}

} // namespace sumbrook::workflow
