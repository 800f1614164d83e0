#include "host/scene/name_lookup.h"

#include <algorithm>

#include "host/scene/quoted_list.h"

namespace {

// " (sets: "Base", "Walls")", or " (no polygon sets)" when there are none.
std::string Listed(const std::vector<std::string> &names, const std::string &label,
                   const std::string &kind) {
    return names.empty() ? " (no " + kind + ")" : " (" + label + ": " + QuotedList(names) + ")";
}

std::optional<std::size_t> IndexOf(const std::vector<std::string> &names, const std::string &name) {
    auto found = std::find(names.begin(), names.end(), name);
    if (found == names.end()) return std::nullopt;
    return static_cast<std::size_t>(found - names.begin());
}

}  // namespace

std::size_t SurfaceIndex(const std::vector<std::string> &surfaces, const std::string &asked,
                         const std::string &object) {
    if (std::optional<std::size_t> index = IndexOf(surfaces, asked)) return *index;
    throw UnknownName("no surface named " + QuotedName(asked) + " in " + object +
                      Listed(surfaces, "surfaces", "surfaces"));
}

std::string NoPolygonSet(const std::string &asked, const std::vector<std::string> &sets,
                         const SetPlace &place) {
    return "no polygon set " + asked +
           (place.surface ? " on surface " + QuotedName(*place.surface) : "") + " in " +
           place.object + Listed(sets, "sets", "polygon sets");
}

std::size_t PolygonSetIndex(const std::vector<std::string> &sets, const std::string &asked,
                            const SetPlace &place) {
    if (std::optional<std::size_t> index = IndexOf(sets, asked)) return *index;
    throw UnknownName(NoPolygonSet("named " + QuotedName(asked), sets, place));
}
