// The objects that show what the shader is for, with the settings each polygon set needs. The
// example files in examples/preview are written from them by make_examples.
#pragma once

#include <string>
#include <vector>

#include "host/scene/scene.h"
#include "host/session/scripted_set_edits.h"

struct PreviewObject {
    std::string stem;     // file name without extension
    std::string surface;  // the one surface, which carries the shader
    MeshData mesh;
    std::vector<SetRequest> settings;  // per polygon set, in the order the dialog is worked
};

// A plate with rounded vertical edges and chamfered top edges, carrying a round boss with a
// filleted foot, a chamfered rim and a bore. Its sets need different angles: the fillets and
// cylinders are smooth, while the flat faces and chamfers, which meet at 45 degrees, stay crisp.
PreviewObject MachinedPart();

// A turned knob whose bands (foot, waist, grip, cap) are each smoothly curved and meet their
// neighbours at creases shallower than the smoothing angle: only keeping smoothing within each
// set keeps the creases.
PreviewObject BandedKnob();

std::vector<PreviewObject> PreviewObjects();
