// Stores new settings of one shader server in an LWO2 object file by editing the file's bytes,
// not by writing the scene model out again: the model holds only what the host needs to drive a
// shader, while a user's object carries layers, maps, images, envelopes and surface attributes
// that must come back exactly as they were.
//
// For each surface asked for, every block of the server in the surface's SURF chunk gets the new
// data in its FUNC sub-chunk; the block's header (ordinal, ENAB and whatever else it holds) and
// its other sub-chunks stay as they are. A SURF chunk without such a block gets a new one after
// its other sub-chunks, enabled, with an ordinal sorting after every block the surface has. A
// surface that polygons name without any SURF chunk (the host gives it default attributes) gets a
// SURF chunk of its own at the end of the file, holding only the new block. The sizes of the
// edited blocks, their SURF chunks and the FORM follow; every other byte of the file, pad bytes
// and bytes after the FORM included, is copied as it was.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "host/scene/scene.h"

struct SurfaceShaderData {
    std::string surface;
    std::vector<std::uint8_t> data;  // what the server's save callback wrote, in binary form
};

struct Lwo2ShaderEdit {
    std::vector<std::uint8_t> bytes;
    // One line per surface saying what was done to it, for the user: each block replaced or
    // added, a block that stays disabled, a SURF chunk that had to be added.
    std::vector<std::string> notes;
};

// Whether the bytes start as an LWO2 object does: the files EditShaderBlocks edits.
bool IsLwo2Object(std::span<const std::uint8_t> file);

// Throws FormatError naming `filename` when the bytes are not an LWO2 object, a chunk on the way
// is damaged, or a block would outgrow the 65535 bytes a sub-chunk holds (naming the surface
// and the sizes); nothing is returned then.
Lwo2ShaderEdit EditShaderBlocks(std::span<const std::uint8_t> file, const std::string &filename,
                                const std::string &server,
                                const std::vector<SurfaceShaderData> &edits);

// The data of `server`'s blocks in `blocks` (one per surface, as the module saved it) for the
// surfaces where it differs from what `before` stores, or where `before` has no such block.
std::vector<SurfaceShaderData> ChangedShaderData(const ObjectFile &before,
                                                 const std::vector<ShaderBlock> &blocks,
                                                 const std::string &server);
