#include "host/formats/lwo3_to_lwo2.h"

#include <algorithm>
#include <optional>

#include "host/formats/id_text.h"
#include "host/formats/iff_cursor.h"
#include "host/formats/iff_writer.h"
#include "host/formats/lwo2_ids.h"
#include "host/formats/lwo3_reader.h"
#include "host/formats/lwo_mesh_chunks.h"
#include "host/scene/quoted_list.h"

namespace {

constexpr std::size_t kMaxSubChunk = 0xFFFF;

// The top-level chunks whose bodies LWO2 reads as LWO3 writes them.
constexpr LWID kCopied[] = {
    kTagsId,
    kLayrId,
    kPntsId,
    kPolsId,
    kPtagId,
    LWID_('B', 'B', 'O', 'X'),
    LWID_('V', 'M', 'A', 'P'),
    LWID_('V', 'M', 'A', 'D'),
    LWID_('V', 'M', 'P', 'A'),
    LWID_('D', 'E', 'S', 'C'),
    LWID_('T', 'E', 'X', 'T'),
    LWID_('I', 'C', 'O', 'N'),
};

// A surface attribute LWO2 has an equal of. Most hold values then an envelope index (VX), at
// `envelopeAt` bytes into the body, and some more after it (`bytesAfter` at the least); the others
// have no envelope and `leastBytes` of values at the least.
struct Attribute {
    LWID id;
    const char *name;
    std::optional<std::size_t> envelopeAt;
    std::size_t leastBytes = 0, bytesAfter = 0;
};
constexpr Attribute kAttributes[] = {
    {LWID_('C', 'O', 'L', 'R'), "colour", 12},
    {LWID_('L', 'U', 'M', 'I'), "luminosity", 4},
    {LWID_('D', 'I', 'F', 'F'), "diffuse", 4},
    {LWID_('S', 'P', 'E', 'C'), "specular", 4},
    {LWID_('G', 'L', 'O', 'S'), "glossiness", 4},
    {LWID_('R', 'E', 'F', 'L'), "reflection", 4},
    {LWID_('T', 'R', 'A', 'N'), "transparency", 4},
    {LWID_('T', 'R', 'N', 'L'), "translucency", 4},
    {LWID_('B', 'U', 'M', 'P'), "bump", 4},
    {LWID_('R', 'I', 'N', 'D'), "refractive index", 4},
    {LWID_('R', 'S', 'A', 'N'), "reflection seam angle", 4},
    {LWID_('R', 'B', 'L', 'R'), "reflection blurring", 4},
    {LWID_('T', 'B', 'L', 'R'), "refraction blurring", 4},
    {LWID_('C', 'L', 'R', 'H'), "colour highlights", 4},
    {LWID_('C', 'L', 'R', 'F'), "colour filter", 4},
    {LWID_('A', 'D', 'T', 'R'), "additive transparency", 4},
    {LWID_('S', 'H', 'R', 'P'), "diffuse sharpness", 4},
    {LWID_('V', 'C', 'O', 'L'), "vertex colour", 4, 0, 6},  // then a map type and a name
    {kSmanId, "smoothing", std::nullopt, 4},
    {LWID_('S', 'I', 'D', 'E'), "sides", std::nullopt, 2},
    {LWID_('R', 'F', 'O', 'P'), "reflection options", std::nullopt, 2},
    {LWID_('T', 'R', 'O', 'P'), "refraction options", std::nullopt, 2},
    {LWID_('A', 'L', 'P', 'H'), "alpha", std::nullopt, 6},
};

// What the user is told of a dropped chunk or form, by its id.
struct Described {
    LWID id;
    const char *what;
};
constexpr Described kDescribed[] = {
    {LWID_('N', 'O', 'D', 'S'), "node graph"},
    {kBlokId, "texture or shader layer"},
    {LWID_('C', 'L', 'I', 'P'), "image"},
    {LWID_('E', 'N', 'V', 'L'), "envelope"},
    {LWID_('R', 'I', 'M', 'G'), "reflection image"},
    {LWID_('T', 'I', 'M', 'G'), "refraction image"},
    {LWID_('G', 'L', 'O', 'W'), "glow"},
    {LWID_('L', 'I', 'N', 'E'), "outline"},
};

// Chunks that describe the file's own layout, not the surface: nothing is lost with them.
constexpr LWID kLayout[] = {LWID_('V', 'E', 'R', 'S')};

std::string Describe(LWID id) {
    auto known = std::find_if(std::begin(kDescribed), std::end(kDescribed),
                              [id](const Described &d) { return d.id == id; });
    if (known == std::end(kDescribed)) return IdText(id);
    return std::string(known->what) + " (" + IdText(id) + ")";
}

// Names in order of first appearance, each with how often it came.
class Tally {
  public:
    void add(const std::string &name) {
        auto found = std::find_if(counts.begin(), counts.end(),
                                  [&](const auto &count) { return count.first == name; });
        if (found == counts.end()) found = counts.insert(counts.end(), {name, 0});
        ++found->second;
    }
    bool empty() const { return counts.empty(); }
    std::string list() const {
        std::string text;
        for (const auto &[name, count] : counts)
            text += (text.empty() ? "" : ", ") +
                    (count == 1 ? name : std::to_string(count) + " x " + name);
        return text;
    }

