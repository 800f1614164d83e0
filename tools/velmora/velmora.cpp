// velmora: the stand-in host as a command. It loads an object, serves it to the shader module
// exactly as LightWave does, lets the module's own dialog take the settings asked for, and shows
// or exports what the module computes.
#include <CLI/CLI.hpp>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <thread>

#include "host/formats/file_bytes.h"
#include "host/formats/lightwave_object.h"
#include "host/formats/lwo2_part_edit.h"
#include "host/formats/lwo2_shader_edit.h"
#include "host/formats/lwo2_writer.h"
#include "host/formats/object_reader.h"
#include "host/render/host_normals.h"
#include "host/scene/polygon_set_sources.h"
#include "host/scene/polygon_sets.h"
#include "host/session/host_session.h"
#include "host/session/scripted_set_edits.h"
#include "host/session/settings_file.h"
#include "host/session/shader_blocks.h"
#include "tools/velmora/apply_target.h"
#include "tools/velmora/conversion_losses.h"
#include "tools/velmora/corner_normals.h"
#include "tools/velmora/executable_dir.h"
#include "tools/velmora/input_guard.h"
#include "tools/velmora/normals_output.h"
#include "tools/velmora/output_file.h"
#include "tools/velmora/parts_report.h"
#ifdef VELMORA_RENDER
#include "tools/velmora/render_command.h"
#endif
#include "tools/velmora/plural.h"
#include "tools/velmora/set_options.h"

namespace {

struct CommonOptions {
    std::string module;
    std::string object;
    std::vector<std::string> sets;
    std::string setsFrom;
    std::string settingsFile;
    std::string saveSettingsFile;
    std::string surface;
    std::optional<double> hostAngle;
};

void AddCommonOptions(CLI::App &command, CommonOptions &options) {
    command
        .add_option("object", options.object,
                    "object file: LWO3, LWO2 or LWOB (.lwo), or OBJ (.obj)")
        ->required();
    command.add_option("--set", options.sets,
                       "NAME[:ANGLE][:same|:cross][:off]  smooth the polygon sets NAME matches "
                       "(* and ? are wildcards, \\ takes the next character as it is: "
                       "'Part\\:1:30'); angle in degrees; same: only within the set; cross: "
                       "across sets; off: the set keeps the host's own smoothing. What is not "
                       "given stays as it was");
    command
        .add_option("--sets-from", options.setsFrom,
                    "make the polygon sets for this run from surfaces, groups (OBJ g/o) or "
                    "smoothing-groups (OBJ s N: set \"smoothing N\"), in place of the object's "
                    "parts")
        ->check(CLI::IsMember({"surfaces", "groups", "smoothing-groups"}));
    command.add_option("--settings", options.settingsFile, "load settings from a settings file");
    command.add_option("--save-settings", options.saveSettingsFile,
                       "save the resulting settings to a settings file");
    command.add_option("--surface", options.surface, "apply settings to this surface only");
    command
        .add_option("--host-angle", options.hostAngle,
                    "the host's smoothing angle in degrees for every surface, in place of each "
                    "surface's own (from the .lwo file; a surface without one is flat; OBJ "
                    "surfaces: 89.5)")
        ->check(CLI::Range(0.0, 180.0));
}

std::string ModulePath(const CommonOptions &options) {
    return options.module.empty() ? ExecutableDir() + "KV_Velmora.p" : options.module;
}

// The files every command reads.
std::vector<CommandFile> InputsOf(const CommonOptions &options) {
    std::vector<CommandFile> inputs = {{"the object file", options.object},
                                       {"the module", ModulePath(options)}};
    if (!options.settingsFile.empty())
        inputs.push_back({"the settings file", options.settingsFile});
    return inputs;
}

// The object served to the module with every setting asked for applied.
class Job {
  public:
    explicit Job(const CommonOptions &options)
        : session(SceneOf(LoadObjectWithSets(options.object, options.setsFrom)),
                  ModulePath(options)),
          hostAngle(options.hostAngle) {
        SurfaceFilter filter = FilterFor(options);
        LoadShaderBlocks(session, file(), filter);
        if (!options.settingsFile.empty())
            LoadSettingsFile(session, file(), options.settingsFile, filter);
        for (const std::string &line : ApplySetOptions(session, file(), options.sets, filter))
            std::cerr << "velmora: " << line << "\n";
        if (!options.saveSettingsFile.empty())
            SaveSettingsFile(session, file(), options.saveSettingsFile);
    }

