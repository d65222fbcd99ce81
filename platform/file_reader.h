#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "base/byte_source.h"
#include "platform/file_kind.h"

namespace sumbrook::platform {

enum class ShareMode {
    AllowOthers, // others may read and write the file meanwhile
    DenyOthers,  // the open fails while anyone else has the file open (Windows)
};

// A file opened for reading, closed when the reader goes. Only regular files
// are opened: the path's type is checked first, so a pipe, socket or device
// is never opened at all. Reads never wait: a file that would block (some
// files of /proc do) fails its read instead.
class FileReader final : public TByteSource {
public:
    // The reader, or nothing with what stood in the way in Failure: its Kind
    // tells a path with nothing there (or a folder) from one that could not
    // be read, and its text gives the system's reason.
    static std::unique_ptr<FileReader> Open(const std::string& path, ShareMode share, PathInfo& failure);

    struct OpenedHandle {
        std::intptr_t value;
    };
    explicit FileReader(OpenedHandle handle) : handle_(handle.value) {}
    ~FileReader() override;
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    // Bytes read (0 at the end), or -1 when the read failed.
    std::ptrdiff_t Read(std::span<std::uint8_t> into) override;
    // Why the last read failed, in the system's words.
    const std::string& Failure() const { return failure_; }
    // The size the file had when it was opened.
    std::uint64_t Size() const { return size_; }

private:
    std::intptr_t handle_;
    std::uint64_t size_ = 0;
    bool atEnd_ = false; // a read has delivered nothing
    std::string failure_;
};

// The text given for a path that is no regular file.
inline constexpr const char* kNotARegularFile = "Not a regular file";

} // namespace sumbrook::platform
