// What the smoothing asks of the host about the neighbours of one sample: each one's normal and
// whether it is in the sample's polygon set. The four slots of a sample share most neighbours
// (a quad in a grid meets its eight neighbours twelve times), so each answer is asked of the host
// once per sample. Nothing is kept from one sample to the next: positions may change between them.
#pragma once

#include <array>
#include <cstring>

#include "hostapi/lwmeshes.h"
#include "shader/polygon_list.h"
#include "shader/polygon_normal.h"
#include "shader/vec3.h"

class SampleNeighbours {
  public:
    SampleNeighbours(LWMeshInfo &accessor, const char *ownTag)
        : accessor(accessor), ownTag(ownTag) {}

    // A neighbour without a PART tag, or a sample without one, is never in the same set.
    bool inSameSet(LWPolID polygon) {
        Facts &known = factsOf(polygon);
        if (known.sameSet == Unknown) {
            const char *tag = accessor.polTag(&accessor, polygon, LWPTAG_PART);
            known.sameSet = ownTag && tag && std::strcmp(ownTag, tag) == 0 ? Yes : No;
        }
        return known.sameSet == Yes;
    }

    const Vec3 &normalOf(LWPolID polygon) {
        return normalOf(polygon, [&] { return polygonNormal(accessor, polygon); });
    }

    // A polygon with no corners listed has fewer than three: its normal is zero.
    const Vec3 &normalOf(const ListedPolygon &polygon) {
        return normalOf(polygon.id, [&] {
            const auto &[first, second, last] = polygon.normalCorners;
            return first || second || last ? normalThroughCorners(accessor, first, second, last)
                                           : Vec3{};
        });
    }

  private:
    enum Answer : signed char { Unknown, Yes, No };
    struct Facts {
        LWPolID polygon = nullptr;
        Answer sameSet = Unknown;
        bool hasNormal = false;
        Vec3 normal;
    };

    template <typename Compute>
    const Vec3 &normalOf(LWPolID polygon, Compute compute) {
        Facts &known = factsOf(polygon);
        if (!known.hasNormal) {
            known.normal = compute();
            known.hasNormal = true;
        }
        return known.normal;
    }

    // Past the capacity, answers are asked afresh each time: slower, never wrong.
    Facts &factsOf(LWPolID polygon) {
        for (int index = 0; index < count; ++index)
            if (known[index].polygon == polygon) return known[index];
        Facts &fresh = count < static_cast<int>(known.size()) ? known[count++] : overflow;
        fresh = Facts{polygon, Unknown, false, {}};
        return fresh;
    }

    LWMeshInfo &accessor;
    const char *ownTag;
    std::array<Facts, 32> known;
    int count = 0;
    Facts overflow;
};
