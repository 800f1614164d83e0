// velmora: the stand-in host as a command. It loads an object, serves it to the shader module
// exactly as LightWave does, lets the module's own dialog take the settings asked for, and shows
// or exports what the module computes.
#include <CLI/CLI.hpp>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <thread>
#include <variant>
#ifdef __GLIBC__  // known once a C library header is in
#include <malloc.h>
#endif

#include "host/formats/file_bytes.h"
#include "host/formats/lightwave_object.h"
#include "host/formats/lwo2_part_edit.h"
#include "host/formats/lwo2_shader_edit.h"
#include "host/formats/lwo2_writer.h"
#include "host/formats/object_reader.h"
#include "host/render/host_normals.h"
#include "host/scene/polygon_set_sources.h"
#include "host/scene/polygon_sets.h"
#include "host/scene/quoted_list.h"
#include "host/session/host_session.h"
#include "host/session/scripted_set_edits.h"
#include "host/session/settings_file.h"
#include "host/session/shader_blocks.h"
#include "tools/velmora/apply_target.h"
#include "tools/velmora/conversion_losses.h"
#include "tools/velmora/corner_normals.h"
#include "tools/velmora/executable_dir.h"
#include "tools/velmora/input_guard.h"
#include "tools/velmora/nearest_name.h"
#include "tools/velmora/normals_output.h"
#include "tools/velmora/option_numbers.h"
#include "tools/velmora/output_file.h"
#include "tools/velmora/parts_report.h"
#ifdef VELMORA_RENDER
#include "tools/velmora/dialog_command.h"
#include "tools/velmora/render_command.h"
#endif
#include "tools/velmora/plural.h"
#include "tools/velmora/set_options.h"
#include "tools/velmora/set_request.h"

namespace {

// What the exit status tells a script.
constexpr int Succeeded = 0, WorkFailed = 1, UsageWrong = 2;

constexpr char ExitStatusText[] =
    "Exit status: 0 when the command did its work; 1 when the work failed (an input that cannot\n"
    "be read, an output that cannot be written, a module that does not load); 2 when the command\n"
    "line is wrong (an unknown command or option, a missing or malformed value).";

// A mistake in the command line, told apart from a failure of the work by its exit status.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

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
        .add_option("OBJECT", options.object,
                    "object file: LWO3, LWO2 or LWOB (.lwo), or OBJ (.obj)")
        ->type_name("FILE");
    command
        .add_option("--set", options.sets,
                    "smooth the polygon sets NAME matches (* and ? are wildcards, \\ takes the "
                    "next character as it is: 'Part\\:1:30'); angle in degrees; same: only "
                    "within the set; cross: across sets; off: the set keeps the host's own "
                    "smoothing. What is not given stays as it was")
        ->type_name("NAME[:ANGLE][:same|:cross][:off]");
    command
        .add_option("--sets-from", options.setsFrom,
                    "make the polygon sets for this run from surfaces, groups (OBJ g/o) or "
                    "smoothing-groups (OBJ s N: set \"smoothing N\"), in place of the object's "
                    "parts")
        ->check(CLI::IsMember({"surfaces", "groups", "smoothing-groups"}))
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
    // `bytes`: the object file's, when the command has read it already.
    explicit Job(const CommonOptions &options, const std::vector<std::uint8_t> *bytes = nullptr)
        : session(SceneOf(LoadObjectWithSets(options.object, options.setsFrom, bytes)),
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
            throw std::runtime_error(file().filename + ": no surface named \"" + options.surface +
                                     "\" (surfaces: " + QuotedList(surfaces) + ")");
        }
        return {options.surface};
    }
};

