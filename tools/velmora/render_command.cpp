#include "tools/velmora/render_command.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <limits>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <variant>

#include "host/render/comparison.h"
#include "host/render/png_file.h"
#include "host/render/renderer.h"
#include "host/scene/name_lookup.h"
#include "host/scene/quoted_list.h"
#include "host/session/decimal_number.h"
#include "tools/velmora/command_table.h"
#include "tools/velmora/crowded_point_warning.h"
#include "tools/velmora/nothing_to_shade.h"
#include "tools/velmora/option_numbers.h"
#include "tools/velmora/set_captions.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A bar on the terminal once a render has taken a second; nothing in logs, where the final line
// says enough.
class ProgressBar {
  public:
    ProgressBar() : start(Clock::now()), terminal(isatty(STDERR_FILENO)) {}

    void update(int done, int total) {
        if (!terminal || SecondsSince(start) < 1) return;
        constexpr int Width = 40;
        int filled = total > 0 ? done * Width / total : Width;
        std::fprintf(stderr, "\rrendering [%s%s] %3d%%", std::string(filled, '#').c_str(),
                     std::string(Width - filled, '.').c_str(),
                     total > 0 ? 100 * done / total : 100);
        std::fflush(stderr);
        shown = true;
    }

    void finish() {
        if (shown) std::fprintf(stderr, "\r\033[K");
    }

    double seconds() const { return SecondsSince(start); }

  private:
    Clock::time_point start;
    bool terminal, shown = false;
};

using render::LargestSide;

// "WIDTHxHEIGHT", each side from 1 to LargestSide.
std::string ParseSize(const std::string &text, RenderOptions &options) {
    long width = 0, height = 0;
    char extra = 0;
    if (std::sscanf(text.c_str(), "%ldx%ld%c", &width, &height, &extra) != 2 || width < 1 ||
        height < 1 || width > LargestSide || height > LargestSide)
        return "--size " + text + ": expected WIDTHxHEIGHT, each side from 1 to " +
               std::to_string(LargestSide) + ", e.g. 640x480";
    options.settings.width = static_cast<int>(width);
    options.settings.height = static_cast<int>(height);
    return {};
}

// Comparisons are written so that NaN fails them.
bool Within(double value, double low, double high) {
    return value >= low && value <= high;
}

// A decimal angle as people write it, or NaN, which every range refuses.
double DecimalOrNaN(const std::string &text) {
    std::variant<double, DecimalProblem> read = ReadDecimal(text);
    auto *number = std::get_if<double>(&read);
    return number ? *number : std::numeric_limits<double>::quiet_NaN();
}

std::string ParseView(const std::string &text, RenderOptions &options) {
    std::size_t comma = text.find(',');
    double azimuth = DecimalOrNaN(text.substr(0, comma));
    double elevation = comma == std::string::npos ? azimuth : DecimalOrNaN(text.substr(comma + 1));
    if (comma == std::string::npos ||
        !Within(azimuth, -render::LargestAzimuth, render::LargestAzimuth) ||
        !Within(elevation, -render::LargestElevation, render::LargestElevation))
        return "--view " + text +
               ": expected AZIMUTH,ELEVATION in degrees, azimuth from -360 to 360 and elevation "
               "from -90 to 90, e.g. -35,25";
    options.settings.view.azimuthDegrees = azimuth;
    options.settings.view.elevationDegrees = elevation;
    return {};
}

std::string ParseFieldOfView(const std::string &text, RenderOptions &options) {
    return ReadDegrees("--fov", text, render::NarrowestFieldOfView, render::WidestFieldOfView,
                       options.settings.view.fieldOfViewDegrees);
}

std::string ParseZoom(const std::string &text, RenderOptions &options) {
    return ReadFactor("--zoom", text, 1, 100, options.settings.view.zoom);
}

std::string ParseMaterial(const std::string &text, RenderOptions &options) {
    static const std::map<std::string, render::Material> materials = {
        {"matte", render::Material::matte},
        {"glossy", render::Material::glossy},
        {"stripes", render::Material::stripes}};
    auto found = materials.find(text);
    if (found == materials.end())
        return "--material " + text + ": expected matte, glossy or stripes";
    options.settings.material = found->second;
    return "";
}

