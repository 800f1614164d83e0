// `velmora apply`: the module's settings stored in the object. An LWO2 object is edited, keeping
// every byte but its shader data; any other input is converted, and what the conversion cannot
// carry is said.
#include <iostream>

#include "host/formats/file_bytes.h"
#include "host/formats/lightwave_object.h"
#include "host/formats/lwo2_part_edit.h"
#include "host/formats/lwo2_shader_edit.h"
#include "host/formats/lwo2_writer.h"
#include "host/scene/plural.h"
#include "host/scene/polygon_set_sources.h"
#include "host/session/shader_blocks.h"
#include "tools/velmora/apply_target.h"
#include "tools/velmora/command_table.h"
#include "tools/velmora/conversion_losses.h"
#include "tools/velmora/output_file.h"

namespace {

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
        RefuseLwo3(object.object, input);
        bool lwo2 = IsLwo2Object(input);
        CheckApplyTarget(object.object, output, lwo2);
        // The object is read once, so that what is edited is what the settings were made for.
        std::unique_ptr<OpenedObject> opened = OpenObject(object, &input);
        std::vector<ShaderBlock> blocks =
            ShaderBlocksWithSettings(opened->session(), opened->file());
        if (lwo2)
            EditLwo2(object, *opened, blocks, input);
        else
            Convert(object, *opened, blocks, input);
        std::cerr << "velmora: wrote " << output << "\n";
        return Succeeded;
    }

  private:
    void EditLwo2(const ObjectOptions &object, const OpenedObject &opened,
                  const std::vector<ShaderBlock> &blocks, std::vector<std::uint8_t> input) const {
        std::vector<std::string> notes;
        if (!object.setsFrom.empty()) {
            input = EditPartTags(input, object.object, PartsOf(opened.file().mesh));
            notes.push_back("polygon sets from " + object.setsFrom +
                            " written as PART tags: " + Plural(opened.sets().names.size(), "set"));
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
            std::cerr << "velmora: warning: " << object.object << ": not carried over: " << loss
                      << "\n";
    }

    std::string output;
};

}  // namespace

std::unique_ptr<Command> MakeApplyCommand() {
    return std::make_unique<ApplyCommand>();
}
