// What an LWOB object loses when read into the scene model and written as LWO2: the reader keeps
// the mesh, the surfaces' names, smoothing and look (lwob_reader.h), and everything else is named
// here, so that a conversion can tell the user what did not come across.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// One line for the chunks dropped, then one per surface listing what it drops: sub-chunks by
// what they hold, flags by name. Throws FormatError naming `filename` when the bytes are not a
// readable LWOB object.
std::vector<std::string> LwobLosses(std::span<const std::uint8_t> bytes,
                                    const std::string &filename);
