// The object a view shows: its mesh, the host's normal and the module's at every polygon corner,
// and its surfaces and polygon sets with the settings the module's dialog shows for them.
// Settings change only through the module's own options dialog, as `--set` changes them; after a
// change only the corners that can have changed are sampled again.
#pragma once

#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/formats/corner_normal_block.h"
#include "host/non_copyable.h"
#include "host/render/shader_hook.h"
#include "host/scene/host_normals.h"
#include "host/scene/polygon_sets.h"
#include "host/session/dialog_settings.h"
#include "host/session/host_session.h"
#include "sets/proposed_sets.h"

// What a user asks of one polygon set; what is left out stays as it is.
struct SetEdit {
    std::string surface, set;
    std::optional<bool> enabled = std::nullopt;
    std::optional<double> angleDegrees = std::nullopt;
    std::optional<bool> sameSetOnly = std::nullopt;
};

// A request the view refuses, with the HTTP status that says why.
struct ViewRequestError : std::runtime_error {
    ViewRequestError(int status, const std::string &message)
        : std::runtime_error(message), status(status) {}
    int status;
};

class ViewObject : NonCopyable {
  public:
    // Samples the module's normal at every corner of the session's first item. `proposal`: the
    // sets proposed for the object as it was opened (--sets-from shape or normals), if any.
    ViewObject(HostSession &session, geometry::SmoothingAngles hostSmoothing, unsigned threads,
               SetProposal proposal = {});

    // The mesh (points, each polygon's corners, surface and set), the normals per corner, the
    // surfaces with their sets and settings (a proposed set with its kind and why), and the colours
    // of the set map and the difference scale, as `render --compare` draws them.
    nlohmann::json describe() const;

    // Works the edit through the dialog and answers the corners whose module normal changed
    // ({"corners": [index, ...], "normals": [x, y, z, ...]}) and the set's settings now. Throws
    // ViewRequestError: 404 for a surface or set the object lacks (listing those it has), 409
    // for a name two of them show as (see Utf8Text), 400 for an angle outside 0 to 360 degrees.
    nlohmann::json edit(const SetEdit &edit);

    // The object's file as it was opened: its path, mesh and surfaces.
    const ObjectFile &file() const { return *item.file; }
    const std::string &name() const { return item.file->filename; }

    // The module's normal at every corner as it stands, where a mesh format needs a unit normal
    // a zero one replaced as the exported normals replace it: one block over the whole mesh.
    CornerBlock unitCornerNormals() const;

  private:
    struct Surface {
        std::string name;
        PolygonSets sets;
        std::map<std::string, DialogSettings> shown;  // empty while the surface has no shader
    };

    // The surface, and the set of a surface, the page shows as `shown`. Throw ViewRequestError
    // 404 for none, listing those there are, and 409 for two that show alike.
    std::size_t surfaceShownAs(const std::string &shown) const;
    std::size_t setShownAs(const Surface &surface, const std::string &shown) const;
    void readSettings(Surface &surface, const std::vector<std::string> &sets);
    // What a change of one set's settings can reach: the set's points, and the polygons there.
    struct Reach {
        std::vector<char> points;  // a flag per point of the mesh
        std::vector<int> polygons;
    };
    Reach reachOf(std::size_t surface, const std::string &set) const;
    nlohmann::json settingsOf(const Surface &surface, std::size_t set) const;
    const render::ShaderHooks &renderOfHooks();

    HostSession &session;
    const ObjectItem &item;
    const geometry::SmoothingAngles hostSmoothing;
    const unsigned threads;
    const geometry::HostShape shape;
    const PolygonSets allSets;
    std::vector<int> firstCorner;     // per polygon, one extra at the end
    std::vector<int> polygonSurface;  // per polygon, an index into the file's surfaces
    std::vector<geometry::Vec3> hostNormals, moduleNormals;
    std::vector<Surface> surfaces;
    const SetProposal proposal;
    // The view is one long render, as the host's live preview is: the module builds its tables
    // of the object once, and settings changed in the dialog meanwhile take effect at the next
    // sample. It starts again only when a surface gains the shader.
    render::ShaderHooks hooks;
    std::unique_ptr<render::ShaderPass> pass;
};
