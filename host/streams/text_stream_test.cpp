#include "host/streams/text_stream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "host/streams/every_kind_testing.h"
#include "host/streams/text_read_testing.h"

namespace {

constexpr LWBlockIdent Outer[] = {{LWID_('O', 'U', 'T', 'R'), "Outer"}, {0, nullptr}};
constexpr LWBlockIdent Inner[] = {{LWID_('I', 'N', 'N', 'R'), "Inner"}, {0, nullptr}};
constexpr LWBlockIdent Size[] = {{LWID_('S', 'I', 'Z', 'E'), "Size"}, {0, nullptr}};

std::string Text(const SaveStream &stream) {
    const auto &bytes = stream.bytes();
    return std::string(bytes.begin(), bytes.end());
}

TextLoadStream Load(const std::string &text) {
    return TextLoadStream(std::vector<unsigned char>(text.begin(), text.end()));
}

TEST(TextSaveStream, ALinePerWriteBlocksIndentedLeafBlocksOnOneLine) {
    TextSaveStream stream;
    const LWSaveState &s = *stream.state();
    const int counts[] = {256, -3};
    const unsigned int id = 0x50555352;
    const unsigned char bytes[] = {0x3F, 0xF8, 0x00};
    const float floats[] = {0.1f, -2.5f};
    const short shorts[] = {-7};
    const unsigned short ushorts[] = {0xBEEF};
    s.writeI4(s.writeData, counts, 2);
    s.beginBlk(s.writeData, Outer, 0);
    s.writeStr(s.writeData, "a \"quoted\" name");
    s.writeU4(s.writeData, &id, 1);
    s.beginBlk(s.writeData, Inner, 0);
    s.writeU1(s.writeData, bytes, 3);
    s.writeFP(s.writeData, floats, 2);
    s.endBlk(s.writeData);
    s.beginBlk(s.writeData, Size, 1);
    s.writeI2(s.writeData, shorts, 1);
    s.writeU2(s.writeData, ushorts, 1);
    s.writeStr(s.writeData, "");
    s.endBlk(s.writeData);
    s.endBlk(s.writeData);
    EXPECT_EQ(stream.mode(), LWIO_ASCII);
    EXPECT_EQ(Text(stream),
              "256 -3\n"
              "{ Outer\n"
              "  \"a \"quoted\" name\"\n"
              "  50555352\n"
              "  { Inner\n"
              "    3FF800\n"
              "    0.1 -2.5\n"
              "  }\n"
              "  Size -7 BEEF \"\"\n"
              "}\n");
}

TEST(TextSaveStream, RefusesWhatAScenFileCannotHold) {
    TextSaveStream control, quoteInLeaf, blockInLeaf, badToken, extraEnd;
    control.state()->writeStr(control.state()->writeData, "two\nlines");
    EXPECT_EQ(control.error(),
              "string \"two\nlines\" holds byte 10, which a scene file cannot hold (bytes must lie "
              "in 32-255)");
    EXPECT_THROW(control.bytes(), std::runtime_error);
    quoteInLeaf.beginBlock(Size[0], true);
    quoteInLeaf.writeString("say \"hi\"");
    EXPECT_FALSE(quoteInLeaf.error().empty());
    blockInLeaf.beginBlock(Size[0], true);
    blockInLeaf.beginBlock(Outer[0], false);
    EXPECT_EQ(blockInLeaf.error(),
              "block Outer inside leaf block Size, which a scene file cannot hold");
    badToken.beginBlock({LWID_('B', 'A', 'D', ' '), "two words"}, false);
    EXPECT_EQ(badToken.error(),
              "block BAD : token \"two words\" cannot name a block in a scene file");
    extraEnd.endBlock();
    EXPECT_FALSE(extraEnd.error().empty());
}

TEST(TextLoadStream, AReadTakesOneLineAndNeverTheNext) {
    TextLoadStream stream = Load("1 2 3 4 5\n6\n  \"a \"b\" c\"\nplain text\nnot-a-number\n7\n");
    const LWLoadState &s = *stream.state();
    int values[6] = {};
    EXPECT_EQ(s.readI4(s.readData, values, 6), 5);
    EXPECT_EQ(values[4], 5);
    EXPECT_EQ(s.readI4(s.readData, values, 1), 1);
    EXPECT_EQ(values[0], 6);
    EXPECT_EQ(ReadText(s, 16), TextRead(7, "a \"b\" c"));
    EXPECT_EQ(ReadText(s, 6), TextRead(5, "plain"));
    EXPECT_EQ(s.readI4(s.readData, values, 1), 0);
    EXPECT_EQ(s.readI4(s.readData, values, 1), 1);
    EXPECT_EQ(values[0], 7);
    EXPECT_EQ(s.readI4(s.readData, values, 1), 0);
    EXPECT_EQ(ReadText(s, 16), TextRead(-1, ""));
}

TEST(TextLoadStream, ValuesOfALeafBlockAreReadOneAfterAnother) {
    TextLoadStream stream = Load("{ Outer\n  Size -7 BEEF \"two words\" 3FF8\n  9\n}\n");
    const LWLoadState &s = *stream.state();
    ASSERT_EQ(s.findBlk(s.readData, Outer), Outer[0].id);
    ASSERT_EQ(s.findBlk(s.readData, Size), Size[0].id);
    EXPECT_EQ(s.findBlk(s.readData, Inner), 0u);
    short i2 = 0;
    unsigned short u2 = 0;
    unsigned char bytes[4] = {};
    EXPECT_EQ(s.readI2(s.readData, &i2, 1), 1);
    EXPECT_EQ(s.readU2(s.readData, &u2, 1), 1);
    EXPECT_EQ(ReadText(s, 16), TextRead(9, "two words"));
    EXPECT_EQ(s.readU1(s.readData, bytes, 4), 2);
    EXPECT_EQ(i2, -7);
    EXPECT_EQ(u2, 0xBEEF);
    EXPECT_EQ(bytes[1], 0xF8);
    EXPECT_EQ(s.readI2(s.readData, &i2, 1), 0);
    s.endBlk(s.readData);
    int value = 0;
    EXPECT_EQ(s.readI4(s.readData, &value, 1), 1);
    EXPECT_EQ(value, 9);
}

TEST(TextLoadStream, FindBlkPassesOverValuesAndOtherBlocksAndStopsAtTheEnd) {
    TextLoadStream stream = Load(
        "{ Outer\n 12\n { Other\n  { Inner\n  }\n }\n Other 5\n { Inner\n  1\n  { Deep\n  }\n  2\n"
        " }\n { Inner\n }\n}\n{ Inner\n}\n");
    const LWLoadState &s = *stream.state();
    ASSERT_EQ(s.findBlk(s.readData, Outer), Outer[0].id);
    ASSERT_EQ(s.findBlk(s.readData, Inner), Inner[0].id);
    EXPECT_EQ(stream.line(), 8u);
    s.endBlk(s.readData);
    EXPECT_EQ(stream.line(), 13u);
    ASSERT_EQ(s.findBlk(s.readData, Inner), Inner[0].id);
    s.endBlk(s.readData);
    EXPECT_EQ(s.findBlk(s.readData, Inner), 0u);
    EXPECT_EQ(stream.line(), 15u);
    s.endBlk(s.readData);
    EXPECT_EQ(stream.depth(), 0u);
    EXPECT_EQ(s.findBlk(s.readData, Inner), Inner[0].id);
    s.endBlk(s.readData);
    s.endBlk(s.readData);
    EXPECT_EQ(stream.line(), 18u);
    EXPECT_TRUE(stream.damage().empty());
}

TEST(TextLoadStream, AnUnclosedBlockIsDamage) {
    TextLoadStream stream = Load("{ Outer\n{ Other\n1\n");
    ASSERT_EQ(stream.findBlock(Outer), Outer[0].id);
    EXPECT_EQ(stream.findBlock(Inner), 0u);
    EXPECT_EQ(stream.damage(), "line 2: block Other is never closed");
    stream.endBlock();
    EXPECT_EQ(stream.line(), 3u);
}

TEST(TextStreams, EveryKindComesBackWithCarriageReturnsAndTabsTolerated) {
    EveryKind sent;
    const float fp[] = {0.1f, std::numeric_limits<float>::infinity(), -0.0f,
                        std::numeric_limits<float>::denorm_min()};
    std::memcpy(sent.fp, fp, sizeof sent.fp);
    TextSaveStream out;
    sent.writeBlock(*out.state(), Outer);
    std::string text;
    for (char c : Text(out)) {
        if (c == '\n') text += '\r';
        text += c;
    }
    text[text.find(' ', 2)] = '\t';
    TextLoadStream in = Load(text);
    EXPECT_EQ(EveryKind::ReadBlock(*in.state(), Outer), sent);
}

}  // namespace
