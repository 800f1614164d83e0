#include "examples/turned_profile.h"

#include <cmath>
#include <numbers>
#include <utility>

MeshData Turned(int slots, const std::vector<ProfileStep> &profile, const std::string &base,
                const std::string &top, const std::string &surface, double apexRise) {
    std::vector<double> angles;
    for (int slot = 0; slot < slots; ++slot) angles.push_back(2 * std::numbers::pi * slot / slots);
    RingStack stack;
    std::vector<std::string> parts;
    for (const ProfileStep &step : profile) {
        stack.rings.push_back(Circle(angles, step.radius, step.y));
        parts.push_back(step.part);
    }
    stack.partOf = [parts](int ring, int) { return parts[ring + 1]; };
    stack.bottomPart = base;
    stack.apexPart = top;
    stack.apex = {0, profile.back().y + apexRise, 0};
    return StitchRings(stack, surface);
}

ProfileStep OnArc(double centreRadius, double centreY, double radius, double degrees,
                  std::string part) {
    double angle = degrees * std::numbers::pi / 180;
    return {centreRadius + radius * std::cos(angle), centreY + radius * std::sin(angle),
            std::move(part)};
}
