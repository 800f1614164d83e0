// For stream tests: values of every kind a record carries, at the ends of their ranges, written
// through a save record and read back through a load record, so that each stream form shows that
// it keeps every kind to the bit.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "hostapi/lwio.h"

struct EveryKind {
    char i1[2] = {-128, 127};
    short i2[2] = {-32768, 32767};
    unsigned short u2[2] = {0, 65535};
    int i4[2] = {-2147483647 - 1, 2147483647};
    unsigned int u4[2] = {0, 0xFFFFFFFF};
    float fp[4] = {};
    char raw[16] = "raw {text}";  // written without its NUL, and read last: the read stops short

    // All of them in one block.
    void writeBlock(const LWSaveState &w, const LWBlockIdent *block) const {
        w.beginBlk(w.writeData, block, 0);
        w.writeI1(w.writeData, i1, 2);
        w.writeI2(w.writeData, i2, 2);
        w.writeU2(w.writeData, u2, 2);
        w.writeI4(w.writeData, i4, 2);
        w.writeU4(w.writeData, u4, 2);
        w.writeFP(w.writeData, fp, 4);
        w.write(w.writeData, raw, static_cast<int>(std::strlen(raw)));
        w.endBlk(w.writeData);
    }

    // What the block holds; each read must take all it asks for.
    static EveryKind ReadBlock(const LWLoadState &r, const LWBlockIdent *block) {
        EveryKind read;
        std::memset(static_cast<void *>(&read), 0, sizeof read);
        EXPECT_EQ(r.findBlk(r.readData, block), block[0].id);
        EXPECT_EQ(r.readI1(r.readData, read.i1, 2), 2);
        EXPECT_EQ(r.readI2(r.readData, read.i2, 2), 2);
        EXPECT_EQ(r.readU2(r.readData, read.u2, 2), 2);
        EXPECT_EQ(r.readI4(r.readData, read.i4, 2), 2);
        EXPECT_EQ(r.readU4(r.readData, read.u4, 2), 2);
        EXPECT_EQ(r.readFP(r.readData, read.fp, 4), 4);
        EXPECT_EQ(r.read(r.readData, read.raw, sizeof read.raw), 10);
        return read;
    }

    // Floats compare by their bits, so that NaNs and the sign of zero count.
    bool operator==(const EveryKind &other) const {
        return Same(i1, other.i1) && Same(i2, other.i2) && Same(u2, other.u2) &&
               Same(i4, other.i4) && Same(u4, other.u4) && Same(fp, other.fp) &&
               Same(raw, other.raw);
    }

  private:
    template <typename T, std::size_t n>
    static bool Same(const T (&a)[n], const T (&b)[n]) {
        return std::memcmp(a, b, sizeof a) == 0;
    }
};
