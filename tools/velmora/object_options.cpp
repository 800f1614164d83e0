#include "tools/velmora/object_options.h"

#include <iostream>
#include <optional>

#include "host/session/set_request.h"
#include "host/session/settings_file.h"
#include "tools/velmora/executable_dir.h"
#include "tools/velmora/option_numbers.h"
#include "tools/velmora/set_proposals.h"

namespace {

std::string ModulePath(const ObjectOptions &options) {
    return options.module.empty() ? ExecutableDir() + "KV_Velmora.p" : options.module;
}

}  // namespace

void AddObjectOptions(CLI::App &command, ObjectOptions &options) {
    command
        .add_option("OBJECT", options.object,
                    "object file: LWO3, LWO2 or LWOB (.lwo), or OBJ (.obj)")
        ->type_name("FILE");
    command
        .add_option("--set", options.sets,
                    "smooth the polygon sets NAME matches (* and ? are wildcards, \\ takes the "
                    "next character as it is: 'Part\\:1:30'); angle in degrees; same: only "
                    "within the set; cross: across sets; off: the set keeps the host's own "
                    "smoothing. What is not given stays as it was")
        ->type_name("NAME[:ANGLE][:same|:cross][:off]")
        // One value each time, so that the object may follow it: --set Lid:30 box.obj.
        ->allow_extra_args(false);
    command
        .add_option("--sets-from", options.setsFrom,
                    "make the polygon sets for this run from surfaces, groups (OBJ g/o) or "
                    "smoothing-groups (OBJ s N: set \"smoothing N\"), or propose them from the "
                    "object's own normals (OBJ vn) or its shape, in place of the object's parts")
        ->check(CLI::IsMember({"surfaces", "groups", "smoothing-groups", "normals", "shape"}))
        ->type_name("SOURCE");
    command.add_option("--settings", options.settingsFile, "load settings from a settings file")
        ->type_name("FILE");
    command
        .add_option("--save-settings", options.saveSettingsFile,
                    "save the resulting settings to a settings file")
        ->type_name("FILE");
    command.add_option("--surface", options.surface, "apply settings to this surface only")
        ->type_name("NAME");
    command
        .add_option_function<std::string>(
            "--host-angle",
            [&options](const std::string &text) {
                double degrees = 0;
                std::string problem = ReadDegrees("--host-angle", text, 0, 180, degrees);
                if (!problem.empty()) throw CLI::ValidationError(problem);
                options.hostAngle = degrees;
            },
            "the host's smoothing angle in degrees for every surface, in place of each "
            "surface's own (from the .lwo file; a surface without one is flat; OBJ "
            "surfaces: 89.5)")
        ->type_name("DEGREES");
    command
        .add_option("--module", options.module,
                    "the shader module file (default: KV_Velmora.p beside this program)")
        ->type_name("FILE");
}

void CheckSetTexts(const ObjectOptions &options) {
    for (const std::string &text : options.sets) ParseSetRequest(text);
}

std::vector<CommandFile> InputsOf(const ObjectOptions &options) {
    std::vector<CommandFile> inputs = {{"the object file", options.object},
                                       {"the module", ModulePath(options)}};
    if (!options.settingsFile.empty())
        inputs.push_back({"the settings file", options.settingsFile});
    return inputs;
}

std::string SetsFromOfRun(const ObjectOptions &options) {
    if (options.runSetsFrom) return *options.runSetsFrom;
    if (!options.setsFrom.empty() || options.settingsFile.empty()) return options.setsFrom;
    return SettingsSetsFrom(options.settingsFile).value_or("");
}

ObjectOptions WithSetsFromOfRun(ObjectOptions options) {
    options.runSetsFrom = SetsFromOfRun(options);
    return options;
}

std::unique_ptr<OpenedObject> OpenObject(const ObjectOptions &options,
                                         const std::vector<std::uint8_t> *bytes,
                                         SetProposal *proposal) {
    OpenRequest request;
    request.object = options.object;
    request.modulePath = ModulePath(options);
    if (!options.surface.empty()) request.surface = options.surface;
    std::string setsFrom = SetsFromOfRun(options);
    if (setsFrom != options.setsFrom)
        std::cerr << "velmora: " << options.settingsFile << ": polygon sets from " << setsFrom
                  << ", as the settings were saved with (--sets-from " << setsFrom << ")\n";
    request.setsFrom = setsFrom;
    auto kept = std::make_shared<SetProposal>();
    if (IsProposedSetSource(setsFrom)) {
        request.setsFrom.clear();
        request.proposeSets = SetProposer(setsFrom, request.surface, kept);
    }
    request.settingsFile = options.settingsFile;
    request.setRequests = options.sets;
    request.hostAngle = options.hostAngle;
    request.bytes = bytes;
    request.warn = [](const std::string &warning) {
        std::cerr << "velmora: warning: " << warning << std::endl;
    };
    auto opened = std::make_unique<OpenedObject>(request);
    if (proposal) *proposal = *kept;
    for (const std::string &line : opened->notes()) std::cerr << "velmora: " << line << "\n";
    if (!options.saveSettingsFile.empty())
        SaveSettingsFile(opened->session(), opened->file(), options.saveSettingsFile, setsFrom);
    return opened;
}
