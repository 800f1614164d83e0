// The module smooths a corner by visiting every polygon at its point, as it is designed to: at a
// point shared by n corners that is n² visits, hours for a fan of a few hundred thousand
// triangles. The tool warns before such work starts, naming the point and the cost.
#pragma once

#include <optional>
#include <string>

#include "host/scene/scene.h"
#include "host/session/opened_object.h"

// From this many corners at one point the visits run into the tens of millions.
constexpr std::size_t CrowdedPointCorners = 4096;

// The warning for the object's busiest point, or none below CrowdedPointCorners.
std::optional<std::string> CrowdedPointWarning(const ObjectFile &file);

// Prints the warning to standard error when the module smooths the object's surfaces.
void WarnOfCrowdedPoint(OpenedObject &opened);