void RunNormals(const CommonOptions &common, const std::string &format, const std::string &output) {
    Job job(common);
    unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    // Started before the output, so that a shader that cannot start leaves none behind.
    CornerNormalStream stream(job.item(), job.session.hooksOf(job.file()), job.hostSmoothing(),
                              threads);
    auto next = [&stream] { return stream.next(); };
    WriteOutput(output, [&](std::FILE *out) {
        if (format == "obj")
            WriteNormalsObj(out, job.file().mesh, next);
        else
            WriteNormalsCsv(out, 0, job.file().mesh, next);
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
    // The object is read once, so that what is edited is what the settings were made for.
    Job job(common, &input);
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

// The command line as given, the program's name left out.
using Arguments = std::vector<std::string>;

// Every name an option of `command` answers to, for suggestions.
std::vector<std::string> OptionNames(const CLI::App &command) {
    std::vector<std::string> names;
    for (const CLI::Option *option : command.get_options()) {
        for (const std::string &name : option->get_lnames()) names.push_back("--" + name);
        for (const std::string &name : option->get_snames()) names.push_back("-" + name);
    }
    return names;
}

std::string Suggestion(const std::string &typed, const std::vector<std::string> &names) {
    std::optional<std::string> nearest = NearestName(typed, names);
    return nearest ? "; did you mean '" + *nearest + "'?" : "";
}

// What CLI11 left over: an option this command lacks, or one argument too many.
void RefuseExtras(const CLI::App &command) {
    std::vector<std::string> extras = command.remaining();
    if (extras.empty()) return;
    const std::string &first = extras.front();
    if (first.size() > 1 && first[0] == '-') {
        std::string name = first.substr(0, first.find('='));
        throw UsageError("unknown option '" + name + "' for '" + command.get_name() + "'" +
                         Suggestion(name, OptionNames(command)));
    }
    throw UsageError("unexpected argument '" + first + "': '" + command.get_name() +
                     "' takes one object file");
}

// `text` after `lead`, broken at spaces into lines of at most 80 columns, each continued line
// indented as far as the lead.
std::string Wrapped(const std::string &lead, const std::string &text) {
    std::string wrapped = lead, line;
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        if (!line.empty() && lead.size() + line.size() + 1 + word.size() > 80) {
            wrapped += line + "\n" + std::string(lead.size(), ' ');
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    return wrapped + line + "\n";
}

// One of the program's commands, with the options it parsed into.
struct Command {
    std::string name;
    std::unique_ptr<CLI::App> app;
};

struct Commands {
    CommonOptions common;
    std::string format = "csv", normalsOutput, applied;
#ifdef VELMORA_RENDER
    RenderOptions rendering;
    DialogOptions dialog;
#endif
    std::vector<Command> list;

    Commands() {
        CLI::App &normals =
            add("normals",
                "the normal the module gives every polygon corner, as CSV or as an OBJ mesh");
        normals.add_option("--format", format, "csv or obj")
            ->check(CLI::IsMember({"csv", "obj"}))
            ->type_name("FORMAT");
        normals.add_option("-o,--output", normalsOutput, "output file (default: standard output)")
            ->type_name("FILE");
        add("parts", "each surface with its polygon sets, polygon counts and current settings");
        CLI::App &apply =
            add("apply",
                "store the settings in the object's surfaces: an LWO2 object is edited, keeping "
                "all else; an LWOB or OBJ object is converted to LWO2; an LWO3 object is refused");
        apply.add_option("-o,--output", applied, "the LWO2 file to write (required)")
            ->type_name("FILE");
#ifdef VELMORA_RENDER
        AddRenderOptions(add("render",
                             "a preview picture shaded by the module, or with --compare beside the "
                             "host's shading and the polygon sets"),
                         rendering);
        AddDialogOptions(add("dialog",
                             "a picture of the module's options dialog for one surface (--surface; "
                             "default: the first), as the host shows it with the settings given"),
                         dialog);
#endif
    }

    CLI::App &add(const std::string &name, const std::string &description) {
        auto app = std::make_unique<CLI::App>(description, "velmora " + name);
        // Paths start with '/' on the hosts this runs under; they are never Windows-style options.
        app->allow_windows_style_options(false);
        // Left over for RefuseExtras, which checks them before any missing value is reported.
        app->allow_extras();
        app->footer(ExitStatusText);
        AddCommonOptions(*app, common);
        list.push_back({name, std::move(app)});
        return *list.back().app;
    }

    const Command *find(const std::string &name) const {
        for (const Command &command : list)
            if (command.name == name) return &command;
        return nullptr;
    }

    std::vector<std::string> names() const {
        std::vector<std::string> names;
        for (const Command &command : list) names.push_back(command.name);
        names.push_back("help");
        return names;
    }

    std::string overview() const {
        std::string text =
            "velmora: smoothing per polygon set, driven by the KV_Velmora shader module\n\n"
            "Usage: velmora COMMAND OBJECT [OPTIONS]\n"
            "       velmora help [COMMAND]\n"
            "       velmora --version\n\nCommands:\n";
        for (const Command &command : list)
            text += Wrapped("  " + command.name + std::string(10 - command.name.size(), ' '),
                            command.app->get_description());
        text +=
            "  help      this text, or with a command that command's options\n\n"
            "Options:\n"
            "  --module FILE  the shader module file (default: KV_Velmora.p beside this "
            "program);\n"
            "                 before or after the command\n"
            "  -h, --help     this text; after a command, that command's options\n"
            "  --version      the program's version\n\n";
        return text + ExitStatusText + "\n";
    }
};

[[noreturn]] void UnknownCommand(const std::string &word, const Commands &commands) {
    std::string known;
    for (const std::string &name : commands.names()) known += (known.empty() ? "" : ", ") + name;
    throw UsageError("unknown command '" + word + "'" + Suggestion(word, commands.names()) +
                     " (commands: " + known + ")");
}

// The options before the command; the command's own CLI11 parser takes the rest. Returns the
// index of the command word, or the status to exit with once this answered by itself.
std::variant<std::size_t, int> ReadLeadingOptions(const Arguments &arguments, Commands &commands) {
    std::size_t at = 0;
    for (; at < arguments.size(); ++at) {
        const std::string &word = arguments[at];
        if (word == "--version") {
            std::cout << "velmora " VELMORA_VERSION "\n";
            return Succeeded;
        }
        if (word == "-h" || word == "--help") {
            std::cout << commands.overview();
            return Succeeded;
        }
        if (word == "--module") {
            if (++at == arguments.size()) throw UsageError("--module: expected the module file");
            commands.common.module = arguments[at];
        } else if (constexpr std::string_view joined = "--module="; word.starts_with(joined)) {
            commands.common.module = word.substr(joined.size());
        } else if (word.size() > 1 && word[0] == '-') {
            std::string name = word.substr(0, word.find('='));
            throw UsageError("unknown option '" + name + "'" +
                             Suggestion(name, {"--help", "--version", "--module"}));
        } else {
            break;
        }
    }
    if (at == arguments.size()) throw UsageError("no command given");
    return at;
}

// The command's parser run over its part of the command line. CLI11's own errors pass through;
// an argument it left over throws UsageError.
void ParseCommand(CLI::App &app, const Arguments &arguments, std::size_t first) {
    // CLI11 takes the words last first.
    Arguments reversed(arguments.rbegin(), arguments.rend() - static_cast<std::ptrdiff_t>(first));
    app.parse(reversed);
    RefuseExtras(app);
}

void RequireValue(const std::string &value, const std::string &what, const std::string &command) {
    if (value.empty()) throw UsageError("'velmora " + command + "' needs " + what);
}

int RunCommand(const std::string &name, Commands &commands) {
    CommonOptions &common = commands.common;
    RequireValue(common.object, "an object file", name);
    if (name == "apply") RequireValue(commands.applied, "-o OUT.lwo", name);
    try {
        for (const std::string &text : common.sets) ParseSetRequest(text);
#ifdef VELMORA_RENDER
        if (name == "render") CheckPictureName(commands.rendering.output);
        if (name == "dialog") CheckPictureName(commands.dialog.output);
#endif
    } catch (const std::invalid_argument &error) {
        throw UsageError(error.what());
    }
#ifdef SIGXFSZ
    // A file size limit then fails the write, which is reported, instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    std::vector<CommandFile> inputs = InputsOf(common), outputs;
    if (!common.saveSettingsFile.empty())
        outputs.push_back({"--save-settings", common.saveSettingsFile});
    if (name == "normals" && !commands.normalsOutput.empty() && commands.normalsOutput != "-")
        outputs.push_back({"-o", commands.normalsOutput});
    if (name == "apply") {
        // apply edits an LWO2 object in place by design; it guards its object itself.
        inputs.erase(inputs.begin());
        outputs.push_back({"-o", commands.applied});
    }
#ifdef VELMORA_RENDER
    if (name == "render") outputs.push_back({"-o", commands.rendering.output});
    if (name == "dialog") outputs.push_back({"-o", commands.dialog.output});
#endif
    RefuseOutputsOverInputs(outputs, inputs);
    if (name == "normals") RunNormals(common, commands.format, commands.normalsOutput);
    if (name == "parts") {
        Job job(common);
        std::string report = PartsReport(job.session, job.file(), job.hostSmoothing());
        WriteOutput("-",
                    [&](std::FILE *out) { std::fwrite(report.data(), 1, report.size(), out); });
    }
    if (name == "apply") RunApply(common, commands.applied);
#ifdef VELMORA_RENDER
    if (name == "render") {
        Job job(common);
        commands.rendering.hostAngleDegrees = common.hostAngle;
        return RunRender(job.session, job.item(), commands.rendering);
    }
    if (name == "dialog") {
        Job job(common);
        RunDialog(job.session, job.file(), common.surface, commands.dialog);
    }
#endif
    return Succeeded;
}

int Run(const Arguments &arguments) {
    Commands commands;
    std::string tryHelp = "velmora --help";
    try {
        std::variant<std::size_t, int> lead = ReadLeadingOptions(arguments, commands);
        if (std::holds_alternative<int>(lead)) return std::get<int>(lead);
        std::size_t at = std::get<std::size_t>(lead);
        const std::string &word = arguments[at];
        if (word == "help") {
            if (at + 1 == arguments.size()) {
                std::cout << commands.overview();
                return Succeeded;
            }
            const Command *asked = commands.find(arguments[at + 1]);
            if (!asked) UnknownCommand(arguments[at + 1], commands);
            std::cout << asked->app->help();
            return Succeeded;
        }
        const Command *command = commands.find(word);
        if (!command) UnknownCommand(word, commands);
        tryHelp = "velmora help " + word;
        try {
            ParseCommand(*command->app, arguments, at + 1);
        } catch (const CLI::CallForHelp &) {
            std::cout << command->app->help();
            return Succeeded;
        } catch (const CLI::ParseError &error) {
            throw UsageError(error.what());
        }
        return RunCommand(word, commands);
    } catch (const UsageError &error) {
        std::cerr << "velmora: error: " << error.what() << "\nTry '" << tryHelp
                  << "' for more information.\n";
        return UsageWrong;
    } catch (const std::exception &error) {
        std::cerr << "velmora: error: " << error.what() << "\n";
        return WorkFailed;
    }
}

}  // namespace

int main(int argc, char **argv) {
#ifdef __GLIBC__
    // A large mesh passes through arrays of a few megabytes that are freed as the next ones fill
    // (the reader's chunks, for one). By default glibc keeps such memory once one has been freed,
    // and the peak becomes the sum of them all; a fixed threshold hands each back at once.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
    return Run(Arguments(argv + 1, argv + argc));
}
