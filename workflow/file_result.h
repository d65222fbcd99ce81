#pragma once

// What the digest job gives for one file: per selected algorithm its value
// as bytes, or the failure to read the file. Texts are made from it at the
// edges: the window's lines, the saved file, the command-line formats.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "digest/engine/algorithm.h"

namespace sumbrook::workflow {

// A digest's bytes in the order the algorithm writes them; CRC-32 as its
// four bytes, most significant first.
class DigestValue {
public:
    DigestValue() = default;
    explicit DigestValue(std::span<const std::uint8_t> bytes);
    static DigestValue OfCrc32(std::uint32_t crc);

    // A view into this value: not offered on a temporary, whose bytes would
    // be gone by the time the view is read.
    std::span<const std::uint8_t> Bytes() const& { return {bytes_.data(), size_}; }
    std::span<const std::uint8_t> Bytes() const&& = delete;
    std::size_t Size() const { return size_; }
    // The CRC-32 register value back from its four bytes.
    std::uint32_t AsCrc32() const;
    bool operator==(const DigestValue& other) const;

private:
    std::array<std::uint8_t, 64> bytes_{}; // the largest digest: SHA-512
    std::uint8_t size_ = 0;
};

struct AlgorithmResult {
    AlgorithmId Algorithm;
    bool Failed = false; // the file could not be read for it: no value
    DigestValue Value;
};

struct FileResult {
    bool Vanished = false;               // nothing at the path any more: no results at all
    std::vector<AlgorithmResult> Values; // one per selected algorithm, in AlgorithmId order
    std::string Failure;                 // the system's reason behind a vanished file or a failed read

    // True when some algorithm could not read the file.
    bool AnyFailed() const;
    // The result of one algorithm, or null when it was not selected.
    const AlgorithmResult* Find(AlgorithmId id) const;
};

} // namespace sumbrook::workflow
