#include "host/formats/lwob_losses.h"

#include <algorithm>

#include "host/formats/id_text.h"
#include "host/formats/iff_cursor.h"
#include "host/formats/lwo2_ids.h"
#include "host/formats/lwo_mesh_chunks.h"

namespace {

constexpr LWID kLwobId = LWID_('L', 'W', 'O', 'B');
constexpr LWID kFlagId = LWID_('F', 'L', 'A', 'G');

// The chunks and surface sub-chunks the reader carries.
constexpr LWID kReadChunks[] = {kPntsId, LWID_('S', 'R', 'F', 'S'), kPolsId, kSurfId};
constexpr LWID kReadSurfaceChunks[] = {
    LWID_('C', 'O', 'L', 'R'),
    kFlagId,
    kSmanId,
    LWID_('G', 'L', 'O', 'S'),
    LWID_('L', 'U', 'M', 'I'),
    LWID_('D', 'I', 'F', 'F'),
    LWID_('S', 'P', 'E', 'C'),
    LWID_('R', 'E', 'F', 'L'),
    LWID_('T', 'R', 'A', 'N'),
    LWID_('V', 'L', 'U', 'M'),
    LWID_('V', 'D', 'I', 'F'),
    LWID_('V', 'S', 'P', 'C'),
    LWID_('V', 'R', 'F', 'L'),
    LWID_('V', 'T', 'R', 'N'),
};

struct Named {
    LWID id;
    const char *what;
};
constexpr Named kNamedChunks[] = {
    {LWID_('C', 'R', 'V', 'S'), "curves"},
    {LWID_('P', 'C', 'H', 'S'), "patches"},
};
// A texture starts with its own sub-chunk; the T... sub-chunks after it are its parameters, and
// SDAT the data of the shader before it, so each is named once, by what starts it.
constexpr Named kNamedSurfaceChunks[] = {
    {LWID_('C', 'T', 'E', 'X'), "colour texture"},
    {LWID_('D', 'T', 'E', 'X'), "diffuse texture"},
    {LWID_('S', 'T', 'E', 'X'), "specular texture"},
    {LWID_('R', 'T', 'E', 'X'), "reflection texture"},
    {LWID_('T', 'T', 'E', 'X'), "transparency texture"},
    {LWID_('L', 'T', 'E', 'X'), "luminosity texture"},
    {LWID_('B', 'T', 'E', 'X'), "bump texture"},
    {LWID_('R', 'I', 'M', 'G'), "reflection image"},
    {LWID_('R', 'S', 'A', 'N'), "reflection seam angle"},
    {LWID_('R', 'I', 'N', 'D'), "refractive index"},
    {LWID_('E', 'D', 'G', 'E'), "edge transparency"},
    {LWID_('S', 'H', 'D', 'R'), "shader plug-in"},
};
constexpr struct {
    std::uint16_t bit;
    const char *what;
} kDroppedFlags[] = {
    {2, "outline"},           {8, "colour highlights"},  {16, "colour filter"}, {32, "opaque edge"},
    {64, "transparent edge"}, {128, "sharp terminator"}, {512, "additive"},
};

bool PartOfTexture(LWID id) {
    return ((id >> 24) == 'T' && id != LWID_('T', 'R', 'A', 'N')) ||
           id == LWID_('S', 'D', 'A', 'T');
}

template <std::size_t N>
std::string Name(LWID id, const Named (&table)[N]) {
    auto known = std::find_if(std::begin(table), std::end(table),
                              [id](const Named &n) { return n.id == id; });
    if (known == std::end(table)) return IdText(id);
    return std::string(known->what) + " (" + IdText(id) + ")";
}

void AddOnce(std::vector<std::string> &names, const std::string &name) {
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
}

std::string Joined(const std::vector<std::string> &names) {
    std::string text;
    for (const std::string &name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

std::vector<std::string> SurfaceLosses(IffCursor &chunk) {
    std::vector<std::string> dropped;
    while (!chunk.atEnd()) {
        IffCursor::Chunk item = chunk.chunkHeader(2);
        IffCursor body = chunk.enter(item, "sub-chunk");
        if (item.id == kFlagId) {
            std::uint16_t flags = body.u2();
            for (const auto &flag : kDroppedFlags)
                if (flags & flag.bit) AddOnce(dropped, std::string(flag.what) + " flag");
            continue;
        }
        bool read = std::find(std::begin(kReadSurfaceChunks), std::end(kReadSurfaceChunks),
                              item.id) != std::end(kReadSurfaceChunks);
        if (!read && !PartOfTexture(item.id)) AddOnce(dropped, Name(item.id, kNamedSurfaceChunks));
    }
    return dropped;
}

}  // namespace

std::vector<std::string> LwobLosses(std::span<const std::uint8_t> bytes,
                                    const std::string &filename) {
    std::vector<std::string> chunks, losses;
    ForEachLwoChunk(bytes, filename, kLwobId, "LWOB", [&](LWID id, IffCursor &chunk) {
        if (id == kSurfId) {
            std::string name = chunk.s0();
            std::vector<std::string> dropped = SurfaceLosses(chunk);
            if (!dropped.empty()) losses.push_back("surface \"" + name + "\": " + Joined(dropped));
        } else if (std::find(std::begin(kReadChunks), std::end(kReadChunks), id) ==
                   std::end(kReadChunks)) {
            AddOnce(chunks, Name(id, kNamedChunks));
        }
    });
    if (!chunks.empty()) losses.insert(losses.begin(), Joined(chunks));
    return losses;
}
