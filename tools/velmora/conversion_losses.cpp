#include "tools/velmora/conversion_losses.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

namespace {

// The OBJ statements whose content becomes points, polygons, parts, surfaces and the UV map.
constexpr std::string_view kCarried[] = {"v", "vt", "f", "l", "p", "g", "o", "usemtl"};

struct Lost {
    std::string_view keyword, what;
};
constexpr Lost kDescribed[] = {
    {"vn", "normals"},
    {"vp", "parameter-space vertices"},
    {"s", "smoothing groups"},
    {"mtllib", "material libraries (surfaces keep only the materials' names)"},
};

std::string Describe(std::string_view keyword, int count) {
    auto known = std::find_if(std::begin(kDescribed), std::end(kDescribed),
                              [&](const Lost &lost) { return lost.keyword == keyword; });
    std::string what = known != std::end(kDescribed) ? std::string(known->what) : "other content";
    return what + ": " + std::to_string(count) + " " + std::string(keyword) +
           (count == 1 ? " statement" : " statements");
}

std::vector<std::string> ObjLosses(std::string_view text) {
    std::vector<std::pair<std::string, int>> counts;  // in order of first use
    std::size_t position = 0;
    while (position < text.size()) {
        std::size_t end = std::min(text.find_first_of("\r\n", position), text.size());
        std::string_view line = text.substr(position, end - position);
        position = end + 1;
        std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string_view::npos || line[start] == '#') continue;
        std::string_view keyword = line.substr(start, line.find_first_of(" \t", start) - start);
        if (std::find(std::begin(kCarried), std::end(kCarried), keyword) != std::end(kCarried))
            continue;
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
                                          std::span<const std::uint8_t> bytes) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    if (extension == ".obj")
        return ObjLosses({reinterpret_cast<const char *>(bytes.data()), bytes.size()});
    return {"all but points, polygons, surface and part names and shader blocks"};
}
