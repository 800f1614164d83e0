// The stand-in host's scene: object items in order, each showing the mesh of an object file.
// Plain data; the services in host/services serve it to a module through the host interface.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "hostapi/lwtypes.h"

struct MeshPolygon {
    std::vector<int> points;  // indices into MeshData::points, in corner order; may repeat
    LWID type = LWID_('F', 'A', 'C', 'E');
    std::optional<std::string> surface;  // SURF tag; absent means the polygon has none
    std::optional<std::string> part;     // PART tag: the polygon set
};

struct MeshData {
    std::vector<std::array<float, 3>> points;
    std::vector<MeshPolygon> polygons;
};

// One object file as loaded: its mesh and its surfaces in file order.
struct ObjectFile {
    std::string filename;
    MeshData mesh;
    std::vector<std::string> surfaces;
};

// An object item of the scene. Clones are several items sharing one ObjectFile.
struct ObjectItem {
    std::string name;
    std::shared_ptr<ObjectFile> file;
};

struct Scene {
    std::vector<ObjectItem> items;
};
