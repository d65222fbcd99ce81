// Same-content marking: entries whose last result lines agree form numbered
// groups, the first eight of which get a row colour.

#include "workflow/marking.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <vector>

#include "workflow/texts.h"
#include "workflow/workflow.h"

namespace sumbrook::workflow {

std::optional<Rgb> GroupColour(int mark)
{
    static constexpr std::array<Rgb, 8> kColours = {{
        {255, 0, 0},     // red
        {0, 255, 0},     // lime
        {255, 0, 255},   // fuchsia
        {255, 255, 0},   // yellow
        {0, 128, 0},     // green
        {0, 255, 255},   // aqua
        {128, 128, 0},   // olive
        {128, 0, 128},   // purple
    }};
    if (mark < 1 || mark > 8) return std::nullopt;
    return kColours[static_cast<std::size_t>(mark - 1)];
}

void Workflow::CheckSameFile()
{
    const int n = p_.Files.Count();
    // The k-th top node belongs to the k-th entry; nodes past the list are ignored.
    sameTexts_ = QStringList(n, QString());
    for (int k = 0; k < p_.Tree.TopCount() && k < n; ++k) {
        const int lines = p_.Tree.LineCount(k);
        if (lines > 0) sameTexts_[k] = p_.Tree.LineText(k, lines - 1);
    }

    // Groups are numbered in the list order of their first members; every
    // group from the ninth on shares mark 9. Grouping by text keeps this
    // linear in the number of entries.
    QHash<QString, std::vector<int>> members;
    for (int i = 0; i < n; ++i)
        if (!sameTexts_[i].isEmpty()) members[sameTexts_[i]].push_back(i);
    std::vector<int> marks(static_cast<std::size_t>(n), -1);
    int groups = 0;
    for (int i = 0; i < n; ++i) {
        if (sameTexts_[i].isEmpty()) continue;
        const std::vector<int>& group = members[sameTexts_[i]];
        if (group.size() < 2 || group.front() != i) continue;
        const int mark = std::min(++groups, 9);
        for (const int member : group) marks[static_cast<std::size_t>(member)] = mark;
    }
    // Errors group among themselves above but show no colour.
    for (int i = 0; i < n; ++i)
        if (sameTexts_[i].endsWith(kErrorSuffix)) marks[static_cast<std::size_t>(i)] = 0;

    for (int i = 0; i < n; ++i) p_.Files.SetStateIndex(i, marks[static_cast<std::size_t>(i)]);
}

} // namespace sumbrook::workflow