std::string ParseSamples(const std::string &text, RenderOptions &options) {
    return ReadWholeNumber("--spp", text, 1, render::MostSamplesPerPixel,
                           options.settings.samplesPerPixel);
}

std::string ParseThreads(const std::string &text, RenderOptions &options) {
    return ReadWholeNumber("--threads", text, 0, 256, options.settings.threads);
}

std::string ParseTurntable(const std::string &text, RenderOptions &options) {
    return ReadWholeNumber("--turntable", text, 1, 3600, options.turntableFrames);
}

// An option whose text `parse` takes into the options; what it finds wrong is the error.
CLI::Option *AddParsedOption(CLI::App &command, const std::string &name,
                             std::string (*parse)(const std::string &, RenderOptions &),
                             RenderOptions &options, const std::string &help) {
    return command.add_option_function<std::string>(
        name,
        [parse, &options](const std::string &text) {
            std::string problem = parse(text, options);
            if (!problem.empty()) throw CLI::ValidationError(problem);
        },
        help);
}

}  // namespace

void AddRenderOptions(CLI::App &command, RenderOptions &options) {
    command.add_option("-o,--output", options.output, "the PNG file to write")
        ->capture_default_str()
        ->type_name("FILE");
    command.add_flag("--compare", options.settings.compare,
                     "host shading, module shading and the polygon sets side by side");
    command.add_flag("--bump", options.settings.bump,
                     "ripple the host's normal as a bump map does");
    AddParsedOption(command, "--size", ParseSize, options,
                    "picture size WIDTHxHEIGHT (default 640x480; with --compare, of each panel)")
        ->type_name("WxH");
    AddParsedOption(command, "--view", ParseView, options,
                    "camera direction AZIMUTH,ELEVATION in degrees (default -35,25: from the "
                    "front left, above)")
        ->type_name("AZ,EL");
    AddParsedOption(command, "--fov", ParseFieldOfView, options,
                    "field of view across the narrower side, in degrees (default 35)")
        ->type_name("DEGREES");
    command.add_option("--target", options.settings.targetSet, "frame this polygon set alone")
        ->type_name("SET");
    AddParsedOption(command, "--zoom", ParseZoom, options,
                    "narrow the view by FACTOR, from 1 to 100 (default 1)")
        ->type_name("FACTOR");
    AddParsedOption(command, "--material", ParseMaterial, options,
                    "matte, glossy (lacquer mirroring sky and floor) or stripes (chrome under "
                    "strip lights, where breaks in the normals kink the reflections)")
        ->type_name("MATERIAL");
    AddParsedOption(command, "--turntable", ParseTurntable, options,
                    "write N frames around the object, numbered: OUT_000.png, OUT_001.png, ...")
        ->type_name("N");
    AddParsedOption(command, "--spp", ParseSamples, options,
                    "samples per pixel, from 1 to 1024 (default 4)")
        ->type_name("N");
    AddParsedOption(command, "--threads", ParseThreads, options,
                    "render threads, up to 256 (default 0: one per core)")
        ->type_name("N");
}

