#include "host/formats/glb_writer.h"

#include <tiny_gltf.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <limits>
#include <streambuf>
#include <system_error>

#include "host/formats/mesh_frame.h"
#include "host/scene/polygon_sets.h"
#include "host/scene/utf8_text.h"

namespace {

using Float2 = std::array<float, 2>;
using Float3 = std::array<float, 3>;

// glTF's frame is right-handed.
Float3 InGltfFrame(const geometry::Vec3 &v) {
    geometry::Vec3 framed = InFrame(MeshFrame::rightHanded, v);
    return {static_cast<float>(framed.x), static_cast<float>(framed.y),
            static_cast<float>(framed.z)};
}

// One corner as a glTF vertex sees it.
struct Vertex {
    Float3 position, normal, hostNormal;
    Float2 textureCoordinate;
    float set;
    bool operator==(const Vertex &) const = default;
};

// A surface's vertices and triangles, attribute by attribute as glTF lays them out.
struct PrimitiveData {
    std::vector<Float3> positions, normals, hostNormals;
    std::vector<Float2> textureCoordinates;
    std::vector<float> sets;
    std::vector<std::uint32_t> indices;
    bool textured = false;

    Vertex operator[](std::uint32_t v) const {
        return {positions[v], normals[v], hostNormals.empty() ? Float3{} : hostNormals[v],
                textureCoordinates[v], sets[v]};
    }
    std::uint32_t add(const Vertex &vertex, bool withHostNormal) {
        positions.push_back(vertex.position);
        normals.push_back(vertex.normal);
        if (withHostNormal) hostNormals.push_back(vertex.hostNormal);
        textureCoordinates.push_back(vertex.textureCoordinate);
        sets.push_back(vertex.set);
        return static_cast<std::uint32_t>(positions.size() - 1);
    }
};

// The vertices made so far at each point, over all primitives, as chains: most points have
// one or a few, so a walk along the chain is cheaper than hashing every corner.
class VertexChains {
  public:
    explicit VertexChains(std::size_t points) : first(points, -1) {}

    std::uint32_t vertexOf(int point, int primitive, const Vertex &vertex,
                           std::vector<PrimitiveData> &primitives, bool withHostNormal) {
        PrimitiveData &data = primitives[std::size_t(primitive)];
        int &head = first[std::size_t(point)];
        for (int link = head; link >= 0; link = links[std::size_t(link)].next) {
            const Link &at = links[std::size_t(link)];
            if (at.primitive == primitive && data[at.vertex] == vertex) return at.vertex;
        }
        std::uint32_t made = data.add(vertex, withHostNormal);
        links.push_back({primitive, made, head});
        head = static_cast<int>(links.size() - 1);
        return made;
    }

  private:
    struct Link {
        int primitive;
        std::uint32_t vertex;
        int next;
    };
    std::vector<int> first;  // per point, its latest link, or -1
    std::vector<Link> links;
};

// A triangle two of whose corners lie at one position, as where a polygon repeats a point, covers
// nothing: importers drop it.
bool Collapsed(const PrimitiveData &data, std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    const auto &at = data.positions;
    return at[a] == at[b] || at[b] == at[c] || at[c] == at[a];
}

// Gathers the primitives, polygon by polygon as the blocks come.
class PrimitiveBuilder {
  public:
    PrimitiveBuilder(const ObjectFile &object, const GlbOptions &options)
        : object(object),
          options(options),
          sets(CollectPolygonSets(object.mesh)),
          chains(object.mesh.points.size()),
          primitives(object.surfaces.size() + 1) {}

    void addBlock(const CornerBlock &block) {
        std::size_t corner = 0;
        for (std::size_t p = block.firstPolygon; p < block.endPolygon; ++p) {
            addPolygon(p, block, corner);
            corner += object.mesh.polygons[p].points.size();
        }
    }

    // The primitive of each surface, in the order of the object's surfaces; then the one of
    // polygons without a surface.
    const std::vector<PrimitiveData> &result() const { return primitives; }
    const std::vector<std::string> &setNames() const { return sets.names; }

  private:
    void addPolygon(std::size_t p, const CornerBlock &block, std::size_t firstCorner) {
        const MeshPolygon &polygon = object.mesh.polygons[p];
        std::size_t n = polygon.points.size();
        if (n < 3) return;
        int primitive = primitiveOf(polygon);
        PrimitiveData &data = primitives[std::size_t(primitive)];
        data.textured = data.textured || !polygon.textureCorners.empty();
        corners.clear();
        for (std::size_t c = 0; c < n; ++c) {
            Vertex vertex = vertexAt(polygon, c, block, firstCorner + c, sets.setOf[p]);
            corners.push_back(chains.vertexOf(polygon.points[c], primitive, vertex, primitives,
                                              options.hostNormals));
        }
        // The host's fans, each turned around for the right-handed frame.
        for (std::size_t k = 0; k + 2 < n; ++k)
            if (!Collapsed(data, corners[0], corners[k + 2], corners[k + 1]))
                data.indices.insert(data.indices.end(),
                                    {corners[0], corners[k + 2], corners[k + 1]});
    }

