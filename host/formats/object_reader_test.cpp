#include "host/formats/object_reader.h"

#include <gtest/gtest.h>

namespace {

TEST(ObjectReader, TheExtensionIsTheFileNamesOwnInAnyCase) {
    EXPECT_EQ(ObjectExtension("models/Knob.LWO"), "lwo");
    EXPECT_EQ(ObjectExtension("scan.obj"), "obj");
    EXPECT_EQ(ObjectExtension("old.d/knob"), "");
    EXPECT_EQ(ObjectExtension("knob"), "");
    EXPECT_TRUE(ReadsAsObj("Scan.OBJ"));
    EXPECT_FALSE(ReadsAsObj("objects.obj/knob"));
}

}  // namespace
