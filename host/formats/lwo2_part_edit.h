// Replaces the polygon sets (PART polygon tags) of an LWO2 object file by editing its bytes, as
// lwo2_shader_edit.h does for shader data, so that all else a user's object holds comes back
// exactly as it was.
//
// Every PTAG chunk of type PART goes. Each POLS chunk whose polygons are given sets gets one PTAG
// PART chunk listing them: in place of its first PART chunk, or, when it had none, after the last
// PTAG chunk that follows it (after the POLS chunk itself when none does). Set names the file's
// tags lack are added at the end of its last TAGS chunk, or in a TAGS chunk of their own before
// the first POLS chunk when the file has none. The sizes of the changed chunks and of the FORM
// follow; every other byte, pad bytes and bytes after the FORM included, is copied as it was.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "host/scene/scene.h"

// `parts` gives each polygon its set, or none, in the order the object reader numbers polygons:
// POLS chunk after POLS chunk through the file. Throws FormatError naming `filename` when the
// bytes are not an LWO2 object, a chunk on the way is damaged, the file's polygons are not as
// many as `parts`, names must be added while a TAGS chunk follows polygons (the new names would
// renumber the tags after them), or the tags would outnumber the 65536 a polygon tag can name;
// nothing is returned then.
std::vector<std::uint8_t> EditPartTags(std::span<const std::uint8_t> file,
                                       const std::string &filename,
                                       const std::vector<PolygonTag> &parts);

// The PART tag of every polygon of `mesh`, in order.
std::vector<PolygonTag> PartsOf(const MeshData &mesh);
