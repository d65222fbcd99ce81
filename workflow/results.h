#pragma once

// The results tree and, beside each top node, what its last line was made
// from: a top node per computed file, its result lines under it. Nodes are
// only appended or all cleared at once.

#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "workflow/file_result.h"
#include "workflow/marking.h"
#include "workflow/ports.h"

namespace sumbrook::workflow {

class Results {
public:
    explicit Results(ResultsTreePort& tree) : tree_(tree) {}

    // The file's top node with Caption, then its lines.
    void Append(const QString& caption, const FileResult& result);
    void Clear();

    ResultsTreePort& Tree() { return tree_; }
    const ResultsTreePort& Tree() const { return tree_; }
    // Per top node, the key of its last line (nothing for a node without lines).
    const std::vector<std::optional<MarkingKey>>& Keys() const { return keys_; }

    // A top node and its line holding Value for one of Candidates, the
    // first in tree order; nothing when no file has it.
    struct Match {
        TreeNode Node;
        AlgorithmId Algorithm;
    };
    std::optional<Match> Find(std::span<const std::uint8_t> value, std::span<const AlgorithmId> candidates) const;

private:
    ResultsTreePort& tree_;
    std::vector<std::optional<MarkingKey>> keys_;
    std::vector<FileResult> results_; // per top node, as the values to look a digest up in
};

} // namespace sumbrook::workflow
