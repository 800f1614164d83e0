// The objects that show what the shader is for, with the settings each polygon set needs. The
// example files in examples/preview are written from them by make_examples.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/scene/scene.h"
#include "host/session/scripted_set_edits.h"

struct PreviewObject {
    std::string stem;     // file name without extension
    std::string surface;  // the one surface, which carries the shader
    MeshData mesh;
    std::vector<SetRequest> settings;  // per polygon set, in the order the dialog is worked
    // The host's own smoothing of the surface: the single angle that comes closest to what the
    // module does, so that the host's picture shows the best it can do alone.
    double hostSmoothingDegrees;
};

// The object file of a preview object, its surface smoothed at its host angle, before any
// shader is added.
std::shared_ptr<ObjectFile> PreviewFile(const PreviewObject &object);

// A plate with rounded vertical edges and chamfered top edges, carrying a round boss with a
// filleted foot, a chamfered rim and a bore, in few polygons. The fillets turn in 45-degree steps
// and smooth across into the faces beside them, which stay flat; the boss's twelve facets shade
// round beside chamfers that crease by only 20 degrees and stay crisp.
PreviewObject MachinedPart();

// A knob of eight facets, 45 degrees apart, that shade round, between chamfers that break the
// walls by 30 degrees and stay crisp. Its base keeps the host's own smoothing.
PreviewObject BandedKnob();

// A bottle of 32 facets whose body rounds over its shoulder into a narrow neck, its lip
// chamfered, on a flat base under a flat top. One smoothing angle already shades it as its sets
// do, so it is no preview object of its own: it shows the sets proposed from the shape of an
// everyday object.
PreviewObject Bottle();

// The objects on which the module does what no single smoothing angle does.
std::vector<PreviewObject> PreviewObjects();

// Every object of examples/preview: the preview objects and the bottle.
std::vector<PreviewObject> ExampleObjects();
