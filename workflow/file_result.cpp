#include "workflow/file_result.h"

#include <algorithm>
#include <stdexcept>

namespace sumbrook::workflow {

DigestValue::DigestValue(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() > bytes_.size()) throw std::length_error("digest longer than 64 bytes");
    std::copy(bytes.begin(), bytes.end(), bytes_.begin());
    size_ = static_cast<std::uint8_t>(bytes.size());
}

DigestValue DigestValue::OfCrc32(std::uint32_t crc)
{
    const std::array<std::uint8_t, 4> bytes{static_cast<std::uint8_t>(crc >> 24), static_cast<std::uint8_t>(crc >> 16),
                                            static_cast<std::uint8_t>(crc >> 8), static_cast<std::uint8_t>(crc)};
    return DigestValue(bytes);
}

std::uint32_t DigestValue::AsCrc32() const
{
    std::uint32_t crc = 0;
    for (std::size_t i = 0; i < size_; ++i) crc = crc << 8 | bytes_[i];
    return crc;
}

bool DigestValue::operator==(const DigestValue& other) const
{
    return std::ranges::equal(Bytes(), other.Bytes());
}

bool FileResult::AnyFailed() const
{
    return std::ranges::any_of(Values, [](const AlgorithmResult& r) { return r.Failed; });
}

const AlgorithmResult* FileResult::Find(AlgorithmId id) const
{
    const auto found = std::ranges::find(Values, id, &AlgorithmResult::Algorithm);
    return found == Values.end() ? nullptr : &*found;
}

} // namespace sumbrook::workflow