    Vertex vertexAt(const MeshPolygon &polygon, std::size_t c, const CornerBlock &block,
                    std::size_t corner, int set) const {
        const auto &point = object.mesh.points[std::size_t(polygon.points[c])];
        Vertex vertex{};
        vertex.position = InGltfFrame({point[0], point[1], point[2]});
        vertex.normal = InGltfFrame(block.normals[corner]);
        if (options.hostNormals) vertex.hostNormal = InGltfFrame(block.hostNormals[corner]);
        if (!polygon.textureCorners.empty()) {
            const auto &uv = object.mesh.textureCoordinates[std::size_t(polygon.textureCorners[c])];
            vertex.textureCoordinate = {uv[0], 1 - uv[1]};
        }
        vertex.set = static_cast<float>(set);
        return vertex;
    }

    // Runs of polygons share a surface, and tags of one surface usually one text: the last
    // answer is kept.
    int primitiveOf(const MeshPolygon &polygon) {
        if (lastSurface && polygon.surface == *lastSurface) return lastPrimitive;
        const auto &surfaces = object.surfaces;
        auto found = polygon.surface ? std::find(surfaces.begin(), surfaces.end(), *polygon.surface)
                                     : surfaces.end();
        lastSurface = &polygon.surface;
        lastPrimitive = static_cast<int>(found - surfaces.begin());
        return lastPrimitive;
    }

