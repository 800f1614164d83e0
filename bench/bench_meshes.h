// Meshes made once per process and shared by the benchmarks: quad grids of a given polygon count
// with samples spread over them, and a large torus as OBJ text.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/render/shading_record.h"
#include "host/scene/scene.h"

// A square-ish grid of about `polygons` quads, all of set "grid".
std::shared_ptr<ObjectFile> GridFile(int polygons);

enum class SampleOrder {
    random,  // pseudo-random polygons: every sample meets cold memory, the worst case
    sweep,   // polygons in mesh order, as a renderer's neighbouring pixels meet them
};

// `count` samples over all of `item`'s polygons at pseudo-random positions, the same every run.
std::vector<render::ShadingRecord> SpreadSamples(const ObjectItem &item, int count,
                                                 SampleOrder order);

// A torus of 1M quads in eight parts, as the OBJ writer writes it: what the reading and proposing
// benchmarks read.
const std::string &TorusObjText();
