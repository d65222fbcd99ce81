#pragma once

// Same-content marking: entries whose last results agree form numbered
// groups, the first eight of which get a row colour.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "workflow/file_result.h"

namespace sumbrook::workflow {

class FileListPort;
class Results;

// What a file's last result line is made from: the value of the last
// algorithm, or which pass failed. Two keys are equal when those lines are.
class MarkingKey {
public:
    // Nothing for a file without lines (vanished, or nothing selected).
    static std::optional<MarkingKey> Of(const FileResult& result);
    bool Failed() const { return failed_; }
    const std::string& Bytes() const { return bytes_; }
    bool operator==(const MarkingKey&) const = default;

private:
    bool failed_ = false;
    std::string bytes_; // the algorithm, then its value; or which pass failed
};

// The group mark of each entry from the key of its top node (nothing for an
// entry without one): -1 in no group; groups of equal keys numbered 1, 2, ...
// in list order of their first members, 9 from the ninth on; 0 for a failed
// read, which still uses up its group's number.
std::vector<int> GroupMarks(std::span<const std::optional<MarkingKey>> keys);

// Marks every entry of the list from the results tree (the k-th top node
// belongs to the k-th entry; nodes past the list are ignored).
void CheckSameFile(FileListPort& files, const Results& results);

struct Rgb {
    int Red, Green, Blue;
    bool operator==(const Rgb&) const = default;
};

// The row colour of group mark 1 to 8; nothing for any other mark.
std::optional<Rgb> GroupColour(int mark);

} // namespace sumbrook::workflow
