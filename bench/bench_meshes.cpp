#include "bench/bench_meshes.h"

#include <cmath>
#include <map>
#include <random>

#include "host/formats/obj_writer.h"
#include "host/scene/mesh_generators.h"

std::shared_ptr<ObjectFile> GridFile(int polygons) {
    static std::map<int, std::shared_ptr<ObjectFile>> made;
    std::shared_ptr<ObjectFile> &file = made[polygons];
    if (!file) {
        int side = static_cast<int>(std::lround(std::sqrt(polygons)));
        // A gentle fold keeps the angle test meaningful.
        file = MakeObjectFile("grid.lwo",
                              MakeFoldedGrid(side, side, 0.3, {.surface = "S", .part = "grid"}));
    }
    return file;
}

std::vector<render::ShadingRecord> SpreadSamples(const ObjectItem &item, int count,
                                                 SampleOrder order) {
    std::mt19937 random(1234);
    int polygons = static_cast<int>(item.file->mesh.polygons.size());
    std::uniform_int_distribution<int> polygon(0, polygons - 1);
    std::uniform_real_distribution<float> position(0.0f, 1.0f);
    std::vector<render::ShadingRecord> samples;
    samples.reserve(count);
    for (int index = 0; index < count; ++index) {
        int on = order == SampleOrder::random
                     ? polygon(random)
                     : static_cast<int>(static_cast<long long>(index) * polygons / count);
        samples.push_back(render::SampleOn(item, on, position(random), position(random)));
    }
    return samples;
}

const std::string &TorusObjText() {
    static const std::string text = [] {
        ObjectFile torus;
        torus.filename = "torus";
        torus.mesh = MakeTorus(1000, 1000, 8);
        return ObjText(torus);
    }();
    return text;
}
