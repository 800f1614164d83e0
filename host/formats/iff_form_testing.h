// For tests: whole IFF files built chunk by chunk.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "host/formats/iff_writer.h"
#include "host/formats/lwo2_ids.h"

// A FORM of `type` whose chunks `fill` writes.
inline std::vector<std::uint8_t> FormBytes(LWID type,
                                           const std::function<void(IffWriter &)> &fill) {
    IffWriter out;
    out.beginChunk(kFormId);
    out.id4(type);
    fill(out);
    out.end();
    return out.take();
}

// A chunk with a 4-byte size, as LWO3 writes every chunk, whose body `fill` writes.
inline void Chunk(IffWriter &out, LWID id, const std::function<void(IffWriter &)> &fill) {
    out.beginChunk(id);
    fill(out);
    out.end();
}

// A FORM of `type` nested in the chunk being written.
inline void Form(IffWriter &out, LWID type, const std::function<void(IffWriter &)> &fill) {
    out.beginChunk(kFormId);
    out.id4(type);
    fill(out);
    out.end();
}
