#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/file_kind.h"

namespace sumbrook::platform {

// The files inside a folder, in name order, and with Recursive those of every
// folder below, depth first. The walk keeps no call stack and one open
// folder at a time: its memory grows with the entries still to come on the
// path, not with the depth squared. A folder is entered from its parent
// without following links, so a folder swapped for a link while it is walked
// is not followed either; a folder met again below itself (a bind mount) is
// reported once and not entered.
class FolderWalk {
public:
    struct Found {
        std::string Path;       // the folder's path, "/" and the names below it
        std::string Failure;    // set: nothing to read here, only this to say
        FileId Id;              // the file's identity, where it could be told
        std::uint64_t Size = 0; // a regular file's size when listed; 0 where not known
    };

    FolderWalk(const std::string& folder, bool recursive);
    ~FolderWalk();
    FolderWalk(const FolderWalk&) = delete;
    FolderWalk& operator=(const FolderWalk&) = delete;

    // The next file or problem; nothing once the walk is done.
    std::optional<Found> Next();

    struct State; // per platform

private:
    std::unique_ptr<State> state_;
};

} // namespace sumbrook::platform
