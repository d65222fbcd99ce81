#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "DCPexception.h"

namespace sumbrook::platform {

// The result file: created or truncated, written in sequence, closed. Every
// failure raises an Exception whose message names the file and the system's
// reason. A file that could not be written completely is removed, so nothing
// half-written is left looking like a complete result.
class FileWriter {
public:
    // Raises "Cannot create file "<path>". <reason>".
    static std::unique_ptr<FileWriter> Create(const std::string& path);

    struct OpenedHandle {
        std::intptr_t value;
        bool regular;
    };
    FileWriter(OpenedHandle handle, std::string path)
        : handle_(handle.value), path_(std::move(path)), regular_(handle.regular) {}
    ~FileWriter();
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    // Raises "Cannot write file "<path>". <reason>".
    void Write(std::span<const std::uint8_t> bytes);
    // Flushes and closes; raises like Write when the data did not get out.
    void Close();

private:
    [[noreturn]] void Fail(const std::string& reason);

    std::intptr_t handle_; // -1 once closed
    std::string path_;
    bool regular_; // only a regular file is removed after a failure, never a device
};

} // namespace sumbrook::platform
