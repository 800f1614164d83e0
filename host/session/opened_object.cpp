#include "host/session/opened_object.h"

#include <stdexcept>

#include "host/scene/name_lookup.h"
#include "host/session/set_options.h"
#include "host/session/settings_file.h"
#include "host/session/shader_blocks.h"

namespace {

Scene SceneOf(std::shared_ptr<ObjectFile> file) {
    Scene scene;
    scene.items.push_back({file->filename, std::move(file)});
    return scene;
}

SurfaceFilter FilterFor(const ObjectFile &file, const std::optional<std::string> &surface) {
    if (!surface) return {};
    SurfaceIndex(file.surfaces, *surface, file.filename);  // refuses one the object lacks
    return {*surface};
}

}  // namespace

namespace {

// The object as the request reads it, with the settings proposed for its sets, if any.
std::pair<std::shared_ptr<ObjectFile>, std::vector<SetRequest>> Read(const OpenRequest &request) {
    if (!request.proposeSets)
        return {LoadObjectWithSets(request.object, request.setsFrom, request.bytes), {}};
    std::shared_ptr<ObjectFile> file = LoadObjectWithSets(request.object, "", request.bytes);
    std::vector<SetRequest> proposed = request.proposeSets(*file);
    return {std::move(file), std::move(proposed)};
}

}  // namespace

OpenedObject::OpenedObject(const OpenRequest &request) : OpenedObject(request, Read(request)) {}

OpenedObject::OpenedObject(const OpenRequest &request,
                           std::pair<std::shared_ptr<ObjectFile>, std::vector<SetRequest>> read)
    : OpenedObject(request, std::move(read.first), nullptr, read.second) {}

OpenedObject::OpenedObject(const OpenRequest &asked, std::shared_ptr<ObjectFile> file,
                           const std::vector<ShaderBlock> *carried,
                           const std::vector<SetRequest> &proposed)
    : request(asked), hosted(SceneOf(std::move(file)), asked.modulePath) {
    request.bytes = nullptr;  // only the first opening reads them
    setList = CollectPolygonSets(this->file().mesh);
    SurfaceFilter filter = FilterFor(this->file(), request.surface);
    if (carried) {
        // What this session was given, the settings of the one it replaces hold already.
        LoadShaderBlocks(hosted, this->file(), *carried, {});
        return;
    }
    if (request.storedSettings) LoadShaderBlocks(hosted, this->file(), filter);
    if (!proposed.empty()) ApplySetRequests(hosted, this->file(), proposed, filter, request.warn);
    if (!request.settingsFile.empty())
        LoadSettingsFile(hosted, this->file(), request.settingsFile, filter);
    requestNotes = ApplySetOptions(hosted, this->file(), request.setRequests, filter, request.warn);
}

std::unique_ptr<OpenedObject> OpenedObject::WithSetsFrom(std::unique_ptr<OpenedObject> opened,
                                                         const std::string &setsFrom) {
    std::vector<ShaderBlock> carried = ShaderBlocksWithSettings(opened->hosted, opened->file());
    OpenRequest changed = opened->request;
    changed.setsFrom = setsFrom;
    changed.proposeSets = nullptr;
    opened.reset();
    // Read again: the sets the first opening made may have replaced the parts the new ones need.
    return std::unique_ptr<OpenedObject>(
        new OpenedObject(changed, LoadObjectWithSets(changed.object, setsFrom), &carried, {}));
}

geometry::SmoothingAngles OpenedObject::hostSmoothing() const {
    return geometry::SurfaceSmoothing(file(), request.hostAngle);
}

std::vector<geometry::Vec3> OpenedObject::hostNormals() const {
    return geometry::ComputeHostNormals(file().mesh, hostSmoothing()).corner;
}
