// For tests: small LWO2 objects written with IffWriter as a modeller lays them out, each named for
// what it holds that an edit of their shader blocks must keep: layers, maps, images, texture
// blocks, other servers' shaders, envelopes, pad bytes and chunks of unknown kinds. All have a
// surface "Body" on the quads of their first layer, whose polygons are in the part "Left".
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "host/formats/iff_writer.h"
#include "host/formats/lwo2_ids.h"

namespace lwo2_fixtures {

using Bytes = std::vector<std::uint8_t>;

// The pieces of the objects below, laid out as a modeller lays them out.

inline void Tags(IffWriter &out) {
    out.beginChunk(kTagsId);
    for (const char *name : {"Body", "Glass", "Left"}) out.s0(name);
    out.end();
}

inline void Layer(IffWriter &out, std::uint16_t number, std::array<float, 3> pivot,
                  const char *name, int parent = -1) {
    out.beginChunk(kLayrId);
    out.u2(number);
    out.u2(0);
    for (float axis : pivot) out.f4(axis);
    out.s0(name);
    if (parent >= 0) out.u2(std::uint16_t(parent));
    out.end();
}

// A POLS chunk of one quad over points 0 to 3.
inline void QuadPolygon(IffWriter &out) {
    out.beginChunk(kPolsId);
    out.id4(kFaceId);
    out.u2(4);
    for (std::uint32_t point : {0u, 1u, 2u, 3u}) out.vx(point);
    out.end();
}

// Four points, one quad of surface tag `surfaceTag` and part "Left".
inline void Quad(IffWriter &out, float height, std::uint16_t surfaceTag = 0) {
    out.beginChunk(kPntsId);
    for (float x : {0.0f, 1.0f, 1.0f, 0.0f})
        for (float value : {x, height, x == 0.0f ? 0.0f : 1.0f}) out.f4(value);
    out.end();
    QuadPolygon(out);
    for (auto [type, tag] :
         {std::pair{kSurfId, surfaceTag}, std::pair{kPartId, std::uint16_t(2)}}) {
        out.beginChunk(kPtagId);
        out.id4(type);
        out.vx(0);
        out.u2(tag);
        out.end();
    }
}

inline void SubChunkU2(IffWriter &out, LWID id, std::uint16_t value) {
    out.beginSubChunk(id);
    out.u2(value);
    out.end();
}

inline void WriteShaderBlock(IffWriter &out, const char *ordinal, bool enabled, const char *server,
                             const Bytes &data) {
    out.beginSubChunk(kBlokId);
    out.beginSubChunk(kShdrId);
    out.s0(ordinal);
    out.beginSubChunk(LWID_('C', 'H', 'A', 'N'));
    out.id4(LWID_('C', 'O', 'L', 'R'));
    out.end();
    SubChunkU2(out, kEnabId, enabled ? 1 : 0);
    out.end();
    out.beginSubChunk(kFuncId);
    out.s0(server);
    out.bytes(data);
    out.end();
    out.end();
}

// A surface with a colour and smoothing, then `blocks`.
inline void Surface(IffWriter &out, const char *name,
                    const std::function<void(IffWriter &)> &blocks) {
    out.beginChunk(kSurfId);
    out.s0(name);
    out.s0("");
    out.beginSubChunk(LWID_('C', 'O', 'L', 'R'));
    for (float channel : {0.8f, 0.6f, 0.2f}) out.f4(channel);
    out.vx(0);
    out.end();
    out.beginSubChunk(LWID_('S', 'M', 'A', 'N'));
    out.f4(1.5f);
    out.end();
    blocks(out);
    out.end();
}

// An object of one layer whose quad has surface "Body" (tag 0), with `extra` chunks before its
// surfaces.
inline Bytes Object(const std::function<void(IffWriter &)> &extra,
                    const std::function<void(IffWriter &)> &surfaces) {
    IffWriter out;
    out.beginChunk(kFormId);
    out.id4(kLwo2Id);
    Tags(out);
    Layer(out, 0, {0, 0, 0}, "Base");
    Quad(out, 0);
    extra(out);
    surfaces(out);
    out.end();
    return out.take();
}

inline void PlainBody(IffWriter &out) {
    Surface(out, "Body", [](IffWriter &) {});
}

// The chunks the objects below are made of.

// A child of the base layer and a grandchild, pivots away from the origin, each with a quad
// whose surface tag is `surfaceTag`.
inline void ChildLayers(IffWriter &out, std::uint16_t surfaceTag) {
    Layer(out, 1, {1, 2, 3}, "Child", 0);
    Quad(out, 1, surfaceTag);
    Layer(out, 2, {-1, 0.5f, 4}, "Grandchild", 1);
    Quad(out, 2);
}

inline void UvAndWeightMapChunks(IffWriter &out) {
    out.beginChunk(LWID_('V', 'M', 'A', 'P'));
    out.id4(LWID_('T', 'X', 'U', 'V'));
    out.u2(2);
    out.s0("UVMap");
    for (std::uint32_t point = 0; point < 4; ++point) {
        out.vx(point);
        out.f4(float(point % 2));
        out.f4(float(point / 2));
    }
    out.end();
    out.beginChunk(LWID_('V', 'M', 'A', 'P'));
    out.id4(LWID_('W', 'G', 'H', 'T'));
    out.u2(1);
    out.s0("Weight");
    out.vx(2);
    out.f4(0.25f);
    out.end();
}

inline void DiscontinuousUvMapChunk(IffWriter &out) {
    out.beginChunk(LWID_('V', 'M', 'A', 'D'));
    out.id4(LWID_('T', 'X', 'U', 'V'));
    out.u2(2);
    out.s0("UVMap");
    out.vx(3);
    out.vx(0);
    out.f4(0.75f);
    out.f4(0.125f);
    out.end();
}

inline void ImageClipChunk(IffWriter &out) {
    out.beginChunk(LWID_('C', 'L', 'I', 'P'));
    out.u4(1);
    out.beginSubChunk(LWID_('S', 'T', 'I', 'L'));
    out.s0("images/wood.png");
    out.end();
    out.end();
}

// An image of the clip above, mapped by the UV map onto the colour channel.
inline void ImageTextureBlock(IffWriter &surface) {
    surface.beginSubChunk(kBlokId);
    surface.beginSubChunk(LWID_('I', 'M', 'A', 'P'));
    surface.s0("\x80");
    surface.beginSubChunk(LWID_('C', 'H', 'A', 'N'));
    surface.id4(LWID_('C', 'O', 'L', 'R'));
    surface.end();
    SubChunkU2(surface, kEnabId, 1);
    surface.end();
    SubChunkU2(surface, LWID_('P', 'R', 'O', 'J'), 5);
    surface.beginSubChunk(LWID_('I', 'M', 'A', 'G'));
    surface.vx(1);
    surface.end();
    surface.beginSubChunk(LWID_('V', 'M', 'A', 'P'));
    surface.s0("UVMap");
    surface.end();
    surface.end();
}

inline void EnvelopeBoxDescriptionTextAndIconChunks(IffWriter &out) {
    out.beginChunk(LWID_('B', 'B', 'O', 'X'));
    for (float value : {0.0f, 0.0f, 0.0f, 1.0f, 2.0f, 1.0f}) out.f4(value);
    out.end();
    out.beginChunk(LWID_('E', 'N', 'V', 'L'));
    out.vx(1);
    SubChunkU2(out, LWID_('T', 'Y', 'P', 'E'), 0x0201);
    out.beginSubChunk(LWID_('K', 'E', 'Y', ' '));
    out.f4(0.0f);
    out.f4(1.0f);
    out.end();
    out.end();
    out.beginChunk(LWID_('D', 'E', 'S', 'C'));
    out.s0("A crate");
    out.end();
    out.beginChunk(LWID_('T', 'E', 'X', 'T'));
    out.s0("made for a test");
    out.end();
    out.beginChunk(LWID_('I', 'C', 'O', 'N'));
    out.u2(0);
    out.u2(2);
    out.bytes(Bytes{1, 2, 3, 4});
    out.end();
}

// Five bytes and a pad byte; MarkNotePad makes the pad 0xA5, to prove it is copied, not written
// anew.
inline void OddSizedNoteChunk(IffWriter &out) {
    out.beginChunk(LWID_('N', 'O', 'T', 'E'));
    out.bytes(Bytes{1, 2, 3, 4, 5});
    out.end();
}

inline Bytes MarkNotePad(Bytes bytes) {
    const Bytes note = {'N', 'O', 'T', 'E', 0, 0, 0, 5, 1, 2, 3, 4, 5, 0};
    std::search(bytes.begin(), bytes.end(), note.begin(), note.end())[13] = 0xA5;
    return bytes;
}

inline void UnknownChunk(IffWriter &out) {
    out.beginChunk(LWID_('Q', 'X', 'Y', 'Z'));
    out.u4(0xDEADBEEF);
    out.end();
}

// Odd-sized, with its pad byte.
inline void UnknownSubChunk(IffWriter &surface) {
    surface.beginSubChunk(LWID_('Q', 'S', 'U', 'B'));
    surface.bytes(Bytes{7, 7, 7});
    surface.end();
}

// The objects, each named for what it proves is kept.

inline void NoChunks(IffWriter &) {}

inline Bytes LayersWithPivotsAndParents() {
    return Object([](IffWriter &out) { ChildLayers(out, 0); }, PlainBody);
}

inline Bytes UvAndWeightMaps() {
    return Object(UvAndWeightMapChunks, PlainBody);
}

inline Bytes DiscontinuousUvMap() {
    return Object(DiscontinuousUvMapChunk, PlainBody);
}

inline Bytes ImageClipInATextureBlock() {
    return Object(ImageClipChunk, [](IffWriter &out) { Surface(out, "Body", ImageTextureBlock); });
}

inline Bytes AnotherServersShaderBlock() {
    return Object(NoChunks, [](IffWriter &out) {
        Surface(out, "Body", [](IffWriter &surface) {
            WriteShaderBlock(surface, "\x88", true, "OtherShader", {9, 8, 7});
        });
    });
}

inline Bytes OddSizedChunkWithItsPadByte() {
    return MarkNotePad(Object(OddSizedNoteChunk, PlainBody));
}

inline Bytes ChunksOfUnknownKindsInTheFileAndInASurface() {
    return Object(UnknownChunk, [](IffWriter &out) { Surface(out, "Body", UnknownSubChunk); });
}

inline Bytes EnvelopeBoxDescriptionTextAndIcon() {
    return Object(EnvelopeBoxDescriptionTextAndIconChunks, PlainBody);
}

inline Bytes DisabledBlockWithItsOwnOrdinal() {
    return Object(NoChunks, [](IffWriter &out) {
        Surface(out, "Body", [](IffWriter &surface) {
            WriteShaderBlock(surface, "\x90\x41", false, "KV_Velmora", {1, 2, 3, 4});
        });
    });
}

// Polygons of the second layer name "Glass" (tag 1), which no SURF chunk describes.
inline Bytes SurfaceOnlyPolygonsName() {
    return Object(
        [](IffWriter &out) {
            Layer(out, 1, {0, 0, 0}, "Panes", 0);
            Quad(out, 1, 1);
        },
        PlainBody);
}

// Everything above but a block of the module (whose data only the module can make) in one object,
// for checks of the command on a whole file; "Glass" is on the child layers' quads.
inline Bytes ObjectWithEverything() {
    return MarkNotePad(Object(
        [](IffWriter &out) {
            UvAndWeightMapChunks(out);
            DiscontinuousUvMapChunk(out);
            ChildLayers(out, 1);
            ImageClipChunk(out);
            EnvelopeBoxDescriptionTextAndIconChunks(out);
            OddSizedNoteChunk(out);
            UnknownChunk(out);
        },
        [](IffWriter &out) {
            Surface(out, "Body", [](IffWriter &surface) {
                ImageTextureBlock(surface);
                WriteShaderBlock(surface, "\x88", true, "OtherShader", {9, 8, 7});
                UnknownSubChunk(surface);
            });
        }));
}

}  // namespace lwo2_fixtures
