// Reads one line-aligned chunk of OBJ text. A file is read as consecutive chunks in two passes
// that can each run on all chunks at once: the first counts what each chunk defines and how it
// leaves the group, material and smoothing state; from these, every chunk learns what the text
// before it defined and set, and the second pass reads it completely, relative indices included.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/formats/obj_reader.h"
#include "host/formats/tag_text_budget.h"
#include "host/scene/scene.h"

// What the statements so far set for the polygons after them. The names are shared: every chunk
// after a statement starts with its name, which may be as long as the file.
using ObjName = std::shared_ptr<const std::string>;
// The next line of `text` from `position`, ended by "\n", "\r" or "\r\n"; `position` moves
// past its end.
std::string_view NextLine(std::string_view text, std::size_t &position);

struct ObjTags {
    ObjName part;     // from the latest `g` or `o`; none without a name
    ObjName surface;  // from the latest `usemtl`; none means kObjDefaultSurface
    std::uint32_t smoothingGroup = 0;
};

// What a chunk defines, and the tags it leaves changed, for the chunks after it.
struct ObjChunkSummary {
    std::size_t lines = 0;
    std::size_t points = 0, textureCoordinates = 0, normals = 0;
    std::size_t faces = 0;  // `f` statements, to make room for them at once
    std::optional<ObjName> part, surface;
    std::optional<std::uint32_t> smoothingGroup;
};

// A statement the second pass will refuse may count or set anything here: the file fails there.
ObjChunkSummary SummarizeObjChunk(std::string_view chunk);

// Where a chunk starts: its place in the file, what the text before it defined and left set.
struct ObjChunkStart {
    std::size_t byte = 0, line = 1;
    std::size_t points = 0, textureCoordinates = 0, normals = 0;
    ObjTags tags;
    // The start of the chunk that follows a chunk of this start and `summary`.
    ObjChunkStart after(std::string_view chunk, const ObjChunkSummary &summary) const;
};

struct ObjProblem {
    std::size_t line = 0, byte = 0;  // the line and the byte it starts at
    std::size_t column = 0;          // 1-based; 0 when the statement as a whole is at fault
    std::string text;
};

struct ObjChunk {
    std::vector<MeshPolygon> faces;     // faces and points (`f`, `p`) in file order
    std::vector<MeshPolygon> segments;  // the two-point polygons of lines (`l`) in file order
    std::optional<ObjProblem> problem;  // the first one; reading stopped at its line
};

// Where a chunk's points, texture coordinates and normals go: each holds exactly as many as the
// chunk's summary counted.
struct ObjChunkOutput {
    std::span<std::array<float, 3>> points;
    std::span<std::array<float, 2>> textureCoordinates;
    std::span<std::array<float, 3>> normals;
};

// Reads the chunk's points, texture coordinates and normals into `output` and returns its
// polygons. Each polygon's copies of its surface and part names are taken from `budget`.
ObjChunk ReadObjChunk(std::string_view chunk, const ObjChunkStart &start,
                      const ObjChunkSummary &summary, const ObjChunkOutput &output,
                      TagTextBudget &budget);
