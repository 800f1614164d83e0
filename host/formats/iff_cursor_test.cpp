#include "host/formats/iff_cursor.h"

#include <gtest/gtest.h>

#include "host/formats/format_error_testing.h"
#include "host/formats/iff_writer.h"

namespace {

TEST(IffCursor, ReadsWhatTheWriterWrites) {
    IffWriter out;
    out.u2(0x1234);
    out.vx(7);
    out.vx(0xFF00);  // the first index that needs four bytes
    out.s0("odd");   // "odd\0": no pad
    out.s0("even");  // "even\0" and a pad byte
    out.f4(-2.5f);
    std::vector<std::uint8_t> bytes = out.take();
    ASSERT_EQ(bytes.size(), 2u + 2 + 4 + 4 + 6 + 4);

    IffCursor in(bytes, 100, "x.lwo");
    EXPECT_EQ(in.u2(), 0x1234);
    EXPECT_EQ(in.vx(), 7u);
    EXPECT_EQ(in.vx(), 0xFF00u);
    EXPECT_EQ(in.s0(), "odd");
    EXPECT_EQ(in.s0(), "even");
    EXPECT_EQ(in.f4(), -2.5f);
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(in.offset(), 100 + bytes.size());
}

TEST(IffCursor, NeverReadsPastItsBytesAndSaysWhere) {
    const std::uint8_t bytes[] = {'a', 'b', 0x01};
    IffCursor in(bytes, 40, "x.lwo: chunk TAGS at byte 32");
    EXPECT_EQ(FormatErrorOf([&] { in.s0(); }),
              "x.lwo: chunk TAGS at byte 32: string at byte 40 has no terminating NUL");
    EXPECT_EQ(FormatErrorOf([&] { in.u4(); }),
              "x.lwo: chunk TAGS at byte 32: a 4-byte number at byte 40 needs 4 bytes, 3 left");
    in.u2();
    EXPECT_EQ(FormatErrorOf([&] { in.vx(); }),
              "x.lwo: chunk TAGS at byte 32: a 2-byte number at byte 42 needs 2 bytes, 1 left");
}

TEST(IffCursor, ChunksMustFitAndSkipTheirPadByte) {
    IffWriter out;
    out.beginSubChunk(LWID_('E', 'N', 'A', 'B'));
    out.u1(9);
    out.end();
    out.beginSubChunk(LWID_('O', 'P', 'A', 'C'));
    out.end();
    std::vector<std::uint8_t> bytes = out.take();
    ASSERT_EQ(bytes.size(), 6u + 2 + 6);

    IffCursor in(bytes, 0, "f");
    IffCursor::Chunk first = in.chunkHeader(2);
    IffCursor body = in.enter(first, "sub-chunk");
    EXPECT_EQ(body.u1(), 9);
    EXPECT_EQ(FormatErrorOf([&] { body.u1(); }),
              "f: sub-chunk ENAB at byte 0: a byte at byte 7 needs 1 bytes, 0 left");
    EXPECT_EQ(in.chunkHeader(2).id, LWID_('O', 'P', 'A', 'C'));

    bytes[5] = 200;
    IffCursor damaged(bytes, 0, "f");
    EXPECT_EQ(FormatErrorOf([&] { damaged.chunkHeader(2); }),
              "f: sub-chunk ENAB at byte 0: size 200 runs past the end (8 bytes left)");
}

}  // namespace