    const ObjectFile &object;
    const GlbOptions &options;
    const PolygonSets sets;
    VertexChains chains;
    std::vector<PrimitiveData> primitives;
    std::vector<std::uint32_t> corners;  // the polygon's vertices
    const PolygonTag *lastSurface = nullptr;
    int lastPrimitive = 0;
};

// Appends `values` to the model's one buffer in a view of their own, and an accessor to them.
template <typename T>
int AddAccessor(tinygltf::Model &model, const std::vector<T> &values, int componentType, int type,
                int target) {
    std::vector<unsigned char> &bytes = model.buffers[0].data;
    tinygltf::BufferView view;
    view.buffer = 0;
    view.byteOffset = bytes.size();
    view.byteLength = values.size() * sizeof(T);
    view.target = target;
    const auto *begin = reinterpret_cast<const unsigned char *>(values.data());
    bytes.insert(bytes.end(), begin, begin + view.byteLength);
    model.bufferViews.push_back(view);

    tinygltf::Accessor accessor;
    accessor.bufferView = static_cast<int>(model.bufferViews.size() - 1);
    accessor.componentType = componentType;
    accessor.type = type;
    accessor.count = values.size();
    model.accessors.push_back(accessor);
    return static_cast<int>(model.accessors.size() - 1);
}

int AddVectors(tinygltf::Model &model, const std::vector<Float3> &values) {
    return AddAccessor(model, values, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC3,
                       TINYGLTF_TARGET_ARRAY_BUFFER);
}

// glTF asks for the positions' bounds.
int AddPositions(tinygltf::Model &model, const std::vector<Float3> &positions) {
    int accessor = AddVectors(model, positions);
    std::vector<double> low(3, std::numeric_limits<float>::max());
    std::vector<double> high(3, std::numeric_limits<float>::lowest());
    for (const Float3 &position : positions)
        for (int axis = 0; axis < 3; ++axis) {
            low[axis] = std::min<double>(low[axis], position[axis]);
            high[axis] = std::max<double>(high[axis], position[axis]);
        }
    model.accessors[std::size_t(accessor)].minValues = low;
    model.accessors[std::size_t(accessor)].maxValues = high;
    return accessor;
}

tinygltf::Value SetNames(const std::vector<std::string> &names) {
    tinygltf::Value::Array list;
    for (const std::string &name : names) list.emplace_back(Utf8Text(name));
    tinygltf::Value::Object extras;
    extras["sets"] = tinygltf::Value(std::move(list));
    return tinygltf::Value(std::move(extras));
}

tinygltf::Primitive MakePrimitive(tinygltf::Model &model, const PrimitiveData &data,
                                  const std::vector<std::string> &setNames) {
    tinygltf::Primitive primitive;
    primitive.mode = TINYGLTF_MODE_TRIANGLES;
    primitive.attributes["POSITION"] = AddPositions(model, data.positions);
    primitive.attributes["NORMAL"] = AddVectors(model, data.normals);
    if (data.textured)
        primitive.attributes["TEXCOORD_0"] =
            AddAccessor(model, data.textureCoordinates, TINYGLTF_COMPONENT_TYPE_FLOAT,
                        TINYGLTF_TYPE_VEC2, TINYGLTF_TARGET_ARRAY_BUFFER);
    primitive.attributes["_SET"] = AddAccessor(model, data.sets, TINYGLTF_COMPONENT_TYPE_FLOAT,
                                               TINYGLTF_TYPE_SCALAR, TINYGLTF_TARGET_ARRAY_BUFFER);
    if (!data.hostNormals.empty())
        primitive.attributes["_NORMAL_HOST"] = AddVectors(model, data.hostNormals);
    primitive.indices = AddAccessor(model, data.indices, TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT,
                                    TINYGLTF_TYPE_SCALAR, TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
    primitive.extras = SetNames(setNames);
    return primitive;
}

// glTF's base colour lies within 0 and 1; LightWave's may go beyond.
tinygltf::Material MakeMaterial(const ObjectFile &object, const std::string &surface) {
    tinygltf::Material material;
    material.name = Utf8Text(surface);
    auto look = object.looks.find(surface);
    if (look != object.looks.end() && look->second.colour) {
        std::vector<double> &factor = material.pbrMetallicRoughness.baseColorFactor;
        for (int channel = 0; channel < 3; ++channel)
            factor[std::size_t(channel)] =
                std::clamp<double>((*look->second.colour)[channel], 0, 1);
    }
    return material;
}

tinygltf::Model MakeModel(const ObjectFile &object, const PrimitiveBuilder &built) {
    tinygltf::Model model;
    model.asset.version = "2.0";
    model.asset.generator = "velmora";
    model.buffers.emplace_back();
    tinygltf::Mesh mesh;
    mesh.name = Utf8Text(ObjectName(object));
    const std::vector<PrimitiveData> &primitives = built.result();
    for (std::size_t s = 0; s < primitives.size(); ++s) {
        if (primitives[s].indices.empty()) continue;
        tinygltf::Primitive primitive = MakePrimitive(model, primitives[s], built.setNames());
        if (s < object.surfaces.size()) {
            primitive.material = static_cast<int>(model.materials.size());
            model.materials.push_back(MakeMaterial(object, object.surfaces[s]));
        }
        mesh.primitives.push_back(std::move(primitive));
    }
    if (mesh.primitives.empty()) {  // nothing a renderer would draw, and no bytes to hold
        model.buffers.clear();
        return model;
    }
    model.meshes.push_back(std::move(mesh));
    tinygltf::Node node;
    node.name = Utf8Text(ObjectName(object));
    node.mesh = 0;
    model.nodes.push_back(node);
    tinygltf::Scene scene;
    scene.nodes = {0};
    model.scenes.push_back(scene);
    model.defaultScene = 0;
    return model;
}

// Passes a stream's bytes to a C file and keeps the reason of the first failed write.
class FileStreamBuffer : public std::streambuf {
  public:
    explicit FileStreamBuffer(std::FILE *out) : out(out) {}
    int error = 0;

  protected:
    std::streamsize xsputn(const char *bytes, std::streamsize count) override {
        if (error == 0 && std::fwrite(bytes, 1, std::size_t(count), out) != std::size_t(count))
            error = errno ? errno : EIO;
        return error ? 0 : count;
    }
    int_type overflow(int_type byte) override {
        if (traits_type::eq_int_type(byte, traits_type::eof())) return traits_type::not_eof(byte);
        char c = traits_type::to_char_type(byte);
        return xsputn(&c, 1) == 1 ? byte : traits_type::eof();
    }

  private:
    std::FILE *out;
};

}  // namespace

void WriteGlb(std::FILE *out, const ObjectFile &object, const NextCornerBlock &next,
              const GlbOptions &options) {
    PrimitiveBuilder builder(object, options);
    while (const CornerBlock *block = next()) builder.addBlock(*block);
    tinygltf::Model model = MakeModel(object, builder);

    FileStreamBuffer buffer(out);
    std::ostream stream(&buffer);
    tinygltf::TinyGLTF gltf;
    errno = 0;
    bool written = gltf.WriteGltfSceneToStream(&model, stream, false, true);
    if (buffer.error != 0) throw std::system_error(buffer.error, std::generic_category());
    if (!written) throw std::system_error(EIO, std::generic_category());
}
