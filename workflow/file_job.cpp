#include "file_job.h"

#include <algorithm>
#include <array>

#include "DCPhash.h"
#include "file_kind.h"
#include "file_reader.h"
#include "result_line.h"
#include "texts.h"

namespace sumbrook::workflow {

namespace {

constexpr std::size_t kDigestReadSize = 16384;

// Vanished when nothing is there; a folder is no file either. Anything else,
// a path the system cannot even describe included, is read and may fail.
bool Vanished(const std::string& path, PassResult& result)
{
    const platform::PathInfo info = platform::DescribePath(path);
    if (info.Kind == platform::PathInfo::Kind::Missing) {
        result = {true, {}, info.Failure};
        return true;
    }
    if (info.Kind == platform::PathInfo::Kind::Folder) {
        result = {true, {}, "Is a directory"};
        return true;
    }
    return false;
}

void Notify(const std::function<void()>& callback)
{
    if (callback) callback();
}

} // namespace

PassResult Crc32Pass(const std::string& path, const PassProgress& progress)
{
    PassResult result;
    if (Vanished(path, result)) return result;
    Notify(progress.Started);
    std::string failure;
    const auto reader = platform::FileReader::Open(path, platform::ShareMode::AllowOthers, failure);
    const Crc32Result crc = Crc32OfSource(reader.get(), [&] { Notify(progress.BlockRead); });
    // A file that cannot be opened is an error, not a checksum of 0; a real
    // checksum of 0 (an empty file) is shown like any other.
    if (crc.Outcome == Crc32Outcome::Checksum) return {false, {Crc32Line(crc.Crc)}, {}};
    return {false, {kCrcErrorLine}, reader ? reader->Failure() : failure};
}

PassResult DigestPass(const std::string& path, std::span<TDCP_hash* const> hashes, const PassProgress& progress)
{
    PassResult result;
    if (Vanished(path, result)) return result;
    Notify(progress.Started);
    for (TDCP_hash* hash : hashes) hash->Init();

    std::string failure;
    const auto reader = platform::FileReader::Open(path, platform::ShareMode::DenyOthers, failure);
    if (!reader) return {false, {kDigestErrorLine}, failure};
    result = DigestOfSource(*reader, hashes);
    if (!result.Lines.isEmpty() && result.Lines.front() == kDigestErrorLine) result.Failure = reader->Failure();
    return result;
}

PassResult DigestOfSource(TByteSource& source, std::span<TDCP_hash* const> hashes)
{
    // Read until a read delivers nothing; a failed read anywhere means the
    // file's digests would describe the wrong bytes, so none is shown.
    std::array<std::uint8_t, kDigestReadSize> buffer;
    for (;;) {
        const std::ptrdiff_t got = source.Read(buffer);
        if (got < 0) {
            for (TDCP_hash* hash : hashes) hash->Burn();
            return {false, {kDigestErrorLine}, {}};
        }
        const std::span<const std::uint8_t> block(buffer.data(), static_cast<std::size_t>(got));
        for (TDCP_hash* hash : hashes) hash->Update(block);
        if (got == 0) break;
    }

    PassResult result;
    std::array<std::uint8_t, 64> digest{}; // the largest digest of the catalogue
    for (TDCP_hash* hash : hashes) {
        const auto size = std::min(static_cast<std::size_t>(hash->HashSize() / 8), digest.size());
        const std::span<std::uint8_t> out(digest.data(), size);
        hash->Final(out); // a larger digest than the buffer would raise, never overflow
        result.Lines << DigestLine(hash->GetAlgorithm(), out);
    }
    return result;
}

} // namespace sumbrook::workflow
