#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "base/exception.h"
#include "platform/file_kind.h"

namespace sumbrook::platform {

// The result file, replaced as a whole or not at all. The bytes go to a new
// file beside the target, which is flushed to the disk and then renamed over
// the target, so a full disk, a size limit or a signal part-way leaves the
// previous file exactly as it was. A symbolic link is followed and the file
// it points to is replaced. A target that is no regular file (a device, a
// pipe, a terminal) is written directly. A folder that cannot be written in
// is refused, even over a file that could: written in place, the previous
// file would not survive a failure. Every failure raises an Exception
// whose message names the file and the system's reason.
class FileWriter {
public:
    // Raises "Cannot create file "<path>". <reason>".
    static std::unique_ptr<FileWriter> Create(const std::string& path);

    struct Target; // where the bytes go, per platform
    FileWriter(std::unique_ptr<Target>&& target, std::string path);
    // Without Close the new file is dropped and the target stays as it was.
    ~FileWriter();
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    // Raises "Cannot write file "<path>". <reason>".
    void Write(std::span<const std::uint8_t> bytes);
    // Flushes, closes and puts the file in place; raises like Write when the
    // data did not get out.
    void Close();

    // The file the bytes go to now (the new file while replacing), so that
    // a caller reading files can tell it apart.
    FileId Identity() const;

private:
    // Drops the new file (the target stays as it was) and raises.
    [[noreturn]] void Fail(const std::string& reason);

    // Closes the file; a new file still open is removed with it. Per platform.
    struct DropTarget {
        void operator()(Target* target) const;
    };
    std::unique_ptr<Target, DropTarget> target_; // null once closed
    std::string path_;
};

} // namespace sumbrook::platform