  private:
    std::vector<std::pair<std::string, int>> counts;
};

// The attribute's body as LWO2 holds it: the envelope index set to none, since envelopes are not
// carried, and given where the body ends before it. Says in `dropped` when an envelope was lost;
// nothing when the body is too short to hold the attribute, which is then not carried: a
// conversion writes only what it can vouch for.
std::optional<std::vector<std::uint8_t>> AttributeBody(const Attribute &attribute, IffCursor &body,
                                                       Tally &dropped) {
    std::span<const std::uint8_t> all = body.take(body.remaining());
    if (!attribute.envelopeAt) {
        if (all.size() < attribute.leastBytes) return std::nullopt;
        return std::vector<std::uint8_t>(all.begin(), all.end());
    }
    if (all.size() < *attribute.envelopeAt) return std::nullopt;
    std::vector<std::uint8_t> converted(all.begin(), all.begin() + *attribute.envelopeAt);
    converted.push_back(0);
    converted.push_back(0);
    if (all.size() == *attribute.envelopeAt && attribute.bytesAfter == 0) return converted;
    IffCursor rest(all.subspan(*attribute.envelopeAt), body.offset(), body.place());
    if (rest.remaining() < rest.vxBytes() + attribute.bytesAfter) return std::nullopt;
    if (rest.vx() != 0) dropped.add(std::string("animation of ") + attribute.name);
    std::span<const std::uint8_t> tail = rest.take(rest.remaining());
    converted.insert(converted.end(), tail.begin(), tail.end());
    return converted;
}

// FORM SURF { header { name, source }, chunks and forms... } to SURF { name, source, sub-chunks }.
// What a surface lost, as a list of what was dropped, each with the surfaces that lost it in file
// order: objects give dozens of surfaces the same node graph, which is one message, not dozens.
using SurfaceLosses = std::vector<std::pair<std::string, std::vector<std::string>>>;

void AddSurfaceLoss(SurfaceLosses &losses, const std::string &surface, const std::string &loss) {
    auto same = std::find_if(losses.begin(), losses.end(),
                             [&](const auto &entry) { return entry.first == loss; });
    if (same == losses.end()) same = losses.insert(losses.end(), {loss, {}});
    same->second.push_back(surface);
}

std::string SurfaceLossText(const std::pair<std::string, std::vector<std::string>> &entry) {
    const auto &[loss, surfaces] = entry;
    return (surfaces.size() == 1 ? "surface " : "surfaces ") + QuotedList(surfaces, 5) + ": " +
           loss;
}

void ConvertSurface(IffCursor &form, IffWriter &out, SurfaceLosses &losses) {
    IffCursor::Chunk headerChunk = form.chunkHeader(4);
    IffCursor header = form.enter(headerChunk, "surface name chunk");
    std::string name = header.s0();
    std::string source = header.s0();
    out.beginChunk(kSurfId);
    out.s0(name);
    out.s0(source);
    Tally dropped;
    while (!form.atEnd()) {
        IffCursor::Chunk item = form.chunkHeader(4);
        IffCursor body = form.enter(item, item.id == kFormId ? "form" : "chunk");
        if (item.id == kFormId) {
            // Hosts add an empty node graph to every surface: nothing is lost with it.
            if (body.remaining() > 4) dropped.add(Describe(body.id4()));
            continue;
        }
        auto attribute = std::find_if(std::begin(kAttributes), std::end(kAttributes),
                                      [&](const Attribute &a) { return a.id == item.id; });
        if (attribute == std::end(kAttributes)) {
            if (std::find(std::begin(kLayout), std::end(kLayout), item.id) == std::end(kLayout))
                dropped.add(Describe(item.id));
            continue;
        }
        std::optional<std::vector<std::uint8_t>> converted =
            AttributeBody(*attribute, body, dropped);
        if (!converted) {
            dropped.add(std::string(attribute->name) + " (damaged: " + std::to_string(item.size) +
                        " bytes)");
            continue;
        }
        if (converted->size() > kMaxSubChunk) {
            dropped.add(std::string(attribute->name) + " (too large for LWO2)");
            continue;
        }
        out.beginSubChunk(item.id);
        out.bytes(*converted);
        out.end();
    }
    out.end();
    if (!dropped.empty()) AddSurfaceLoss(losses, name, dropped.list());
}

}  // namespace

Lwo3Conversion ConvertLwo3ToLwo2(std::span<const std::uint8_t> bytes, const std::string &filename) {
    // The mesh chunks are copied as they are: read first, so that damage is reported at its
    // place in the input, not later at another place in the output.
    ParseLwo3(bytes, filename);
    IffWriter out;
    out.beginChunk(kFormId);
    out.id4(kLwo2Id);
    Tally dropped;
    SurfaceLosses surfaceLosses;
    ForEachLwoChunk(bytes, filename, kLwo3Id, "LWO3", [&](LWID id, IffCursor &chunk) {
        if (id == kFormId) {
            LWID type = chunk.id4();
            if (type == kSurfId)
                ConvertSurface(chunk, out, surfaceLosses);
            else
                dropped.add(Describe(type));
            return;
        }
        if (std::find(std::begin(kCopied), std::end(kCopied), id) == std::end(kCopied)) {
            dropped.add(Describe(id));
            return;
        }
        out.beginChunk(id);
        out.bytes(chunk.take(chunk.remaining()));
        out.end();
    });
    out.end();
    Lwo3Conversion conversion{out.take(), {}};
    if (!dropped.empty()) conversion.losses.push_back(dropped.list());
    for (const auto &entry : surfaceLosses) conversion.losses.push_back(SurfaceLossText(entry));
    return conversion;
}
