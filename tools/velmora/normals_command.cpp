// `velmora normals`: the module's normal at every polygon corner, as CSV or as an OBJ mesh.
#include <algorithm>
#include <thread>

#include "tools/velmora/command_table.h"
#include "tools/velmora/corner_normals.h"
#include "tools/velmora/crowded_point_warning.h"
#include "tools/velmora/normals_output.h"
#include "tools/velmora/output_file.h"

namespace {

class NormalsCommand : public Command {
  public:
    void addOptions(CLI::App &app) override {
        app.add_option("--format", format, "csv or obj")
            ->check(CLI::IsMember({"csv", "obj"}))
            ->type_name("FORMAT");
        app.add_option("-o,--output", output, "output file (default: standard output)")
            ->type_name("FILE");
    }

    std::vector<CommandFile> outputs() const override {
        if (NamesStandardOutput(output)) return {};
        return {{"-o", output}};
    }

    int run(const ObjectOptions &object) override {
        std::unique_ptr<OpenedObject> opened = OpenObject(object);
        WarnOfCrowdedPoint(*opened);
        unsigned threads = std::max(1u, std::thread::hardware_concurrency());
        // Started before the output, so that a shader that cannot start leaves none behind.
        CornerNormalStream stream(opened->item(), opened->session().hooksOf(opened->file()),
                                  opened->hostSmoothing(), threads);
        auto next = [&stream] { return stream.next(); };
        WriteOutput(output, [&](std::FILE *out) {
            if (format == "obj")
                WriteNormalsObj(out, opened->file().mesh, next);
            else
                WriteNormalsCsv(out, 0, opened->file().mesh, next);
        });
        return Succeeded;
    }

  private:
    std::string format = "csv", output;
};

}  // namespace

std::unique_ptr<Command> MakeNormalsCommand() {
    return std::make_unique<NormalsCommand>();
}
