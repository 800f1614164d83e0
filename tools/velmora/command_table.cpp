#include "tools/velmora/command_table.h"

const std::vector<CommandRecord> &CommandTable() {
    static const std::vector<CommandRecord> table = {
        {"normals",
         "the normal the module gives every polygon corner, as CSV or as a mesh for other tools "
         "(OBJ, glTF binary)",
         MakeNormalsCommand},
        {"parts", "each surface with its polygon sets, polygon counts and current settings",
         MakePartsCommand},
        {"apply",
         "store the settings in the object's surfaces: an LWO2 object is edited, keeping all "
         "else; an LWO3, LWOB or OBJ object is converted to LWO2, naming what it drops",
         MakeApplyCommand},
#ifdef VELMORA_RENDER
        {"render",
         "a preview picture shaded by the module, or with --compare beside the host's shading and "
         "the polygon sets",
         MakeRenderCommand},
        {"dialog",
         "a picture of the module's options dialog for one surface (--surface; default: the "
         "first), as the host shows it with the settings given",
         MakeDialogCommand},
#endif
#ifdef VELMORA_VIEW
        {"view",
         "the object in a web browser, shaded by the module, its polygon sets tuned live through "
         "the module's own dialog",
         MakeViewCommand},
#endif
    };
    return table;
}

const CommandRecord *FindCommand(const std::string &name) {
    for (const CommandRecord &record : CommandTable())
        if (name == record.name) return &record;
    return nullptr;
}
