// A surface's look (colour, diffuse, luminosity, specular, glossiness, reflection, transparency,
// sides) in the surface sub-chunks of LWO2, which LWO3 lays out alike under 4-byte sizes. The
// values are read and written without their envelopes: the scene model holds no animation.
#pragma once

#include "host/formats/iff_cursor.h"
#include "host/formats/iff_writer.h"
#include "host/scene/scene.h"

// Reads `body` into `look` when `id` is one of the look's sub-chunks; false leaves it be. A body
// too short for its values leaves the look as it was.
bool ReadSurfaceLookChunk(LWID id, IffCursor &body, SurfaceLook &look);

// Each value the look has as a sub-chunk of the surface being written.
void WriteSurfaceLook(IffWriter &out, const SurfaceLook &look);
