// What the smoothing asks of the host about the neighbours of one sample: each one's normal and
// whether it is in the sample's polygon set. The four slots of a sample share most neighbours
// (a quad in a grid meets its eight neighbours twelve times), so each answer is asked of the host
// once per sample. Nothing is kept from one sample to the next: positions may change between them.
#pragma once

#include <cstring>
#include <iterator>

#include "hostapi/lwmeshes.h"
#include "shader/polygon_list.h"
#include "shader/polygon_normal.h"
#include "shader/vec3.h"

class SampleNeighbours {
  public:
    SampleNeighbours(LWMeshInfo &accessor, LWPolID samplePolygon)
        : accessor(accessor), samplePolygon(samplePolygon) {}

    // A neighbour without a PART tag, or a sample without one, is never in the same set. The
    // sample's own tag is read at the first question, so that a set smoothed across sets asks
    // the host for no tag at all.
    bool inSameSet(LWPolID polygon) {
        if (!ownTagRead) {
            ownTag = accessor.polTag(&accessor, samplePolygon, LWPTAG_PART);
            ownTagRead = true;
        }
        Facts &known = factsOf(polygon);
        if (known.sameSet == Unknown) {
            const char *tag = accessor.polTag(&accessor, polygon, LWPTAG_PART);
            // The same address is the same name: a host that hands out one text per tag is
            // spared the comparison.
            bool same = ownTag && tag && (tag == ownTag || std::strcmp(ownTag, tag) == 0);
            known.sameSet = same ? Yes : No;
        }
        return known.sameSet == Yes;
    }

    Vec3 normalOf(LWPolID polygon) {
        return normalOf(polygon, [&] { return polygonNormal(accessor, polygon); });
    }

    // A polygon with no corners listed has fewer than three: its normal is zero.
    Vec3 normalOf(const ListedPolygon &polygon) {
        return normalOf(polygon.id, [&] {
            const auto &[first, second, last] = polygon.normalCorners;
            return first || second || last ? normalThroughCorners(accessor, first, second, last)
                                           : Vec3{};
        });
    }

  private:
    enum Answer : signed char { Unknown, Yes, No };
    // Filled when taken into use: a sample meets a dozen neighbours, and clearing room for all
    // of them would cost more than the questions it saves.
    struct Facts {
        LWPolID polygon;
        Answer sameSet;
        bool hasNormal;
        double normal[3];
    };

    template <typename Compute>
    Vec3 normalOf(LWPolID polygon, Compute compute) {
        Facts &known = factsOf(polygon);
        if (!known.hasNormal) {
            compute().store(known.normal);
            known.hasNormal = true;
        }
        return Vec3::from(known.normal);
    }

    // Past the capacity, answers are asked afresh each time: slower, never wrong.
    Facts &factsOf(LWPolID polygon) {
        for (int index = 0; index < count; ++index)
            if (known[index].polygon == polygon) return known[index];
        Facts &fresh = count < static_cast<int>(std::size(known)) ? known[count++] : overflow;
        fresh = Facts{polygon, Unknown, false, {}};
        return fresh;
    }

    LWMeshInfo &accessor;
    LWPolID samplePolygon;
    const char *ownTag = nullptr;
    bool ownTagRead = false;
    Facts known[32];  // the first `count` are in use
    int count = 0;
    Facts overflow;
};
