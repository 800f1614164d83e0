// The stand-in host's scene: object items in order, each showing the mesh of an object file.
// Plain data; the services in host/services serve it to a module through the host interface.
//
// Identifiers handed to a module are addresses in this data: an LWItemID is the ObjectItem's
// address, an LWPolID a MeshPolygon's, an LWPntID the address of the point's position in
// MeshData::points. A scene is therefore built completely before it is served and is not
// reshaped while a module may hold its identifiers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "host/scene/polygon_tag.h"
#include "hostapi/lwtypes.h"

struct MeshPolygon {
    std::vector<int> points;  // indices into MeshData::points, in corner order; may repeat
    LWID type = LWID_('F', 'A', 'C', 'E');
    PolygonTag surface;  // SURF tag; absent means the polygon has none
    PolygonTag part;     // PART tag: the polygon set
    // The OBJ smoothing group (`s N`) the polygon was read in; 0 means none. It becomes a polygon
    // set only when asked for, so it is kept apart from `part`.
    std::uint32_t smoothingGroup = 0;
    // Per corner, an index into MeshData::textureCoordinates; empty when the polygon has none.
    std::vector<int> textureCorners = {};
    // Per corner, an index into MeshData::normals; empty when the file gives the polygon none.
    std::vector<int> normalCorners = {};
    bool operator==(const MeshPolygon &) const = default;
};

// The corner after `corner` in a polygon of `corners` corners, the last followed by the first: a
// compare where a remainder would cost a division at every edge walked.
inline std::size_t NextCorner(std::size_t corner, std::size_t corners) {
    return corner + 1 == corners ? 0 : corner + 1;
}

struct MeshData {
    std::vector<std::array<float, 3>> points;
    std::vector<MeshPolygon> polygons;
    std::vector<std::array<float, 2>> textureCoordinates = {};  // u, v, as OBJ `vt` gives them
    // Normals authored in another package (OBJ `vn`), as the file gives them: not necessarily
    // of unit length, nor even finite.
    std::vector<std::array<float, 3>> normals = {};
    bool operator==(const MeshData &) const = default;
};

// The corners of all polygons: one per entry of a polygon's `points`.
inline std::size_t CornerCount(const MeshData &mesh) {
    std::size_t corners = 0;
    for (const MeshPolygon &polygon : mesh.polygons) corners += polygon.points.size();
    return corners;
}

// A shader attached to a surface, as an object file stores it: a SHDR block of the surface.
struct ShaderBlock {
    std::string surface;  // the surface it belongs to
    std::string ordinal;  // orders the surface's blocks, compared as bytes
    bool enabled = true;
    std::string server;              // the handler's server name, e.g. "KV_Velmora"
    std::vector<std::uint8_t> data;  // the handler's own data, as its save callback wrote it
    bool operator==(const ShaderBlock &) const = default;
};

// How a surface looks beyond its smoothing and shaders, in the units LWO2 stores: fractions from
// 0 to 1, and glossiness as LWO2 gives it (a highlight's power is 2^(10 g + 2)). What a file
// does not give stays absent, and the host uses its default for it.
struct SurfaceLook {
    std::optional<std::array<float, 3>> colour;  // red, green, blue
    std::optional<float> luminosity, diffuse, specular, glossiness, reflection, transparency;
    std::optional<std::uint16_t> sides;  // 1: front only; 3: both sides
    bool operator==(const SurfaceLook &) const = default;
};

// The maximum smoothing angle a host gives a surface that it smooths without being told one:
// 89.5 degrees, so that polygons at right angles keep their edge. Files store it in radians.
constexpr double kDefaultSmoothingDegrees = 89.5;
constexpr float kDefaultSmoothingRadians =
    static_cast<float>(kDefaultSmoothingDegrees * std::numbers::pi / 180);

// One object file as loaded: its mesh, its surfaces in file order, their smoothing and shaders.
struct ObjectFile {
    std::string filename;
    MeshData mesh;
    std::vector<std::string> surfaces;
    // The host smooths a surface listed here between its polygons that meet at less than the
    // angle (radians, as the file stores it); the others it shades flat.
    std::map<std::string, float> smoothing;
    std::vector<ShaderBlock> shaders;          // in file order, surface by surface
    std::map<std::string, SurfaceLook> looks;  // of the surfaces whose file gives one
    bool operator==(const ObjectFile &) const = default;
};

// The object's name as outputs carry it: its file's name without the folders, which are the
// user's private business, not the object's.
inline std::string ObjectName(const ObjectFile &object) {
    return std::filesystem::path(object.filename).filename().string();
}

// An object item of the scene. Clones are several items sharing one ObjectFile.
struct ObjectItem {
    std::string name;
    std::shared_ptr<ObjectFile> file;
};

struct Scene {
    std::vector<ObjectItem> items;
};
