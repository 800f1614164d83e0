#include "host/loader/module_session_check.h"

#include <cstdio>
#include <vector>

#include "host/panels/options_dialog_labels.h"
#include "host/panels/scripted_user.h"
#include "host/render/shader_hook.h"
#include "host/render/shading_record.h"
#include "host/session/folded_scene_testing.h"
#include "host/session/host_session.h"
#include "host/session/instance_stream.h"
#include "host/streams/stream_file.h"

namespace {

// The normal the module gives a sample on the left quad beside the fold, rounded to what both
// floating-point units agree on (a zero prints without its sign).
void PrintShading(HostSession &session, LWInstance instance, const char *when) {
    render::ShaderPass pass(session.hooksOf(*session.scene().items[0].file));
    render::ShadingRecord sample = session.sampleOn(0, 0, 0.9f, 0.5f);
    session.shade(instance, sample);
    const double *normal = sample->wNorm;
    std::printf("session: %s, normal beside the fold %.6f %.6f %.6f\n", when, normal[0] + 0.0,
                normal[1] + 0.0, normal[2] + 0.0);
}

// Edits the settings of a fresh scene's instance in the dialog; returns them saved in binary form.
std::vector<unsigned char> EditAndSave(const std::string &modulePath) {
    HostSession session(FoldedTwoSetScene(0.7), modulePath);
    LWInstance instance = session.attach(*session.scene().items[0].file, "Metal");
    PrintShading(session, instance, "before the dialog");
    ScriptedUser user;
    user.pick(dialog_label::SetPopup, "Left")
        .setBox(dialog_label::Enable, true)
        .typeAngle(dialog_label::Angle, 50.0);
    session.editOptions(instance, user);
    std::printf("session: dialog opened; \"Left\" smoothed at 50 degrees\n");
    PrintShading(session, instance, "after the dialog");
    std::vector<unsigned char> text = SavedBytes(session, instance, LWIO_ASCII);
    std::printf("session: saved, text form:\n%.*s", static_cast<int>(text.size()),
                reinterpret_cast<const char *>(text.data()));
    std::vector<unsigned char> binary = SavedBytes(session, instance, LWIO_BINARY);
    std::printf("session: saved, binary form, %zu bytes:", binary.size());
    for (unsigned char byte : binary) std::printf(" %02x", byte);
    std::printf("\n");
    return binary;
}

}  // namespace

void PrintModuleSession(const std::string &modulePath) {
    std::vector<unsigned char> saved = EditAndSave(modulePath);
    HostSession session(FoldedTwoSetScene(0.7), modulePath);
    LWInstance instance = session.attach(*session.scene().items[0].file, "Metal");
    LoadInstance(session, instance, *MakeLoadStream(LWIO_BINARY, saved));
    std::printf(
        "session: loaded into a fresh scene, saves %s\n",
        SavedBytes(session, instance, LWIO_BINARY) == saved ? "the same bytes" : "other bytes");
    PrintShading(session, instance, "after loading");
}
