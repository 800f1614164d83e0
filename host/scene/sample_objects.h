// Small objects that exercise the object-file formats: polygon sets, several surfaces, shader
// blocks, polygon types and two-point polygons. The example files are written from them, and
// tests use them directly.
#pragma once

#include <string>
#include <vector>

#include "host/scene/scene.h"

// A box of six quads in two polygon sets ("Lid": top and bottom; "Sides"), surface "Box"
// carrying a KV_Velmora shader block.
ObjectFile SampleBox();
// A cylinder of `segments` wall quads (set "Wall", surface "Metal") and two caps (set "Cap",
// surface "Paint"); "Metal" carries two shader blocks, one of them disabled.
ObjectFile SampleCylinder(int segments);
// A square face with a frame of two-point polygons around it, in no polygon set.
ObjectFile SampleFrame();
// The frame with a curve: a polygon of type CURV, which only LWO2 can hold.
ObjectFile SampleCurve();

struct SampleObject {
    std::string stem;  // file name without extension
    ObjectFile object;
    bool fitsObj;  // whether OBJ holds its mesh, surfaces and parts (it has no shaders)
};
std::vector<SampleObject> SampleObjects();