    HostSession session;
    const ObjectItem &item() const { return session.scene().items.front(); }
    const ObjectFile &file() const { return *item().file; }
    render::SmoothingAngles hostSmoothing() const {
        return render::SurfaceSmoothing(file(), hostAngle);
    }

  private:
    std::optional<double> hostAngle;

    static Scene SceneOf(std::shared_ptr<ObjectFile> file) {
        Scene scene;
        scene.items.push_back({file->filename, std::move(file)});
        return scene;
    }
    SurfaceFilter FilterFor(const CommonOptions &options) const {
        if (options.surface.empty()) return {};
        const std::vector<std::string> &surfaces = file().surfaces;
        if (std::find(surfaces.begin(), surfaces.end(), options.surface) == surfaces.end()) {
            std::string known;
            for (const std::string &name : surfaces)
                known += (known.empty() ? "\"" : ", \"") + name + "\"";
            throw std::runtime_error(file().filename + ": no surface named \"" + options.surface +
                                     "\" (surfaces: " + known + ")");
        }
        return {options.surface};
    }
};

void RunNormals(const CommonOptions &common, const std::string &format, const std::string &output) {
    Job job(common);
    unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    std::vector<CornerNormal> normals = SampleCornerNormals(
        job.item(), job.session.hooksOf(job.file()), job.hostSmoothing(), threads);
    WriteOutput(output, [&](std::FILE *out) {
        if (format == "obj")
            WriteNormalsObj(out, job.file().mesh, normals);
        else
            WriteNormalsCsv(out, 0, job.file().mesh, normals);
    });
}

// The host keeps a shader's settings in an LWO3 surface in a form that is not publicly known, so
// an LWO3 object is never rewritten: a form the host could misread would lose the user's work.
void RefuseLwo3(const std::string &path, std::span<const std::uint8_t> bytes) {
    if (IffFormType(bytes) != "LWO3") return;
    throw std::runtime_error(
        path +
        ": an LWO3 object; apply writes the module's settings only into LWO2 objects, since the "
        "form in which the host keeps them in an LWO3 surface is not publicly documented. Save "
        "the object as LWO2 from the host and apply to that, or keep the settings in a settings "
        "file (--save-settings FILE, then --settings FILE with normals, parts or render)");
}

// An LWO2 object is edited, keeping every byte but its shader data; any other input is converted,
// and what the conversion cannot carry is said.
void RunApply(const CommonOptions &common, const std::string &output) {
    std::vector<std::uint8_t> input = ReadFileBytes(common.object);
    RefuseLwo3(common.object, input);
    bool lwo2 = IsLwo2Object(input);
    CheckApplyTarget(common.object, output, lwo2);
    Job job(common);
    std::vector<ShaderBlock> blocks = ShaderBlocksWithSettings(job.session, job.file());
    std::optional<PolygonSetSource> setsFrom = PolygonSetSourceNamed(common.setsFrom);
    if (lwo2) {
        std::vector<std::string> notes;
        if (setsFrom) {
            input = EditPartTags(input, common.object, PartsOf(job.file().mesh));
            notes.push_back("polygon sets from " + common.setsFrom + " written as PART tags: " +
                            Plural(CollectPolygonSets(job.file().mesh).names.size(), "set"));
        }
        Lwo2ShaderEdit edit = EditShaderBlocks(input, common.object, ShaderServer,
                                               ChangedShaderData(job.file(), blocks, ShaderServer));
        WriteFileAtomically(output, edit.bytes);
        if (edit.notes.empty()) edit.notes.push_back("no shader settings changed");
        notes.insert(notes.end(), edit.notes.begin(), edit.notes.end());
        for (const std::string &note : notes) std::cerr << "velmora: " << note << "\n";
    } else {
        ObjectFile result = job.file();
        result.shaders = blocks;
        WriteLwo2(result, output);
        for (const std::string &loss : ConversionLosses(common.object, input, setsFrom))
            std::cerr << "velmora: warning: " << common.object << ": not carried over: " << loss
                      << "\n";
    }
    std::cerr << "velmora: wrote " << output << "\n";
}

}  // namespace

