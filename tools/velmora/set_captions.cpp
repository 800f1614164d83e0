#include "tools/velmora/set_captions.h"

#include <cstdio>
#include <map>

#include "host/scene/printable_text.h"
#include "host/session/dialog_settings.h"
#include "tools/velmora/set_settings_words.h"

namespace {

// The surface of the first polygon of each set.
std::map<std::string, std::string> SurfaceOfSet(const ObjectFile &file) {
    std::map<std::string, std::string> surfaceOf;
    for (const MeshPolygon &polygon : file.mesh.polygons)
        if (polygon.part && polygon.surface) surfaceOf.try_emplace(*polygon.part, *polygon.surface);
    return surfaceOf;
}

render::SetLabel Described(const DialogSettings &shown) {
    if (!shown.enabled) return {KeepsHostSmoothing, false};
    char angle[32];
    std::snprintf(angle, sizeof angle, "%g", shown.angleDegrees);
    return {std::string("smoothed ") + angle + "\xC2\xB0" +
                (shown.sameSetOnly ? " within the set" : ""),
            true};
}

// A legend line holds a name of a width a picture can show.
std::string CaptionName(const std::string &set) {
    constexpr std::size_t Longest = 60;
    std::string shown = PrintableText(std::string_view(set).substr(0, Longest));
    return set.size() > Longest ? shown + "..." : shown;
}

}  // namespace

std::vector<render::SetLabel> SetCaptions(HostSession &session, const ObjectFile &file,
                                          const std::vector<std::string> &sets) {
    std::map<std::string, std::string> surfaceOf = SurfaceOfSet(file);
    std::map<std::string, render::SetLabel> described;
    // One look at the dialog per surface: pick each of its sets and read what it shows.
    std::map<LWInstance, std::vector<std::string>> looks;
    for (const std::string &set : sets) {
        auto surface = surfaceOf.find(set);
        LWInstance instance =
            surface == surfaceOf.end() ? nullptr : session.instanceOf(file, surface->second);
        if (instance)
            looks[instance].push_back(set);
        else
            described[set] = {KeepsHostSmoothing, false};
    }
    for (const auto &[instance, shownSets] : looks)
        for (const auto &[set, shown] : ReadDialogSettings(session, instance, shownSets))
            described[set] = Described(shown);
    std::vector<render::SetLabel> captions;
    for (const std::string &set : sets)
        captions.push_back(
            {CaptionName(set) + ": " + described[set].text, described[set].smoothed});
    return captions;
}
