#include "host/formats/lwo2_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "host/formats/file_bytes.h"
#include "host/formats/format_error_testing.h"
#include "host/formats/lwo2_reader.h"
#include "host/scene/sample_objects.h"

namespace {

ObjectFile RoundTrip(const ObjectFile &object) {
    return ParseLwo2(EncodeLwo2(object, object.filename), object.filename);
}

TEST(Lwo2Writer, ReadingWhatWasWrittenGivesTheSameObject) {
    for (const SampleObject &sample : SampleObjects())
        EXPECT_EQ(RoundTrip(sample.object), sample.object) << sample.stem;
}

TEST(Lwo2Writer, KeepsEachSurfacesSmoothingAngle) {
    ObjectFile object = SampleCylinder(6);
    object.smoothing = {{"Paint", 0.25f}};
    EXPECT_EQ(RoundTrip(object), object);
    object.smoothing["Metal"] = 1.5f;
    EXPECT_EQ(RoundTrip(object), object);
}

TEST(Lwo2Writer, KeepsEachSurfacesColour) {
    ObjectFile object = SampleCylinder(6);
    object.looks["Metal"].colour = {0.25f, 0.5f, 1.5f};
    EXPECT_EQ(RoundTrip(object), object);
}

TEST(Lwo2Writer, KeepsPolygonOrderAcrossTypesAndLargeIndices) {
    ObjectFile object;
    object.mesh.points.resize(0x10000, {1, 2, 3});
    MeshPolygon face;
    face.points = {0xFFFF, 0xFF00, 2};
    MeshPolygon curve = face;
    curve.type = LWID_('C', 'U', 'R', 'V');
    curve.part = "Spline";
    face.surface = "Skin";
    object.mesh.polygons = {face, curve, face, curve, curve};
    object.surfaces = {"Skin"};
    EXPECT_EQ(RoundTrip(object), object);
}

TEST(Lwo2Writer, KeepsShaderDataUpToTheLargestASubChunkHolds) {
    ObjectFile object = SampleBox();
    // BLOK: 6 (SHDR header) + 2 (ordinal) + 8 (ENAB) + 6 (FUNC header) + 12 (name) + data,
    // and a pad byte when the data is odd: 65500 data bytes make 65534.
    object.shaders[0].data.assign(65500, 0x5A);
    EXPECT_EQ(RoundTrip(object), object);
}

TEST(Lwo2Writer, RefusesAShaderBlockLargerThanASubChunk) {
    ObjectFile object = SampleBox();
    object.shaders[0].data.assign(65501, 0x5A);
    EXPECT_EQ(FormatErrorOf([&] { EncodeLwo2(object, "big.lwo"); }),
              "big.lwo: surface \"Box\": shader block KV_Velmora with 65501 data bytes needs a "
              "sub-chunk of 65536 bytes, more than the 65535 one holds");
}

TEST(Lwo2Writer, RefusesWhatTheFormatCannotHold) {
    auto error = [](const ObjectFile &object) {
        return FormatErrorOf([&] { EncodeLwo2(object, "x.lwo"); });
    };
    ObjectFile object = SampleBox();
    object.mesh.polygons[2].points[1] = 8;
    EXPECT_EQ(error(object), "x.lwo: polygon 2: point index 8 out of range (8 points)");

    object = SampleBox();
    object.mesh.polygons[0].points.assign(1024, 0);
    EXPECT_EQ(error(object), "x.lwo: polygon 0 has 1024 points, the format holds at most 1023");

    object = SampleBox();
    object.shaders[0].surface = "Lost";
    EXPECT_EQ(error(object),
              "x.lwo: shader block KV_Velmora belongs to surface \"Lost\", which "
              "the object does not have");

    object = SampleBox();
    object.smoothing["Lost"] = 1;
    EXPECT_EQ(error(object),
              "x.lwo: smoothing of surface \"Lost\", which the object does not have");

    object = SampleBox();
    object.surfaces.push_back("Box");
    EXPECT_EQ(error(object), "x.lwo: surface \"Box\" is listed twice");

    object = SampleBox();
    object.mesh.polygons[0].part = std::string("a\0b", 3);
    EXPECT_EQ(error(object), "x.lwo: tag \"a...\" holds a NUL byte");
}

TEST(Lwo2Writer, FailureLeavesTheOldFileAsItWas) {
    std::string path =
        (std::filesystem::temp_directory_path() / "velmora_writer_test.lwo").string();
    WriteLwo2(SampleBox(), path);
    std::vector<std::uint8_t> before = ReadFileBytes(path);
    ObjectFile object = SampleBox();
    object.shaders[0].data.assign(70000, 1);
    EXPECT_THROW(WriteLwo2(object, path), FormatError);
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_EQ(ReadLwo2(path).mesh, SampleBox().mesh);
    EXPECT_FALSE(std::filesystem::exists(path + ".writing"));
    std::filesystem::remove(path);
}

}  // namespace
