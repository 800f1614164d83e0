// `velmora apply`: the module's settings stored in the object. An LWO2 object is edited, keeping
// every byte but its shader data; an LWO3 object is converted to LWO2 by its bytes and then
// edited so; LWOB and OBJ objects are converted through the scene model. What a conversion cannot
// carry is said, and a converted object never goes over its input.
#include <iostream>

#include "host/formats/file_bytes.h"
#include "host/formats/lightwave_object.h"
#include "host/formats/lwo2_part_edit.h"
#include "host/formats/lwo2_shader_edit.h"
#include "host/formats/lwo2_writer.h"
#include "host/formats/lwo3_to_lwo2.h"
#include "host/formats/object_reader.h"
#include "host/scene/plural.h"
#include "host/scene/polygon_set_sources.h"
#include "host/session/shader_blocks.h"
#include "tools/velmora/apply_target.h"
#include "tools/velmora/command_table.h"
#include "tools/velmora/conversion_losses.h"
#include "tools/velmora/output_file.h"
#include "tools/velmora/part_replacements.h"

namespace {

class ApplyCommand : public Command {
  public:
    void addOptions(CLI::App &app) override {
        app.add_option("-o,--output", output, "the LWO2 file to write (required)")
            ->type_name("FILE");
    }

    void checkUsage() const override {
        if (output.empty()) throw UsageError("'velmora apply' needs -o OUT.lwo");
    }
    std::vector<CommandFile> outputs() const override { return {{"-o", output}}; }
    bool guardsObject() const override { return false; }

    int run(const ObjectOptions &object) override {
        std::vector<std::uint8_t> input = ReadFileBytes(object.object);
        // An LWO3 object becomes LWO2 first, by its bytes, and is then edited as one.
        bool lwo3 = IffFormType(input) == "LWO3";
        std::vector<std::string> losses;
        if (lwo3) {
            Lwo3Conversion conversion = ConvertLwo3ToLwo2(input, object.object);
            input = std::move(conversion.bytes);
            losses = std::move(conversion.losses);
        }
        bool lwo2 = IsLwo2Object(input);
        CheckApplyTarget(object.object, output, lwo2 && !lwo3);
        // The object is read once, so that what is edited is what the settings were made for.
        std::unique_ptr<OpenedObject> opened = OpenObject(object, &input);
        std::vector<ShaderBlock> blocks =
            ShaderBlocksWithSettings(opened->session(), opened->file());
        if (lwo2)
            EditLwo2(object, *opened, blocks, input);
        else
            Convert(object, *opened, blocks, input);
        for (const std::string &loss : losses) WarnNotCarried(object, loss);
        std::cerr << "velmora: wrote " << output << "\n";
        return Succeeded;
    }

  private:
    void EditLwo2(const ObjectOptions &object, const OpenedObject &opened,
                  const std::vector<ShaderBlock> &blocks, std::vector<std::uint8_t> input) const {
        std::vector<std::string> notes;
        std::string setsFrom = SetsFromOfRun(object);
        if (!setsFrom.empty()) {
            std::vector<PolygonTag> before = PartsOf(ParseObjectFile(input, object.object)->mesh);
            std::vector<PolygonTag> after = PartsOf(opened.file().mesh);
            input = EditPartTags(input, object.object, after);
            notes.push_back("polygon sets from " + setsFrom +
                            " written as PART tags: " + Plural(opened.sets().names.size(), "set"));
            for (const std::string &line : PartReplacements(before, after))
                notes.push_back("PART tags: " + line);
        }
        Lwo2ShaderEdit edit =
            EditShaderBlocks(input, object.object, ShaderServer,
                             ChangedShaderData(opened.file(), blocks, ShaderServer));
        WriteFileAtomically(output, edit.bytes);
        if (edit.notes.empty()) edit.notes.push_back("no shader settings changed");
        notes.insert(notes.end(), edit.notes.begin(), edit.notes.end());
        for (const std::string &note : notes) std::cerr << "velmora: " << note << "\n";
    }

    void Convert(const ObjectOptions &object, const OpenedObject &opened,
                 const std::vector<ShaderBlock> &blocks,
                 const std::vector<std::uint8_t> &input) const {
        ObjectFile result = opened.file();
        result.shaders = blocks;
        WriteLwo2(result, output);
        for (const std::string &loss :
             ConversionLosses(object.object, input, PolygonSetSourceNamed(object.setsFrom)))
            WarnNotCarried(object, loss);
    }

    static void WarnNotCarried(const ObjectOptions &object, const std::string &loss) {
        std::cerr << "velmora: warning: " << object.object << ": not carried over: " << loss
                  << "\n";
    }

    std::string output;
};

}  // namespace

std::unique_ptr<Command> MakeApplyCommand() {
    return std::make_unique<ApplyCommand>();
}
