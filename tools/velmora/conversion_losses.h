// What an LWO2 object converted from another format does not carry of it, so that the user is
// told. An OBJ object keeps its points, polygons, texture coordinates, surface and part names; an
// LWOB object also its surfaces' smoothing and look (lwob_losses.h); an LWO3 object all that
// LWO2 has an equal of (lwo3_to_lwo2.h).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "host/scene/polygon_set_sources.h"

// One line per kind of content lost, with its count where it has one; empty when nothing is. An
// OBJ file (by its extension) is read for the statements the conversion drops; a LightWave
// object for the chunks, forms and surface attributes it drops. The polygon sets come from
// `setsFrom` when given, from the OBJ groups when not, and only the statements they come from are
// carried as parts.
std::vector<std::string> ConversionLosses(const std::string &path,
                                          std::span<const std::uint8_t> bytes,
                                          std::optional<PolygonSetSource> setsFrom = std::nullopt);
