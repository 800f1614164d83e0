#include "host/scene/utf8_text.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

TEST(Utf8Text, KeepsUtf8AndReadsAnythingElseAsLatin1) {
    for (const char *text : {"Caf\xC3\xA9", "\xE2\x82\xAC 5", "\xF0\x9F\x99\x82", "\xEF\xBF\xBD"})
        EXPECT_EQ(Utf8Text(text), text);
    EXPECT_EQ(Utf8Text(std::string("a\0b", 3)), std::string("a\0b", 3));
    EXPECT_EQ(Utf8Text("M\xE9tal"), "M\xC3\xA9tal");
    EXPECT_EQ(Utf8Text("\x80\xFF"), "\xC2\x80\xC3\xBF");
    // None of these is UTF-8, so all their bytes are Latin-1, those of a whole sequence too.
    const std::pair<const char *, const char *> notUtf8[] = {
        {"\xC0\xAF", "\xC3\x80\xC2\xAF"},                          // overlong "/"
        {"\xE0\x80\xAF", "\xC3\xA0\xC2\x80\xC2\xAF"},              // overlong "/" in three bytes
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xC2\x80"},              // a surrogate
        {"\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xC2\x80\xC2\x80"},  // past U+10FFFF
        {"\xC3\xA9\xE2\x82", "\xC3\x83\xC2\xA9\xC3\xA2\xC2\x82"},  // cut short
        {"e\xA9", "e\xC2\xA9"},                                    // a stray continuation byte
    };
    for (auto [bytes, text] : notUtf8) {
        EXPECT_FALSE(IsUtf8(bytes)) << bytes;
        EXPECT_EQ(Utf8Text(bytes), text);
    }
}

}  // namespace
