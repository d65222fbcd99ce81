#include "platform/folder_listing.h"

#include "platform/file_kind.h"

namespace sumbrook::platform {

std::uint64_t QueryFileSize(const std::string& path)
{
    const PathInfo info = DescribePath(path);
    return info.Kind == PathInfo::Kind::RegularFile ? info.Size : 0;
}

} // namespace sumbrook::platform
