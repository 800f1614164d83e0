// The stand-in host's scene: object items in order, each showing the mesh of an object file.
// Plain data; the services in host/services serve it to a module through the host interface.
//
// Identifiers handed to a module are addresses in this data: an LWItemID is the ObjectItem's
// address, an LWPolID a MeshPolygon's, an LWPntID the address of the point's position in
// MeshData::points. A scene is therefore built completely before it is served and is not
// reshaped while a module may hold its identifiers.
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
