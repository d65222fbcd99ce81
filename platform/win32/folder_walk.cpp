#include "platform/folder_walk.h"

#include <utility>
#include <vector>

#include "platform/folder_listing.h"

namespace sumbrook::platform {

struct FolderWalk::State {
    struct Level {
        std::vector<FolderEntry> Entries;
        std::size_t Next = 0;
        std::size_t PathLength = 0;
    };
    std::string Path;
    std::vector<Level> Levels;
    bool Recursive = false;
    std::optional<Found> Pending;

    std::optional<Found> Enter()
    {
        std::string failure;
        auto entries = ListFolder(Path, &failure);
        if (!entries) return Found{Path, failure, {}};
        Levels.push_back({std::move(*entries), 0, Path.size()});
        return std::nullopt;
    }
};

FolderWalk::FolderWalk(const std::string& folder, bool recursive) : state_(std::make_unique<State>())
{
    state_->Path = folder;
    state_->Recursive = recursive;
    state_->Pending = state_->Enter();
}

FolderWalk::~FolderWalk() = default;

std::optional<FolderWalk::Found> FolderWalk::Next()
{
    State& s = *state_;
    for (;;) {
        if (s.Pending) return std::exchange(s.Pending, std::nullopt);
        if (s.Levels.empty()) return std::nullopt;
        State::Level& level = s.Levels.back();
        if (level.Next == level.Entries.size()) {
            s.Levels.pop_back();
            continue;
        }
        const FolderEntry entry = std::move(level.Entries[level.Next++]);
        s.Path.resize(level.PathLength);
        if (!s.Path.ends_with('/')) s.Path += '/';
        s.Path += entry.Name;
        using Kind = decltype(FolderEntry::Kind);
        if (entry.Kind == Kind::RegularFile || entry.Kind == Kind::Unknown) return Found{s.Path, entry.Failure, {}};
        // Junctions and links to folders are not entered.
        if (entry.Kind == Kind::Folder && s.Recursive && !entry.Link)
            if (auto failure = s.Enter()) return failure;
    }
}

} // namespace sumbrook::platform
