#include "tools/velmora/part_replacements.h"

#include <algorithm>
#include <utility>

#include "host/scene/plural.h"
#include "host/scene/quoted_list.h"

namespace {

// Names in order of first use, each with a count.
using Counts = std::vector<std::pair<PolygonTag, std::size_t>>;

// Counts one more of `tag` and says where it stands in `counts`.
std::size_t Count(Counts &counts, const PolygonTag &tag) {
    auto found = std::find_if(counts.begin(), counts.end(),
                              [&](const auto &count) { return count.first == tag; });
    if (found == counts.end()) found = counts.insert(counts.end(), {tag, 0});
    ++found->second;
    return static_cast<std::size_t>(found - counts.begin());
}

std::string Named(const PolygonTag &tag) {
    return tag ? QuotedName(*tag) : "no part";
}

}  // namespace

std::vector<std::string> PartReplacements(const std::vector<PolygonTag> &before,
                                          const std::vector<PolygonTag> &after) {
    Counts parts;
    std::vector<Counts> becameOf;  // per entry of `parts`
    for (std::size_t p = 0; p < before.size() && p < after.size(); ++p) {
        std::size_t part = Count(parts, before[p]);
        becameOf.resize(parts.size());
        Count(becameOf[part], after[p]);
    }
    // Polygons without a part come last, after the names the user knows.
    std::vector<std::size_t> order;
    for (bool named : {true, false})
        for (std::size_t part = 0; part < parts.size(); ++part)
            if (!!parts[part].first == named) order.push_back(part);
    std::vector<std::string> lines;
    for (std::size_t part : order) {
        const Counts &became = becameOf[part];
        if (became.size() == 1 && became.front().first == parts[part].first) continue;
        std::string line = (parts[part].first ? "part " : "") + Named(parts[part].first) + " (" +
                           Plural(parts[part].second, "polygon") + ") is now ";
        for (std::size_t b = 0; b < became.size(); ++b)
            line += (b ? ", " : "") + Named(became[b].first) + " (" +
                    std::to_string(became[b].second) + ")";
        lines.push_back(line);
    }
    return lines;
}
