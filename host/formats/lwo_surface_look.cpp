#include "host/formats/lwo_surface_look.h"

#include "host/formats/lwo2_ids.h"

namespace {

constexpr LWID kSideId = LWID_('S', 'I', 'D', 'E');

// The sub-chunks holding one fraction and an envelope index, each with its place in the look.
struct Fraction {
    LWID id;
    std::optional<float> SurfaceLook::*value;
};
constexpr Fraction kFractions[] = {
    {LWID_('L', 'U', 'M', 'I'), &SurfaceLook::luminosity},
    {LWID_('D', 'I', 'F', 'F'), &SurfaceLook::diffuse},
    {LWID_('S', 'P', 'E', 'C'), &SurfaceLook::specular},
    {LWID_('G', 'L', 'O', 'S'), &SurfaceLook::glossiness},
    {LWID_('R', 'E', 'F', 'L'), &SurfaceLook::reflection},
    {LWID_('T', 'R', 'A', 'N'), &SurfaceLook::transparency},
};

}  // namespace

bool ReadSurfaceLookChunk(LWID id, IffCursor &body, SurfaceLook &look) {
    // A value cut short is passed over: the look is the host's to draw, and an object whose
    // colour is damaged still has a mesh to shade.
    if (id == kColrId) {
        if (body.remaining() < 12) return true;
        float red = body.f4(), green = body.f4(), blue = body.f4();
        look.colour = {red, green, blue};
        return true;
    }
    if (id == kSideId) {
        if (body.remaining() >= 2) look.sides = body.u2();
        return true;
    }
    for (const Fraction &fraction : kFractions) {
        if (fraction.id != id) continue;
        if (body.remaining() >= 4) look.*fraction.value = body.f4();
        return true;
    }
    return false;
}

void WriteSurfaceLook(IffWriter &out, const SurfaceLook &look) {
    if (look.colour) {
        out.beginSubChunk(kColrId);
        for (float channel : *look.colour) out.f4(channel);
        out.vx(0);
        out.end();
    }
    for (const Fraction &fraction : kFractions) {
        if (!(look.*fraction.value)) continue;
        out.beginSubChunk(fraction.id);
        out.f4(*(look.*fraction.value));
        out.vx(0);
        out.end();
    }
    if (look.sides) {
        out.beginSubChunk(kSideId);
        out.u2(*look.sides);
        out.end();
    }
}
