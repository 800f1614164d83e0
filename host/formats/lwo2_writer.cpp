#include "host/formats/lwo2_writer.h"

#include <algorithm>
#include <map>

#include "host/formats/file_bytes.h"
#include "host/formats/format_error.h"
#include "host/formats/iff_writer.h"
#include "host/formats/lwo2_corner_map.h"
#include "host/formats/lwo2_ids.h"
#include "host/formats/lwo2_shader_block.h"
#include "host/formats/lwo_surface_look.h"

namespace {

constexpr std::size_t kMaxSubChunk = 0xFFFF;
constexpr std::size_t kMaxIndex = 0xFFFFFF;  // the largest a VX index holds
constexpr std::size_t kMaxCorners = 0x3FF;   // the count field of a polygon

// Every surface and part name once, surfaces first; PTAG chunks refer to them by position.
class TagTable {
  public:
    std::uint16_t indexOf(const std::string &name) const { return index.at(name); }
    void add(const std::string &name) {
        if (index.emplace(name, std::uint16_t(names.size())).second) names.push_back(name);
    }
    const std::vector<std::string> &all() const { return names; }

  private:
    std::vector<std::string> names;
    std::map<std::string, std::uint16_t> index;
};

[[noreturn]] void Refuse(const std::string &filename, const std::string &problem) {
    throw FormatError(filename + ": " + problem);
}

void CheckName(const std::string &filename, const std::string &name, const char *what) {
    if (name.find('\0') != std::string::npos)
        Refuse(filename, std::string(what) + " \"" + name.c_str() + "...\" holds a NUL byte");
}

// Every index of polygon `p` in `indices` must name one of `count` items.
void CheckIndices(const std::vector<int> &indices, std::size_t count, std::size_t p,
                  const char *what, const char *items, const std::string &filename) {
    for (int index : indices)
        if (index < 0 || std::size_t(index) >= count)
            Refuse(filename, "polygon " + std::to_string(p) + ": " + what + " index " +
                                 std::to_string(index) + " out of range (" + std::to_string(count) +
                                 " " + items + ")");
}

// A polygon's corners of a map: none, or one per point, each an index into the map's values.
struct MapWords {
    const char *map, *value, *values;  // "texture", "texture coordinate", "coordinates"
};

void CheckCorners(const std::vector<int> &corners, std::size_t values, const MeshPolygon &polygon,
                  std::size_t p, MapWords words, const std::string &filename) {
    if (!corners.empty() && corners.size() != polygon.points.size())
        Refuse(filename, "polygon " + std::to_string(p) + " has " + std::to_string(corners.size()) +
                             " " + words.map + " corners for its " +
                             std::to_string(polygon.points.size()) + " points");
    CheckIndices(corners, values, p, words.value, words.values, filename);
}

void CheckMesh(const ObjectFile &object, const std::string &filename) {
    const MeshData &mesh = object.mesh;
    if (mesh.points.size() > kMaxIndex + 1 || mesh.polygons.size() > kMaxIndex + 1)
        Refuse(filename, std::to_string(mesh.points.size()) + " points and " +
                             std::to_string(mesh.polygons.size()) +
                             " polygons: the format holds at most 16777216 of each");
    for (std::size_t p = 0; p < mesh.polygons.size(); ++p) {
        const MeshPolygon &polygon = mesh.polygons[p];
        if (polygon.points.size() > kMaxCorners)
            Refuse(filename, "polygon " + std::to_string(p) + " has " +
                                 std::to_string(polygon.points.size()) +
                                 " points, the format holds at most 1023");
        CheckIndices(polygon.points, mesh.points.size(), p, "point", "points", filename);
        CheckCorners(polygon.textureCorners, mesh.textureCoordinates.size(), polygon, p,
                     {"texture", "texture coordinate", "coordinates"}, filename);
        CheckCorners(polygon.normalCorners, mesh.normals.size(), polygon, p,
                     {"normal", "normal", "normals"}, filename);
    }
}

// The bytes of a BLOK sub-chunk holding `shader`, checked against the 2-byte size field.
void CheckShaderBlock(const ShaderBlock &shader, const std::string &filename) {
    CheckName(filename, shader.ordinal, "shader ordinal");
    CheckName(filename, shader.server, "shader server name");
    std::size_t block = ShaderBlockChunksSize(shader.ordinal, shader.server, shader.data.size());
    if (block > kMaxSubChunk)
        Refuse(filename, "surface \"" + shader.surface + "\": shader block " + shader.server +
                             " with " + std::to_string(shader.data.size()) +
                             " data bytes needs a sub-chunk of " + std::to_string(block) +
                             " bytes, more than the 65535 one holds");
}

TagTable MakeTags(const ObjectFile &object, const std::string &filename) {
    TagTable tags;
    for (const std::string &surface : object.surfaces) tags.add(surface);
    for (const MeshPolygon &polygon : object.mesh.polygons)
        if (polygon.surface) tags.add(*polygon.surface);
    for (const MeshPolygon &polygon : object.mesh.polygons)
        if (polygon.part) tags.add(*polygon.part);
    if (tags.all().size() > 0x10000)
        Refuse(filename, std::to_string(tags.all().size()) +
                             " surface and part names: the format holds at most 65536");
    for (const std::string &name : tags.all()) CheckName(filename, name, "tag");
    return tags;
}

void WritePolygonTags(IffWriter &out, const TagTable &tags, std::span<const MeshPolygon> run,
                      LWID type) {
    auto tagOf = [type](const MeshPolygon &p) { return type == kSurfId ? p.surface : p.part; };
    if (std::none_of(run.begin(), run.end(), [&](const MeshPolygon &p) { return !!tagOf(p); }))
        return;
    out.beginChunk(kPtagId);
    out.id4(type);
    for (std::size_t i = 0; i < run.size(); ++i) {
        if (auto tag = tagOf(run[i])) {
            out.vx(std::uint32_t(i));
            out.u2(tags.indexOf(*tag));
        }
    }
    out.end();
}

// Each run of polygons of one type goes into its own POLS chunk, followed by its tags: tag
// chunks refer to the polygons of the POLS chunk before them.
void WritePolygons(IffWriter &out, const TagTable &tags, const Lwo2CornerMap<2> &textures,
                   const Lwo2CornerMap<3> &normals, const std::vector<MeshPolygon> &all) {
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t end = start;
        while (end < all.size() && all[end].type == all[start].type) ++end;
        std::span<const MeshPolygon> run(all.data() + start, end - start);
        out.beginChunk(kPolsId);
        out.id4(all[start].type);
        for (const MeshPolygon &polygon : run) {
            out.u2(std::uint16_t(polygon.points.size()));
            for (int point : polygon.points) out.vx(std::uint32_t(point));
        }
        out.end();
        WritePolygonTags(out, tags, run, kSurfId);
        WritePolygonTags(out, tags, run, kPartId);
        textures.writeCornerMap(out, start, run.size());
        normals.writeCornerMap(out, start, run.size());
        start = end;
    }
}

