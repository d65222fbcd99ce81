#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace sumbrook {

// A readable byte source, such as an open file.
class TByteSource {
public:
    virtual ~TByteSource() = default;
    // Bytes delivered (0 at the end), or a negative number when the read failed.
    virtual std::ptrdiff_t Read(std::span<std::uint8_t> Into) = 0;
};

} // namespace sumbrook
