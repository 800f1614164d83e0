// The one way to find a surface or a polygon set by name. A name that is not there throws one
// error whose message says what was asked, where, and what there is, so that the commands, the
// settings and the view all say it alike; a caller adds only its own prefix or status.
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

struct UnknownName : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Where polygon sets are looked for: the whole object, or one of its surfaces.
struct SetPlace {
    std::string object;
    std::optional<std::string> surface = std::nullopt;
};

// The index of `asked` among `surfaces`, those of `object`; else throws UnknownName:
// no surface named "Glass" in knob.lwo (surfaces: "Default", "Other")
std::size_t SurfaceIndex(const std::vector<std::string> &surfaces, const std::string &asked,
                         const std::string &object);

// The index of `asked` among `sets`, those at `place`; else throws UnknownName:
// no polygon set named "Handle" on surface "Steel" in knob.lwo (sets: "Base", "Walls")
std::size_t PolygonSetIndex(const std::vector<std::string> &sets, const std::string &asked,
                            const SetPlace &place);

// That message for what `asked` says was looked for (`named "Handle"`, `matches "Ha*"`), for a
// request that reaches no set without a single name to look up.
std::string NoPolygonSet(const std::string &asked, const std::vector<std::string> &sets,
                         const SetPlace &place);
