#include "tools/velmora/applied_object.h"

#include "host/formats/file_bytes.h"
#include "host/formats/lightwave_object.h"
#include "host/formats/lwo2_corner_map.h"
#include "host/formats/lwo2_part_edit.h"
#include "host/formats/lwo2_shader_edit.h"
#include "host/formats/lwo2_writer.h"
#include "host/formats/lwo3_to_lwo2.h"
#include "host/formats/object_reader.h"
#include "host/scene/plural.h"
#include "host/scene/polygon_set_sources.h"
#include "host/scene/quoted_list.h"
#include "host/session/shader_blocks.h"
#include "tools/velmora/apply_target.h"
#include "tools/velmora/conversion_losses.h"
#include "tools/velmora/part_replacements.h"
#include "tools/velmora/surface_proposal_summary.h"

namespace {

std::string NotCarried(const ObjectOptions &object, const std::string &loss) {
    return "warning: " + object.object + ": not carried over: " + loss;
}

// One line per surface the proposal gave sets to or left polygons of.
std::vector<std::string> ProposedSetsWritten(const std::string &setsFrom, const ObjectFile &file,
                                             const SetProposal &proposal) {
    std::vector<std::string> notes;
    for (const std::string &surface : file.surfaces)
        if (std::string summary = SurfaceProposalSummary(file.mesh, proposal, surface);
            !summary.empty())
            notes.push_back("polygon sets from " + setsFrom + " written as PART tags: surface " +
                            QuotedName(surface) + ": " + summary);
    return notes;
}

std::vector<std::string> EditLwo2(const ObjectOptions &object, const OpenedObject &opened,
                                  const std::vector<ShaderBlock> &blocks,
                                  std::vector<std::uint8_t> input, const std::string &output,
                                  const SetProposal *proposal) {
    std::vector<std::string> notes;
    std::string setsFrom = SetsFromOfRun(object);
    if (proposal && !proposal->sets.empty()) {
        input = EditPartTags(input, object.object, PartsOf(opened.file().mesh));
        notes = ProposedSetsWritten(setsFrom, opened.file(), *proposal);
    } else if (!setsFrom.empty()) {
        std::vector<PolygonTag> before = PartsOf(ParseObjectFile(input, object.object)->mesh);
        std::vector<PolygonTag> after = PartsOf(opened.file().mesh);
        input = EditPartTags(input, object.object, after);
        notes.push_back("polygon sets from " + setsFrom +
                        " written as PART tags: " + Plural(opened.sets().names.size(), "set"));
        for (const std::string &line : PartReplacements(before, after))
            notes.push_back("PART tags: " + line);
    }
    Lwo2ShaderEdit edit = EditShaderBlocks(input, object.object, ShaderServer,
                                           ChangedShaderData(opened.file(), blocks, ShaderServer));
    WriteFileAtomically(output, edit.bytes);
    if (edit.notes.empty()) edit.notes.push_back("no shader settings changed");
    notes.insert(notes.end(), edit.notes.begin(), edit.notes.end());
    return notes;
}

std::vector<std::string> Convert(const ObjectOptions &object, const OpenedObject &opened,
                                 const std::vector<ShaderBlock> &blocks,
                                 const std::vector<std::uint8_t> &input, const std::string &output,
                                 const SetProposal *proposal) {
    ObjectFile result = opened.file();
    result.shaders = blocks;
    WriteLwo2(result, output);
    std::vector<std::string> warnings;
    if (proposal && !proposal->sets.empty())
        warnings = ProposedSetsWritten(SetsFromOfRun(object), result, *proposal);
    for (const std::string &loss :
         ConversionLosses(object.object, input, PolygonSetSourceNamed(SetsFromOfRun(object))))
        warnings.push_back(NotCarried(object, loss));
    for (const std::string &loss : CornerValuesLwo2CannotKeep(result.mesh))
        warnings.push_back(NotCarried(object, loss));
    return warnings;
}

}  // namespace

ApplyInput ReadApplyInput(const std::string &path) {
    ApplyInput input;
    input.bytes = ReadFileBytes(path);
    // An LWO3 object becomes LWO2 first, by its bytes, and is then edited as one.
    if (IffFormType(input.bytes) == "LWO3") {
        Lwo3Conversion conversion = ConvertLwo3ToLwo2(input.bytes, path);
        input.bytes = std::move(conversion.bytes);
        input.losses = std::move(conversion.losses);
        input.convertedFromLwo3 = true;
    }
    return input;
}

void CheckApplyOutput(const std::string &object, const ApplyInput &input,
                      const std::string &output) {
    CheckApplyTarget(object, output, IsLwo2Object(input.bytes) && !input.convertedFromLwo3);
}

std::vector<std::string> WriteAppliedObject(const ObjectOptions &object, OpenedObject &opened,
                                            const ApplyInput &input, const std::string &output,
                                            const SetProposal *proposal) {
    std::vector<ShaderBlock> blocks = ShaderBlocksWithSettings(opened.session(), opened.file());
    std::vector<std::string> lines =
        IsLwo2Object(input.bytes) ? EditLwo2(object, opened, blocks, input.bytes, output, proposal)
                                  : Convert(object, opened, blocks, input.bytes, output, proposal);
    for (const std::string &loss : input.losses) lines.push_back(NotCarried(object, loss));
    return lines;
}
