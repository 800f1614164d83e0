// What an LWO2 object converted from another format does not carry of it. The conversion keeps
// points, polygons, surface and part names and the shader blocks; the user is told the rest.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "host/scene/polygon_set_sources.h"

// One line per kind of content lost, with its count where it has one. An OBJ file (by its
// extension) is read for the statements the conversion drops; of other formats, what is kept is
// named instead. The polygon sets come from `setsFrom` when given, from the OBJ groups when not,
// and only the statements they come from are carried as parts.
std::vector<std::string> ConversionLosses(const std::string &path,
                                          std::span<const std::uint8_t> bytes,
                                          std::optional<PolygonSetSource> setsFrom = std::nullopt);
