// Fuzzes the set proposers with meshes made from the input's bytes: points on a coarse grid
// (so that polygons meet, fold and coincide) or not finite, polygons of any size whose corners
// repeat, lines and points among them, two surfaces, and authored normals that may be zero or
// not finite. Both proposers must finish, put every polygon in a set that exists or in none,
// give the sets distinct names and propose the same twice.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <set>
#include <span>

#include "sets/normals_proposal.h"
#include "sets/shape_proposal.h"

namespace {

class ByteSource {
  public:
    explicit ByteSource(std::span<const std::uint8_t> bytes) : bytes(bytes) {}
    bool empty() const { return next == bytes.size(); }
    std::uint8_t take() { return empty() ? 0 : bytes[next++]; }
    float coordinate() {
        std::uint8_t byte = take();
        if (byte == 255) return std::numeric_limits<float>::quiet_NaN();
        if (byte == 254) return std::numeric_limits<float>::infinity();
        return static_cast<float>(byte % 16) / 4 - 2;
    }

  private:
    std::span<const std::uint8_t> bytes;
    std::size_t next = 0;
};

MeshData MeshFrom(ByteSource &source) {
    MeshData mesh;
    int points = 1 + source.take() % 64;
    for (int i = 0; i < points; ++i)
        mesh.points.push_back({source.coordinate(), source.coordinate(), source.coordinate()});
    int normals = source.take() % 16;
    for (int i = 0; i < normals; ++i)
        mesh.normals.push_back({source.coordinate(), source.coordinate(), source.coordinate()});
    const PolygonTag surfaces[] = {"A", "B"};
    while (!source.empty()) {
        std::uint8_t shape = source.take();
        MeshPolygon polygon;
        polygon.surface = surfaces[shape >> 7];
        int corners = 1 + shape % 7;
        for (int i = 0; i < corners; ++i) polygon.points.push_back(source.take() % points);
        if (normals > 0 && (shape & 0x40))
            for (int i = 0; i < corners; ++i)
                polygon.normalCorners.push_back(source.take() % normals);
        mesh.polygons.push_back(std::move(polygon));
    }
    return mesh;
}

void Check(const SetProposal &proposal, const MeshData &mesh) {
    if (proposal.setOf.size() != mesh.polygons.size()) std::abort();
    std::set<std::string> names;
    for (const ProposedSet &set : proposal.sets)
        if (!names.insert(set.name).second || !std::isfinite(set.angleDegrees)) std::abort();
    for (int set : proposal.setOf)
        if (set < LeftToHost || set >= static_cast<int>(proposal.sets.size())) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    ByteSource source({data, size});
    MeshData mesh = MeshFrom(source);
    SetProposal shape = ProposeSetsFromShape(mesh);
    Check(shape, mesh);
    SetProposal again = ProposeSetsFromShape(mesh);
    if (again.setOf != shape.setOf || again.sets != shape.sets) std::abort();
    Check(ProposeSetsFromShape(mesh, "B"), mesh);
    if (AuthoredNormalsOf(mesh) != AuthoredNormals::none) Check(ProposeSetsFromNormals(mesh), mesh);
    return 0;
}
