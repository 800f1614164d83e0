#include "tools/velmora/conversion_losses.h"

#include <gtest/gtest.h>

#include "host/formats/iff_form_testing.h"

namespace {

std::vector<std::string> LossesOfObj(std::string_view text,
                                     std::optional<PolygonSetSource> setsFrom = std::nullopt) {
    return ConversionLosses(
        "in.OBJ", {reinterpret_cast<const std::uint8_t *>(text.data()), text.size()}, setsFrom);
}

TEST(ConversionLosses, CountsEachKindOfObjStatementTheConversionDrops) {
    EXPECT_EQ(LossesOfObj("# a quad\nmtllib quad.mtl\nv 0 0 0\nv 1 0 0\nv 1 1 0\r\n"
                          "vt 0 0\nvt 1 0\n  vt 1 1\nvn 0 0 1\ng Left\nusemtl Body\ns 1\n"
                          "f 1/1/1 2/2/1 3/3/1\ncurv 0 1 1 2\n\n"),
              (std::vector<std::string>{
                  "material libraries (surfaces keep only the materials' names): 1 mtllib "
                  "statement",
                  "smoothing groups: 1 s statement", "other content: 1 curv statement"}));
}

TEST(ConversionLosses, NothingIsLostOfAnObjOfPointsFacesGroupsMaterialsUvsAndNormals) {
    EXPECT_TRUE(LossesOfObj("v 0 0 0\nv 1 0 0\nv 1 1 0\nvt 0 1\nvn 0 0 1\no Part\nusemtl Body\n"
                            "f 1/1/1 2/1/1 3/1/1\nl 1 2\np 3\n")
                    .empty());
}

TEST(ConversionLosses, OnlyWhatThePolygonSetsWereMadeOfIsCarriedAsParts) {
    constexpr char kGroupedAndSmoothed[] =
        "v 0 0 0\nv 1 0 0\nv 1 1 0\ng Left\no Part\ns 1\nf 1 2 3\n";
    const std::string groups =
        "groups (the polygon sets were made of something else): 1 g "
        "statement";
    const std::string objects =
        "object names (the polygon sets were made of something else): 1 "
        "o statement";
    EXPECT_EQ(LossesOfObj(kGroupedAndSmoothed, PolygonSetSource::smoothingGroups),
              (std::vector<std::string>{groups, objects}));
    EXPECT_EQ(LossesOfObj(kGroupedAndSmoothed, PolygonSetSource::surfaces),
              (std::vector<std::string>{groups, objects, "smoothing groups: 1 s statement"}));
    EXPECT_EQ(LossesOfObj(kGroupedAndSmoothed, PolygonSetSource::groups),
              std::vector<std::string>{"smoothing groups: 1 s statement"});
}

TEST(ConversionLosses, OfLightWaveObjectsNamesTheChunksDropped) {
    auto lwob = FormBytes(LWID_('L', 'W', 'O', 'B'), [](IffWriter &out) {
        Chunk(out, LWID_('C', 'R', 'V', 'S'), [](IffWriter &) {});
    });
    EXPECT_EQ(ConversionLosses("old.lwo", lwob), std::vector<std::string>{"curves (CRVS)"});
    auto lwo3 = FormBytes(
        kLwo3Id, [](IffWriter &out) { Form(out, LWID_('E', 'N', 'V', 'L'), [](IffWriter &) {}); });
    EXPECT_EQ(ConversionLosses("new.lwo", lwo3), std::vector<std::string>{"envelope (ENVL)"});
}

}  // namespace