void CheckPictureName(const std::string &output) {
    std::size_t dot = output.rfind('.');
    if (dot == std::string::npos || output.find('/', dot) != std::string::npos) return;
    std::string extension = output.substr(dot + 1);
    for (char &c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    static const std::set<std::string> otherPictures = {
        "avif", "bmp", "dds", "dpx", "exr", "gif", "hdr", "heic", "jp2", "jpe", "jpeg", "jpg",
        "pbm",  "pgm", "pic", "pnm", "ppm", "psd", "rgb", "sgi",  "tga", "tif", "tiff", "webp"};
    if (otherPictures.contains(extension))
        throw std::invalid_argument("-o " + output +
                                    ": pictures are written as PNG only; name the file .png");
}

std::string TurntableFrameFile(const std::string &output, int frame, int frames) {
    std::size_t dot = output.rfind('.');
    std::size_t slash = output.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        dot = output.size();
    std::string number = std::to_string(frame);
    std::size_t digits = std::max<std::size_t>(3, std::to_string(frames - 1).size());
    number.insert(0, digits - std::min(digits, number.size()), '0');
    return output.substr(0, dot) + "_" + number + output.substr(dot);
}

std::vector<std::string> RenderOutputFiles(const RenderOptions &options) {
    if (!options.turntableFrames) return {options.output};
    std::vector<std::string> files;
    for (int frame = 0; frame < options.turntableFrames; ++frame)
        files.push_back(TurntableFrameFile(options.output, frame, options.turntableFrames));
    return files;
}

namespace {

// The render, a set to frame the object lacks named with the option that asked for it.
render::Frame FramedRender(HostSession &session, const ObjectItem &item,
                           const render::RenderSettings &settings) {
    try {
        return render::Render(item, settings, session.hooksOf(*item.file));
    } catch (const UnknownName &unknown) {
        throw std::runtime_error("--target " + QuotedName(*settings.targetSet) + ": " +
                                 unknown.what());
    }
}

render::Image Picture(HostSession &session, const ObjectItem &item, const RenderOptions &options,
                      render::RenderSettings settings) {
    render::Frame frame = FramedRender(session, item, settings);
    if (!options.settings.compare) return frame.shaded;
    render::ComparisonLabels labels;
    labels.host = "Host shading";
    labels.shaded = "KV_Velmora";
    labels.difference = "Angle between host and KV_Velmora";
    labels.sets = "Polygon sets";
    labels.setLabels = SetCaptions(session, *item.file, frame.sets.names);
    return render::ComparisonImage(frame, labels);
}

}  // namespace

int RunRender(HostSession &session, const ObjectItem &item, const RenderOptions &options) {
    render::RenderSettings settings = options.settings;
    ProgressBar bar;
    int frames = std::max(options.turntableFrames, 1), frame = 0;
    settings.progress = [&bar, &frame, frames](int done, int total) {
        bar.update(frame * total + done, frames * total);
    };

    render::Image picture;
    for (; frame < frames; ++frame) {
        settings.view.azimuthDegrees =
            options.settings.view.azimuthDegrees + 360.0 * frame / frames;
        picture = Picture(session, item, options, settings);
        render::WritePng(picture, options.turntableFrames
                                      ? TurntableFrameFile(options.output, frame, frames)
                                      : options.output);
    }
    bar.finish();
    if (options.turntableFrames)
        std::fprintf(stderr, "velmora: wrote %d frames %s (%dx%d, %.1f s)\n", frames,
                     TurntableFrameFile(options.output, 0, frames).c_str(), picture.width,
                     picture.height, bar.seconds());
    else
        std::fprintf(stderr, "velmora: wrote %s (%dx%d, %.1f s)\n", options.output.c_str(),
                     picture.width, picture.height, bar.seconds());
    return 0;
}

namespace {

class RenderCommand : public Command {
  public:
    void addOptions(CLI::App &app) override { AddRenderOptions(app, options); }

    void checkUsage() const override {
        try {
            CheckPictureName(options.output);
        } catch (const std::invalid_argument &error) {
            throw UsageError(error.what());
        }
    }
    // Each turntable frame is an output of its own, guarded as -o is.
    std::vector<CommandFile> outputs() const override {
        std::vector<CommandFile> files;
        for (std::string &file : RenderOutputFiles(options)) files.push_back({"-o", file});
        return files;
    }

    int run(const ObjectOptions &object) override {
        std::unique_ptr<OpenedObject> opened = OpenObject(object);
        WarnOfCrowdedPoint(*opened);
        RefuseNothingToShade(opened->file());
        options.settings.hostAngleDegrees = object.hostAngle;
        return RunRender(opened->session(), opened->item(), options);
    }

  private:
    RenderOptions options;
};

}  // namespace

std::unique_ptr<Command> MakeRenderCommand() {
    return std::make_unique<RenderCommand>();
}