void WriteSurface(IffWriter &out, const std::string &surface, const ObjectFile &object) {
    out.beginChunk(kSurfId);
    out.s0(surface);
    out.s0("");
    if (auto smoothing = object.smoothing.find(surface); smoothing != object.smoothing.end()) {
        out.beginSubChunk(kSmanId);
        out.f4(smoothing->second);
        out.end();
    }
    if (auto look = object.looks.find(surface); look != object.looks.end())
        WriteSurfaceLook(out, look->second);
    for (const ShaderBlock &shader : object.shaders) {
        if (shader.surface != surface) continue;
        out.beginSubChunk(kBlokId);
        WriteShaderBlockChunks(out, shader.ordinal, shader.enabled, shader.server, shader.data);
        out.end();
    }
    out.end();
}

void CheckSurfaces(const ObjectFile &object, const std::string &filename) {
    auto listed = [&](const std::string &surface) {
        return std::find(object.surfaces.begin(), object.surfaces.end(), surface) !=
               object.surfaces.end();
    };
    for (auto surface = object.surfaces.begin(); surface != object.surfaces.end(); ++surface)
        if (std::find(object.surfaces.begin(), surface, *surface) != surface)
            Refuse(filename, "surface \"" + *surface + "\" is listed twice");
    for (const auto &[surface, angle] : object.smoothing)
        if (!listed(surface))
            Refuse(filename,
                   "smoothing of surface \"" + surface + "\", which the object does not have");
    for (const auto &[surface, look] : object.looks)
        if (!listed(surface))
            Refuse(filename, "look of surface \"" + surface + "\", which the object does not have");
    for (const ShaderBlock &shader : object.shaders) {
        if (!listed(shader.surface))
            Refuse(filename, "shader block " + shader.server + " belongs to surface \"" +
                                 shader.surface + "\", which the object does not have");
        CheckShaderBlock(shader, filename);
    }
}

}  // namespace

void WriteLayerWithPoints(IffWriter &out, const MeshData &mesh) {
    out.beginChunk(kLayrId);
    out.u2(0);                                          // layer number
    out.u2(0);                                          // flags
    for (int axis = 0; axis < 3; ++axis) out.f4(0.0f);  // pivot
    out.s0("");
    out.end();
    out.beginChunk(kPntsId);
    for (const auto &point : mesh.points)
        for (float coordinate : point) out.f4(coordinate);
    out.end();
}

std::vector<std::uint8_t> EncodeLwo2(const ObjectFile &object, const std::string &filename) {
    CheckMesh(object, filename);
    CheckSurfaces(object, filename);
    TagTable tags = MakeTags(object, filename);

    IffWriter out;
    out.beginChunk(kFormId);
    out.id4(kLwo2Id);
    out.beginChunk(kTagsId);
    for (const std::string &name : tags.all()) out.s0(name);
    out.end();
    WriteLayerWithPoints(out, object.mesh);
    Lwo2CornerMap<2> textures(object.mesh, kTextureMap);
    Lwo2CornerMap<3> normals(object.mesh, kNormalMap);
    textures.writePointMap(out);
    normals.writePointMap(out);
    WritePolygons(out, tags, textures, normals, object.mesh.polygons);
    for (const std::string &surface : object.surfaces) WriteSurface(out, surface, object);
    out.end();
    return out.take();
}

void WriteLwo2(const ObjectFile &object, const std::string &path) {
    WriteFileAtomically(path, EncodeLwo2(object, path));
}
