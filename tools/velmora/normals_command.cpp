// `velmora normals`: the module's normal at every polygon corner, as CSV, or as a mesh for other
// tools (OBJ, glTF binary) with unit normals.
#include <iostream>
#include <string_view>

#include "host/for_each_on_threads.h"
#include "host/formats/file_bytes.h"
#include "host/formats/obj_writer.h"
#include "host/formats/object_reader.h"
#include "host/scene/plural.h"
#include "tools/velmora/command_table.h"
#include "tools/velmora/corner_normals.h"
#include "tools/velmora/crowded_point_warning.h"
#include "tools/velmora/normals_output.h"
#include "tools/velmora/nothing_to_shade.h"
#include "tools/velmora/output_file.h"
#ifdef VELMORA_GLTF
#include "host/formats/glb_writer.h"
#endif

namespace {

#ifdef VELMORA_GLTF
constexpr const char *kFormats = "csv, obj or glb";
const std::vector<std::string> kFormatNames = {"csv", "obj", "glb"};
#else
constexpr const char *kFormats = "csv or obj (glb in the native build)";
const std::vector<std::string> kFormatNames = {"csv", "obj"};
#endif
const std::vector<std::string> kFrameNames = {"left-handed", "right-handed"};

class NormalsCommand : public Command {
  public:
    void addOptions(CLI::App &app) override {
        app.add_option("--format", format, kFormats)
            ->check(CLI::IsMember(kFormatNames))
            ->type_name("FORMAT");
        app.add_option("--frame", frame,
                       "the frame of the csv and obj output: left-handed, LightWave's (the "
                       "default), or right-handed, Z negated and each polygon's corners the other "
                       "way round, as in the glb; the glb is always right-handed, as glTF is, and "
                       "the obj of an OBJ object always in the object's own frame")
            ->check(CLI::IsMember(kFrameNames))
            ->type_name("FRAME");
        app.add_flag("--host-normals", hostNormals,
                     "glb: the host's own normals too, as the attribute _NORMAL_HOST");
        app.add_option("-o,--output", output, "output file (default: standard output)")
            ->type_name("FILE");
    }

    void checkUsage() const override {
        if (hostNormals && format != "glb")
            throw UsageError("--host-normals: only with --format glb");
        if (frame == "left-handed" && format == "glb")
            throw UsageError("--frame left-handed: a glb is always right-handed, as glTF is");
    }

    std::vector<CommandFile> outputs() const override {
        if (NamesStandardOutput(output)) return {};
        return {{"-o", output}};
    }

    // The mesh formats need unit normals; the CSV keeps the module's values as they are.
    int run(const ObjectOptions &object) override {
        MeshFrame meshFrame =
            frame == "right-handed" ? MeshFrame::rightHanded : MeshFrame::leftHanded;
        // Turning it would rewrite every point and face of a text whose statements are kept.
        if (meshFrame == MeshFrame::rightHanded && format == "obj" && ReadsAsObj(object.object))
            throw UsageError(
                "--frame right-handed: the obj of an OBJ object is its own text with "
                "new normals, in its own frame; convert " +
                object.object + " with --format csv or glb instead");
        // An OBJ object's OBJ output is its own text with the new normals: read once for both.
        std::vector<std::uint8_t> bytes = ReadFileBytes(object.object);
        std::unique_ptr<OpenedObject> opened = OpenObject(object, &bytes);
        WarnOfCrowdedPoint(*opened);
        RefuseNothingToShade(opened->file());
        CornerNormalOptions kinds{.hostNormals = hostNormals, .unitNormals = format != "csv"};
        // Started before the output, so that a shader that cannot start leaves none behind.
        CornerNormalStream stream(opened->item(), opened->session().hooksOf(opened->file()),
                                  opened->hostSmoothing(), Cores(),
                                  CornerNormalStream::DefaultBlockPolygons, kinds);
        auto next = [&stream] { return stream.next(); };
        const ObjectFile &file = opened->file();
        std::string_view text(reinterpret_cast<const char *>(bytes.data()), bytes.size());
        WriteOutput(output, [&](std::FILE *out) {
            if (format == "obj" && ReadsAsObj(object.object))
                WriteObjWithNormals(out, text, file.mesh, next);
            else if (format == "obj")
                WriteObj(out, file, next, meshFrame);
#ifdef VELMORA_GLTF
            else if (format == "glb")
                WriteGlb(out, file, next, {.hostNormals = hostNormals});
#endif
            else
                WriteNormalsCsv(out, 0, file.mesh, next, meshFrame);
        });
        if (std::size_t replaced = stream.replacedCorners())
            std::cerr << "velmora: " << Plural(replaced, "corner")
                      << " of polygons without area got the host's normal in place of the "
                         "module's zero normal\n";
        return Succeeded;
    }

  private:
    std::string format = "csv", output;
    std::string frame;  // empty: the format's own
    bool hostNormals = false;
};

}  // namespace

std::unique_ptr<Command> MakeNormalsCommand() {
    return std::make_unique<NormalsCommand>();
}
