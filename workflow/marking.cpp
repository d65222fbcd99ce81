#include "workflow/marking.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "workflow/ports.h"
#include "workflow/results.h"

namespace sumbrook::workflow {

std::optional<MarkingKey> MarkingKey::Of(const FileResult& result)
{
    if (result.Values.empty()) return std::nullopt;
    MarkingKey key;
    // One error line stands for every digest, so any failed digest is the
    // last line; the CRC-32 line is last only without digests.
    const bool digestFailed = std::ranges::any_of(
        result.Values, [](const AlgorithmResult& r) { return r.Failed && r.Algorithm != AlgorithmId::Crc32; });
    const AlgorithmResult& last = result.Values.back();
    if (digestFailed || last.Failed) {
        key.failed_ = true;
        key.bytes_ = digestFailed ? "digests" : "crc32";
        return key;
    }
    key.bytes_.push_back(static_cast<char>(last.Algorithm));
    const auto bytes = last.Value.Bytes();
    key.bytes_.append(bytes.begin(), bytes.end());
    return key;
}

std::vector<int> GroupMarks(std::span<const std::optional<MarkingKey>> keys)
{
    // Grouping by key keeps this linear in the number of entries; the first
    // member of a group collects all later ones, so none ever moves.
    std::unordered_map<std::string, std::vector<std::size_t>> members;
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (keys[i]) members[keys[i]->Bytes()].push_back(i);
    std::vector<int> marks(keys.size(), -1);
    int groups = 0;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (!keys[i]) continue;
        const std::vector<std::size_t>& group = members[keys[i]->Bytes()];
        if (group.size() < 2 || group.front() != i) continue;
        const int mark = std::min(++groups, 9);
        for (const std::size_t member : group) marks[member] = mark;
    }
    // Failed reads group among themselves above but show no colour.
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (keys[i] && keys[i]->Failed()) marks[i] = 0;
    return marks;
}

void CheckSameFile(FileListPort& files, const Results& results)
{
    const auto n = static_cast<std::size_t>(files.Count());
    std::vector<std::optional<MarkingKey>> keys(n);
    const auto& tops = results.Keys();
    std::copy_n(tops.begin(), std::min(n, tops.size()), keys.begin());
    const std::vector<int> marks = GroupMarks(keys);
    for (std::size_t i = 0; i < n; ++i) files.SetStateIndex(static_cast<int>(i), marks[i]);
}

std::optional<Rgb> GroupColour(int mark)
{
    static constexpr std::array<Rgb, 8> kColours = {{
        {255, 0, 0},   // red
        {0, 255, 0},   // lime
        {255, 0, 255}, // fuchsia
        {255, 255, 0}, // yellow
        {0, 128, 0},   // green
        {0, 255, 255}, // aqua
        {128, 128, 0}, // olive
        {128, 0, 128}, // purple
    }};
    if (mark < 1 || mark > 8) return std::nullopt;
    return kColours[static_cast<std::size_t>(mark - 1)];
}

} // namespace sumbrook::workflow
