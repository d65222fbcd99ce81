#pragma once

// The results tree and, beside each top node, what its last line was made
// from: a top node per computed file, its result lines under it. Nodes are
// only appended or all cleared at once.

#include <QString>

#include <optional>
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

private:
    ResultsTreePort& tree_;
    std::vector<std::optional<MarkingKey>> keys_;
};

} // namespace sumbrook::workflow
