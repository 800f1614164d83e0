#include "host/scene/printable_text.h"

#include <gtest/gtest.h>

namespace {

TEST(PrintableText, EscapesWhatWouldBreakALineOrDriveATerminal) {
    EXPECT_EQ(PrintableText("Lid\nvelmora: error: fake"), "Lid\\nvelmora: error: fake");
    EXPECT_EQ(PrintableText("\x1b[2J\r\t\x7f"), "\\x1b[2J\\r\\t\\x7f");
    EXPECT_EQ(PrintableText(std::string("a\0b", 3)), "a\\x00b");
    EXPECT_EQ(PrintableText("\xC2\x9B"
                            "31m"),
              "\\xc2\\x9b31m");  // CSI as UTF-8 encodes it
}

TEST(PrintableText, LeavesOtherTextAsItIs) {
    EXPECT_EQ(PrintableText("C:\\objects\\Kopf \xC3\xBC\xC2\xB0.lwo"),
              "C:\\objects\\Kopf \xC3\xBC\xC2\xB0.lwo");
    EXPECT_EQ(PrintableText("\xC2"), "\xC2");  // a sequence cut short stays as it is
}

}  // namespace