int main(int argc, char **argv) {
    CLI::App app{"velmora: smoothing per polygon set, driven by the KV_Velmora shader module"};
    app.require_subcommand(1);
    // Paths start with '/' on the hosts this runs under; they are never Windows-style options.
    app.allow_windows_style_options(false);
    CommonOptions common;
    app.add_option("--module", common.module,
                   "the shader module file (default: KV_Velmora.p beside this program)");

    CLI::App *normals = app.add_subcommand(
        "normals", "the normal the module gives every polygon corner, as CSV or as an OBJ mesh");
    AddCommonOptions(*normals, common);
    std::string format = "csv", output;
    normals->add_option("--format", format, "csv or obj")->check(CLI::IsMember({"csv", "obj"}));
    normals->add_option("-o,--output", output, "output file (default: standard output)");

    CLI::App *parts = app.add_subcommand(
        "parts", "each surface with its polygon sets, polygon counts and current settings");
    AddCommonOptions(*parts, common);

    CLI::App *apply = app.add_subcommand(
        "apply",
        "store the settings in the object's surfaces: an LWO2 object is edited, keeping all "
        "else; an LWOB or OBJ object is converted to LWO2; an LWO3 object is refused");
    AddCommonOptions(*apply, common);
    std::string applied;
    apply->add_option("-o,--output", applied, "the LWO2 file to write")->required();

#ifdef VELMORA_RENDER
    CLI::App *render = app.add_subcommand(
        "render",
        "a preview picture shaded by the module, or with --compare beside the host's "
        "shading and the polygon sets");
    AddCommonOptions(*render, common);
    RenderOptions rendering;
    AddRenderOptions(*render, rendering);
#endif

    CLI11_PARSE(app, argc, argv);
#ifdef SIGXFSZ
    // A file size limit then fails the write, which is reported, instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    try {
        std::vector<CommandFile> inputs = InputsOf(common), outputs;
        if (!common.saveSettingsFile.empty())
            outputs.push_back({"--save-settings", common.saveSettingsFile});
        if (normals->parsed() && !output.empty() && output != "-")
            outputs.push_back({"-o", output});
        if (apply->parsed()) {
            // apply edits an LWO2 object in place by design; it guards its object itself.
            inputs.erase(inputs.begin());
            outputs.push_back({"-o", applied});
        }
#ifdef VELMORA_RENDER
        if (render->parsed()) outputs.push_back({"-o", rendering.output});
#endif
        RefuseOutputsOverInputs(outputs, inputs);
        if (normals->parsed()) RunNormals(common, format, output);
        if (parts->parsed()) {
            Job job(common);
            std::string report = PartsReport(job.session, job.file(), job.hostSmoothing());
            WriteOutput("-",
                        [&](std::FILE *out) { std::fwrite(report.data(), 1, report.size(), out); });
        }
        if (apply->parsed()) RunApply(common, applied);
#ifdef VELMORA_RENDER
        if (render->parsed()) {
            Job job(common);
            rendering.hostAngleDegrees = common.hostAngle;
            return RunRender(job.session, job.item(), rendering);
        }
#endif
    } catch (const std::exception &error) {
        std::cerr << "velmora: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
