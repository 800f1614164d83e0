#include "host/formats/lwo2_shader_block.h"

#include <gtest/gtest.h>

#include "host/formats/lwo2_ids.h"

namespace {

struct Case {
    std::string ordinal, server;
    std::vector<std::uint8_t> data;
};

// Steps `block` past its first sub-chunk, which must be the SHDR header, and returns its body.
IffCursor EnterHeader(IffCursor &block) {
    IffCursor::Chunk item = block.chunkHeader(2);
    EXPECT_EQ(item.id, kShdrId);
    return block.enter(item, "sub-chunk");
}

TEST(Lwo2ShaderBlock, ReadsWhatItWritesInTheSizeItAnnounces) {
    for (const Case &c : {Case{"\x80", "KV_Velmora", {1, 2, 3}}, Case{"\x80\x80", "Odd", {}},
                          Case{"", "Even", {9, 8}}})
        for (bool enabled : {true, false}) {
            IffWriter out;
            WriteShaderBlockChunks(out, c.ordinal, enabled, c.server, c.data);
            std::vector<std::uint8_t> bytes = out.take();
            EXPECT_EQ(bytes.size(), ShaderBlockChunksSize(c.ordinal, c.server, c.data.size()));
            IffCursor block(bytes, 0, "block");
            IffCursor header = EnterHeader(block);
            ShaderBlockChunks read = ReadShaderBlockChunks(header, block);
            EXPECT_EQ(read.ordinal, c.ordinal);
            EXPECT_EQ(read.enabled, enabled);
            EXPECT_EQ(read.server, c.server);
            EXPECT_EQ(std::vector<std::uint8_t>(read.data.begin(), read.data.end()), c.data);
        }
}

TEST(Lwo2ShaderBlock, KeepsTheLastFunctionAndTellsABlockWithoutOne) {
    IffWriter out;
    WriteShaderBlockChunks(out, "\x80", true, "First", std::vector<std::uint8_t>{1});
    std::vector<std::uint8_t> name = {'L', 'a', 's', 't', 0, 0};
    WriteShaderFunction(out, name, std::vector<std::uint8_t>{7, 7, 7});
    std::vector<std::uint8_t> bytes = out.take();
    IffCursor block(bytes, 0, "block");
    IffCursor header = EnterHeader(block);
    ShaderBlockChunks read = ReadShaderBlockChunks(header, block);
    EXPECT_EQ(read.server, "Last");
    EXPECT_EQ(read.data.size(), 3u);

    IffWriter bare;
    bare.beginSubChunk(kShdrId);
    bare.s0("\x80");
    bare.end();
    std::vector<std::uint8_t> bareBytes = bare.take();
    IffCursor bareBlock(bareBytes, 0, "block");
    IffCursor bareHeader = EnterHeader(bareBlock);
    ShaderBlockChunks none = ReadShaderBlockChunks(bareHeader, bareBlock);
    EXPECT_FALSE(none.server);
    EXPECT_TRUE(none.enabled);
}

}  // namespace
