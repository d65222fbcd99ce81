#include "platform/file_writer.h"

namespace sumbrook::platform {

FileWriter::FileWriter(std::unique_ptr<Target>&& target, std::string path)
    : target_(target.release()), path_(std::move(path))
{}

FileWriter::~FileWriter() = default;

void FileWriter::Fail(const std::string& reason)
{
    target_.reset();
    throw Exception("Cannot write file \"" + path_ + "\". " + reason);
}

} // namespace sumbrook::platform
