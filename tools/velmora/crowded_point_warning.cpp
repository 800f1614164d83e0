#include "tools/velmora/crowded_point_warning.h"

#include <cstdio>

#include "host/scene/busiest_point.h"
#include "host/scene/printable_text.h"

namespace {

// A rough pace of the module's smoothing on one core, enough to tell seconds from hours.
constexpr double VisitsPerSecond = 2e8;

std::string DurationText(double seconds) {
    char text[48];
    if (seconds < 90)
        std::snprintf(text, sizeof text, "%.0f seconds", seconds);
    else if (seconds < 5400)
        std::snprintf(text, sizeof text, "%.0f minutes", seconds / 60);
    else
        std::snprintf(text, sizeof text, "%.0f hours", seconds / 3600);
    return text;
}

}  // namespace

std::optional<std::string> CrowdedPointWarning(const ObjectFile &file) {
    PointShare busiest = BusiestPoint(file.mesh);
    if (busiest.corners < CrowdedPointCorners) return std::nullopt;
    const auto &at = file.mesh.points[busiest.point];
    double visits = double(busiest.corners) * double(busiest.corners);
    char text[320];
    std::snprintf(text, sizeof text,
                  ": point %d (%g, %g, %g) is shared by %zu polygon corners; the module's "
                  "smoothing visits every polygon there for each of them, %.2g visits, about "
                  "%s of one core",
                  busiest.point, at[0], at[1], at[2], busiest.corners, visits,
                  DurationText(visits / VisitsPerSecond).c_str());
    return PrintableText(file.filename) + text;
}

void WarnOfCrowdedPoint(OpenedObject &opened) {
    if (opened.session().hooksOf(opened.file()).empty()) return;
    if (std::optional<std::string> warning = CrowdedPointWarning(opened.file()))
        std::fprintf(stderr, "velmora: warning: %s\n", warning->c_str());
}
