#include "host/formats/id_text.h"

#include <gtest/gtest.h>

namespace {

TEST(IdText, ShowsOnlyPrintableLetters) {
    EXPECT_EQ(IdText(LWID_('P', 'T', 'A', 'G')), "PTAG");
    EXPECT_EQ(IdText(0x00415A7F), "?AZ?");
}

}  // namespace
