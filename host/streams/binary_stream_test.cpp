#include "host/streams/binary_stream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

#include "host/streams/every_kind_testing.h"
#include "host/streams/text_read_testing.h"

namespace {

using Bytes = std::vector<unsigned char>;

constexpr LWBlockIdent Func[] = {{LWID_('F', 'U', 'N', 'C'), "Func"}, {0, nullptr}};
constexpr LWBlockIdent Data[] = {{LWID_('D', 'A', 'T', 'A'), "Data"}, {0, nullptr}};
constexpr LWBlockIdent Either[] = {
    {LWID_('F', 'U', 'N', 'C'), "Func"}, {LWID_('D', 'A', 'T', 'A'), "Data"}, {0, nullptr}};

TEST(BinarySaveStream, ValuesAreBigEndianAndStringsEvenLength) {
    BinarySaveStream stream;
    const LWSaveState &s = *stream.state();
    const int i4 = 0x01020304;
    const short i2 = -2;
    const unsigned short u2 = 0xABCD;
    const float fp = 1.0f;
    const char i1 = -1;
    const unsigned int u4 = 0xDEADBEEF;
    s.writeI4(s.writeData, &i4, 1);
    s.writeI2(s.writeData, &i2, 1);
    s.writeU2(s.writeData, &u2, 1);
    s.writeFP(s.writeData, &fp, 1);
    s.writeI1(s.writeData, &i1, 1);
    s.writeU4(s.writeData, &u4, 1);
    s.writeStr(s.writeData, "ab");
    s.writeStr(s.writeData, "abc");
    s.writeStr(s.writeData, "");
    s.write(s.writeData, "xy", 2);
    EXPECT_EQ(stream.mode(), LWIO_BINARY);
    EXPECT_EQ(stream.bytes(), (Bytes{1, 2,   3,    4,    0xFF, 0xFE, 0xAB, 0xCD, 0x3F, 0x80,
                                     0, 0,   0xFF, 0xDE, 0xAD, 0xBE, 0xEF, 'a',  'b',  0,
                                     0, 'a', 'b',  'c',  0,    0,    0,    'x',  'y'}));
}

TEST(BinarySaveStream, BlocksAreSubChunksSizedWithTheirNestedBlocks) {
    BinarySaveStream stream;
    const LWSaveState &s = *stream.state();
    const int one = 1;
    const unsigned char three[] = {7, 8, 9};
    s.beginBlk(s.writeData, Func, 0);
    s.writeI4(s.writeData, &one, 1);
    s.beginBlk(s.writeData, Data, 1);
    EXPECT_EQ(stream.depth(), 2u);
    s.writeU1(s.writeData, three, 3);
    s.endBlk(s.writeData);
    s.endBlk(s.writeData);
    EXPECT_EQ(stream.bytes(),
              (Bytes{'F', 'U', 'N', 'C', 0, 14, 0, 0, 0, 1, 'D', 'A', 'T', 'A', 0, 3, 7, 8, 9, 0}));
}

TEST(BinarySaveStream, RefusesABlockTooLargeForItsSizeAndEverythingAfter) {
    BinarySaveStream fits, over;
    const Bytes full(MaxBlockSize), tooMuch(MaxBlockSize + 1);
    fits.beginBlock(Func[0], false);
    fits.writeValues(ValueKind::U1, full.data(), static_cast<int>(full.size()));
    fits.endBlock();
    EXPECT_FALSE(fits.failed());
    EXPECT_EQ(fits.bytes()[4], 0xFF);
    EXPECT_EQ(fits.bytes()[5], 0xFF);

    const LWSaveState &s = *over.state();
    s.writeStr(s.writeData, "x");
    s.beginBlk(s.writeData, Func, 0);
    s.writeU1(s.writeData, tooMuch.data(), static_cast<int>(tooMuch.size()));
    s.endBlk(s.writeData);
    s.writeStr(s.writeData, "later");
    EXPECT_EQ(
        over.error(),
        "block FUNC at byte 2 holds 65536 bytes, more than the 65535 its 16-bit size can count");
    EXPECT_THROW(over.bytes(), std::runtime_error);
}

TEST(BinarySaveStream, UnbalancedBlocksAndNullValuesAreRefused) {
    BinarySaveStream extraEnd, leftOpen, nullValues, negative;
    extraEnd.state()->endBlk(extraEnd.state()->writeData);
    EXPECT_EQ(extraEnd.error(), "end of block at byte 0 with no block open");
    leftOpen.beginBlock(Func[0], false);
    try {
        leftOpen.bytes();
        ADD_FAILURE() << "bytes of an open block";
    } catch (const std::runtime_error &e) {
        EXPECT_STREQ(e.what(), "1 block(s) left open at byte 6");
    }
    nullValues.state()->writeI4(nullValues.state()->writeData, nullptr, 2);
    EXPECT_EQ(nullValues.error(), "writeI4 of 2 values from a null pointer");
    const int value = 5;
    negative.state()->writeI4(negative.state()->writeData, &value, -3);
    EXPECT_TRUE(negative.bytes().empty());
}

TEST(BinaryLoadStream, ReadsStopAtTheEndOfTheBlock) {
    BinaryLoadStream stream(
        Bytes{'F', 'U', 'N', 'C', 0, 10, 0, 0, 0, 1, 0, 0, 0, 2, 0xAB, 0xCD, 0, 0, 0, 9});
    const LWLoadState &s = *stream.state();
    ASSERT_EQ(s.findBlk(s.readData, Func), Func[0].id);
    int values[3] = {};
    EXPECT_EQ(s.readI4(s.readData, values, 3), 2);
    EXPECT_EQ(values[1], 2);
    unsigned short u2[2] = {};
    EXPECT_EQ(s.readU2(s.readData, u2, 2), 1);
    EXPECT_EQ(u2[0], 0xABCD);
    EXPECT_EQ(s.readI4(s.readData, values, 1), 0);
    s.endBlk(s.readData);
    EXPECT_EQ(s.readI4(s.readData, values, 1), 1);
    EXPECT_EQ(values[0], 9);
    EXPECT_EQ(s.readI4(s.readData, values, 1), 0);
}

TEST(BinaryLoadStream, ReadStrCountsTheNulInItsMaximumAndPassesThePad) {
    BinaryLoadStream stream(
        Bytes{'a', 'b', 'c', 'd', 'e', 'f', 0, 0, 0, 0, 'x', 'y', 0, 0, 7, 'z'});
    const LWLoadState &s = *stream.state();
    EXPECT_EQ(ReadText(s, 4), TextRead(3, "abc"));
    EXPECT_EQ(ReadText(s, 8), TextRead(0, ""));
    EXPECT_EQ(ReadText(s, 8), TextRead(2, "xy"));
    unsigned char byte = 0;
    EXPECT_EQ(s.readU1(s.readData, &byte, 1), 1);
    EXPECT_EQ(byte, 7);
    EXPECT_EQ(ReadText(s, 8), TextRead(-1, ""));
    EXPECT_EQ(ReadText(s, 0), TextRead(-1, ""));
    char raw[8];
    EXPECT_EQ(s.read(s.readData, raw, 8), 1);
    EXPECT_EQ(raw[0], 'z');
}

TEST(BinaryLoadStream, FindBlkPassesOverOtherBlocksAndStaysPutWhenNoneMatches) {
    BinaryLoadStream stream(Bytes{'D', 'A', 'T', 'A', 0, 1,   5,   0,   'F', 'U', 'N',
                                  'C', 0,   2,   1,   2, 'D', 'A', 'T', 'A', 0,   0});
    const LWLoadState &s = *stream.state();
    constexpr LWBlockIdent none[] = {{LWID_('N', 'O', 'N', 'E'), "None"}, {0, nullptr}};
    EXPECT_EQ(s.findBlk(s.readData, none), 0u);
    EXPECT_EQ(stream.position(), 0u);
    EXPECT_EQ(s.findBlk(s.readData, nullptr), 0u);
    ASSERT_EQ(s.findBlk(s.readData, Func), Func[0].id);
    EXPECT_EQ(stream.depth(), 1u);
    EXPECT_EQ(s.findBlk(s.readData, Either), 0u);
    s.endBlk(s.readData);
    EXPECT_EQ(s.findBlk(s.readData, Either), Data[0].id);
    s.endBlk(s.readData);
    EXPECT_EQ(stream.position(), 22u);
    s.endBlk(s.readData);
    EXPECT_EQ(stream.depth(), 0u);
}

TEST(BinaryLoadStream, ABlockOverrunningItsParentIsDamageNotData) {
    BinaryLoadStream stream(Bytes{'F', 'U', 'N', 'C', 0, 8, 'D', 'A', 'T', 'A', 0, 9, 1, 2});
    const LWLoadState &s = *stream.state();
    ASSERT_EQ(s.findBlk(s.readData, Func), Func[0].id);
    EXPECT_EQ(s.findBlk(s.readData, Data), 0u);
    EXPECT_EQ(stream.damage(),
              "block DATA at byte 6 holds 9 bytes, past the end of its parent at byte 14");
}

TEST(BinaryLoadStream, TheRecordsEndBlkCannotCloseBlocksTheHostHolds) {
    BinaryLoadStream stream(Bytes{'F', 'U', 'N', 'C', 0, 4, 0, 0, 0, 3, 0, 0, 0, 4});
    ASSERT_EQ(stream.findBlock(Func), Func[0].id);
    stream.holdOpenBlocks();
    const LWLoadState &s = *stream.state();
    s.endBlk(s.readData);
    s.endBlk(s.readData);
    int value = 0;
    EXPECT_EQ(s.readI4(s.readData, &value, 1), 1);
    EXPECT_EQ(value, 3);
    stream.releaseOpenBlocks();
    stream.endBlock();
    EXPECT_EQ(s.readI4(s.readData, &value, 1), 1);
    EXPECT_EQ(value, 4);
}

TEST(BinaryStreams, EveryKindComesBackBitForBit) {
    EveryKind sent;
    const unsigned int floatBits[] = {0x7FA00001, 0xFF800000, 0x80000000, 0x00000001};
    std::memcpy(sent.fp, floatBits, sizeof sent.fp);
    BinarySaveStream out;
    sent.writeBlock(*out.state(), Data);
    BinaryLoadStream in(out.bytes());
    EXPECT_EQ(EveryKind::ReadBlock(*in.state(), Data), sent);
}

}  // namespace
