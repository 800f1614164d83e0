#include "host/formats/obj_writer.h"

#include <gtest/gtest.h>

#include "host/formats/obj_reader.h"
#include "host/scene/sample_objects.h"

namespace {

TEST(ObjWriter, ReadingTheTextBackGivesTheSameMesh) {
    for (const SampleObject &sample : SampleObjects()) {
        if (!sample.fitsObj) continue;
        ObjectFile read = ParseObj(ObjText(sample.object), sample.stem);
        EXPECT_EQ(read.surfaces, sample.object.surfaces) << sample.stem;
        ASSERT_EQ(read.mesh.points.size(), sample.object.mesh.points.size()) << sample.stem;
        for (std::size_t i = 0; i < read.mesh.points.size(); ++i)
            for (int axis = 0; axis < 3; ++axis)
                EXPECT_FLOAT_EQ(read.mesh.points[i][axis], sample.object.mesh.points[i][axis]);
        EXPECT_EQ(read.mesh.polygons, sample.object.mesh.polygons) << sample.stem;
    }
}

TEST(ObjWriter, StartsGroupsAndMaterialsWhereTheyChange) {
    ObjectFile object;
    object.filename = "tiny";
    object.mesh.points = {{0, 0, 0}, {1, 0.5f, 0}};
    MeshPolygon a;
    a.points = {0, 1};
    a.part.emplace("P");
    a.surface.emplace("S");
    MeshPolygon b;
    b.points = {1, 0, 1};
    object.mesh.polygons = {a, b};
    EXPECT_EQ(ObjText(object), "# tiny\nv 0 0 0\nv 1 0.5 0\nf 2 1 2\ng P\nusemtl S\nl 1 2\n");
}

}  // namespace
