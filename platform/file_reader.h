#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>

#include "CRC32_FCS32.h"

namespace sumbrook::platform {

enum class ShareMode {
    AllowOthers, // others may read and write the file meanwhile
    DenyOthers,  // the open fails while anyone else has the file open (Windows)
};

// A file opened for reading, closed when the reader goes. Only regular files
// open: a pipe, socket or device would block or never end.
class FileReader final : public TByteSource {
public:
    static std::unique_ptr<FileReader> Open(const std::string& path, ShareMode share);

    struct OpenedHandle {
        std::intptr_t value;
    };
    explicit FileReader(OpenedHandle handle) : handle_(handle.value) {}
    ~FileReader() override;
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    // Bytes read (0 at the end), or -1 when the read failed.
    std::ptrdiff_t Read(std::span<std::uint8_t> into) override;

private:
    std::intptr_t handle_;
};

} // namespace sumbrook::platform
