// Export from the view: the object with the module's normals as the settings stand now, as the
// glb `velmora normals --format glb` writes, handed to the browser as a download.
#pragma once

#include <string>

#include "tools/view/view_object.h"

// The glb's bytes. Throws std::system_error when they cannot be made.
std::string GlbOf(const ViewObject &object);

// The object's file name with .glb for its extension, in characters any browser and file system
// take as they are; others become "_".
std::string GlbDownloadName(const std::string &objectPath);
