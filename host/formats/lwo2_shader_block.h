// The layout of a shader block in an LWO2 surface, in one place for the object reader, the object
// writer and the edit of shader data in a user's file:
//
//   BLOK { SHDR { ordinal (S0), sub-chunks such as ENAB (U2) }, FUNC { server (S0), data }, ... }
//
// A block whose header is not SHDR is a texture layer, of which none of these is told.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "host/formats/iff_cursor.h"
#include "host/formats/iff_writer.h"

struct ShaderBlockChunks {
    std::string ordinal;
    bool enabled = true;                 // as ENAB gives it; a block without one is enabled
    std::optional<std::string> server;   // from the last FUNC sub-chunk; absent without one
    std::span<const std::uint8_t> data;  // the rest of that FUNC: the handler's own data
};

// `header`: the body of the block's SHDR sub-chunk; `block`: the block's sub-chunks after it.
// Both are read to their end.
ShaderBlockChunks ReadShaderBlockChunks(IffCursor &header, IffCursor &block);

// A FUNC sub-chunk of `serverName` (its S0 bytes, as a file holds them) and `data`. Its size
// field is written as it comes: the caller refuses a block whose size a sub-chunk cannot hold.
void WriteShaderFunction(IffWriter &out, std::span<const std::uint8_t> serverName,
                         std::span<const std::uint8_t> data);

// The bytes WriteShaderBlockChunks writes, for a check against the BLOK's 2-byte size field.
std::size_t ShaderBlockChunksSize(const std::string &ordinal, const std::string &server,
                                  std::size_t dataSize);

// The sub-chunks of a block, inside the BLOK the caller writes: a SHDR header with `ordinal` and
// ENAB, then FUNC.
void WriteShaderBlockChunks(IffWriter &out, const std::string &ordinal, bool enabled,
                            const std::string &server, std::span<const std::uint8_t> data);
