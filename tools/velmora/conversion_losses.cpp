#include "tools/velmora/conversion_losses.h"

#include <algorithm>
#include <string_view>

#include "host/formats/lightwave_object.h"
#include "host/formats/lwo3_to_lwo2.h"
#include "host/formats/lwob_losses.h"
#include "host/formats/object_reader.h"

namespace {

// The OBJ statements whose content becomes points, polygons, surfaces, the UV map and the normal
// map, and those parts come from by default.
constexpr std::string_view kCarried[] = {"v", "vt", "vn", "f", "l", "p", "usemtl"};
constexpr std::string_view kGroups[] = {"g", "o"};

struct Lost {
    std::string_view keyword, what;
};
constexpr Lost kDescribed[] = {
    {"vp", "parameter-space vertices"},
    {"s", "smoothing groups"},
    {"g", "groups (the polygon sets were made of something else)"},
    {"o", "object names (the polygon sets were made of something else)"},
    {"mtllib", "material libraries (surfaces keep only the materials' names)"},
};

std::string Describe(std::string_view keyword, int count) {
    auto known = std::find_if(std::begin(kDescribed), std::end(kDescribed),
                              [&](const Lost &lost) { return lost.keyword == keyword; });
    std::string what = known != std::end(kDescribed) ? std::string(known->what) : "other content";
    return what + ": " + std::to_string(count) + " " + std::string(keyword) +
           (count == 1 ? " statement" : " statements");
}

bool Carried(std::string_view keyword, std::optional<PolygonSetSource> setsFrom) {
    if (std::find(std::begin(kCarried), std::end(kCarried), keyword) != std::end(kCarried))
        return true;
    if (!setsFrom || setsFrom == PolygonSetSource::groups)
        return std::find(std::begin(kGroups), std::end(kGroups), keyword) != std::end(kGroups);
    return setsFrom == PolygonSetSource::smoothingGroups && keyword == "s";
}

std::vector<std::string> ObjLosses(std::string_view text,
                                   std::optional<PolygonSetSource> setsFrom) {
    std::vector<std::pair<std::string, int>> counts;  // in order of first use
    std::size_t position = 0;
    while (position < text.size()) {
        std::size_t end = std::min(text.find_first_of("\r\n", position), text.size());
        std::string_view line = text.substr(position, end - position);
        position = end + 1;
        std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string_view::npos || line[start] == '#') continue;
        std::string_view keyword = line.substr(start, line.find_first_of(" \t", start) - start);
        if (Carried(keyword, setsFrom)) continue;
        auto found = std::find_if(counts.begin(), counts.end(),
                                  [&](const auto &count) { return count.first == keyword; });
        if (found == counts.end()) found = counts.insert(counts.end(), {std::string(keyword), 0});
        ++found->second;
    }
    std::vector<std::string> losses;
    for (const auto &[keyword, count] : counts) losses.push_back(Describe(keyword, count));
    return losses;
}

}  // namespace

std::vector<std::string> ConversionLosses(const std::string &path,
                                          std::span<const std::uint8_t> bytes,
                                          std::optional<PolygonSetSource> setsFrom) {
    if (ReadsAsObj(path))
        return ObjLosses({reinterpret_cast<const char *>(bytes.data()), bytes.size()}, setsFrom);
    std::string form = IffFormType(bytes);
    if (form == "LWOB") return LwobLosses(bytes, path);
    if (form == "LWO3") return ConvertLwo3ToLwo2(bytes, path).losses;
    return {};
}
