#include "host/formats/lwo2_shader_block.h"

#include "host/formats/lwo2_ids.h"

ShaderBlockChunks ReadShaderBlockChunks(IffCursor &header, IffCursor &block) {
    ShaderBlockChunks chunks;
    chunks.ordinal = header.s0();
    while (!header.atEnd()) {
        IffCursor::Chunk item = header.chunkHeader(2);
        IffCursor body = header.enter(item, "sub-chunk");
        if (item.id == kEnabId) chunks.enabled = body.u2() != 0;
    }
    while (!block.atEnd()) {
        IffCursor::Chunk item = block.chunkHeader(2);
        IffCursor body = block.enter(item, "sub-chunk");
        if (item.id != kFuncId) continue;
        chunks.server = body.s0();
        chunks.data = body.take(body.remaining());
    }
    return chunks;
}

void WriteShaderFunction(IffWriter &out, std::span<const std::uint8_t> serverName,
                         std::span<const std::uint8_t> data) {
    std::size_t size = serverName.size() + data.size();
    out.id4(kFuncId);
    out.u2(std::uint16_t(size));
    out.bytes(serverName);
    out.bytes(data);
    if (size % 2 == 1) out.u1(0);
}

std::size_t ShaderBlockChunksSize(const std::string &ordinal, const std::string &server,
                                  std::size_t dataSize) {
    std::size_t header = S0Size(ordinal) + 6 + 2;  // the ordinal, then ENAB and its value
    std::size_t function = S0Size(server) + dataSize;
    return 6 + header + 6 + function + function % 2;
}

void WriteShaderBlockChunks(IffWriter &out, const std::string &ordinal, bool enabled,
                            const std::string &server, std::span<const std::uint8_t> data) {
    out.beginSubChunk(kShdrId);
    out.s0(ordinal);
    out.beginSubChunk(kEnabId);
    out.u2(enabled ? 1 : 0);
    out.end();
    out.end();
    IffWriter name;
    name.s0(server);
    WriteShaderFunction(out, name.take(), data);
}
