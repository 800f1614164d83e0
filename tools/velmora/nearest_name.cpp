#include "tools/velmora/nearest_name.h"

#include <algorithm>

std::size_t EditDistance(const std::string &a, const std::string &b) {
    // Rows of the optimal-string-alignment table: two before the current one are needed to
    // count a swap of neighbours as one edit.
    std::vector<std::size_t> twoBack(b.size() + 1), previous(b.size() + 1), current(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) previous[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        current[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            std::size_t substitution = previous[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, substitution});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                current[j] = std::min(current[j], twoBack[j - 2] + 1);
        }
        std::swap(twoBack, previous);
        std::swap(previous, current);
    }
    return previous[b.size()];
}

std::optional<std::string> NearestName(const std::string &typed,
                                       const std::vector<std::string> &candidates) {
    std::optional<std::string> nearest;
    std::size_t best = 0;
    for (const std::string &candidate : candidates) {
        std::size_t distance = EditDistance(typed, candidate);
        std::size_t allowed =
            std::max<std::size_t>(1, std::max(typed.size(), candidate.size()) / 3);
        if (distance > allowed || (nearest && distance >= best)) continue;
        nearest = candidate;
        best = distance;
    }
    return nearest;
}
