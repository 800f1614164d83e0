#include "host/scene/name_lookup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ThrowsMessage;

TEST(NameLookup, FindsANameOrSaysWhatWasAskedAndWhatThereIs) {
    EXPECT_EQ(SurfaceIndex({"Default", "Other"}, "Other", "knob.lwo"), 1u);
    EXPECT_EQ(PolygonSetIndex({"Base", "Walls"}, "Base", {"knob.lwo", "Steel"}), 0u);
    EXPECT_THAT(
        [] {
            SurfaceIndex({"Default", "Other"}, "Glass", "knob.lwo");
        },
        ThrowsMessage<UnknownName>(
            "no surface named \"Glass\" in knob.lwo (surfaces: \"Default\", \"Other\")"));
    EXPECT_THAT(
        [] {
            PolygonSetIndex({"Base", "Walls"}, "Handle", {"knob.lwo", "Steel"});
        },
        ThrowsMessage<UnknownName>("no polygon set named \"Handle\" on surface \"Steel\" "
                                   "in knob.lwo (sets: \"Base\", \"Walls\")"));
    EXPECT_THAT([] { PolygonSetIndex({}, "Lid\n", {"plain.obj"}); },
                ThrowsMessage<UnknownName>(
                    "no polygon set named \"Lid\\n\" in plain.obj (no polygon sets)"));
}

TEST(NameLookup, CutsALongListWithACount) {
    std::vector<std::string> many(4892, "Set");
    EXPECT_THAT([&] { SurfaceIndex(many, "Glass", "big.lwo"); },
                ThrowsMessage<UnknownName>(::testing::EndsWith("\"Set\" and 4,872 more)")));
}

}  // namespace
