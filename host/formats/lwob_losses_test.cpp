#include "host/formats/lwob_losses.h"

#include <gtest/gtest.h>

#include "host/formats/format_error_testing.h"
#include "host/formats/iff_form_testing.h"

namespace {

void SubChunk(IffWriter &out, const char (&id)[5], std::uint16_t value) {
    out.beginSubChunk(LWID_(id[0], id[1], id[2], id[3]));
    out.u2(value);
    out.end();
}

TEST(LwobLosses, NamesEachChunkSubChunkAndFlagNotCarried) {
    auto bytes = FormBytes(LWID_('L', 'W', 'O', 'B'), [](IffWriter &out) {
        Chunk(out, LWID_('S', 'R', 'F', 'S'), [](IffWriter &names) { names.s0("Wood"); });
        Chunk(out, kPntsId, [](IffWriter &) {});
        Chunk(out, LWID_('C', 'R', 'V', 'S'), [](IffWriter &) {});
        Chunk(out, LWID_('X', 'Y', 'Z', 'W'), [](IffWriter &) {});
        Chunk(out, kSurfId, [](IffWriter &surface) {
            surface.s0("Wood");
            SubChunk(surface, "FLAG", 4 | 8 | 256 | 512);
            SubChunk(surface, "DIFF", 200);
            SubChunk(surface, "CTEX", 0);
            SubChunk(surface, "TFLG", 0);
            SubChunk(surface, "TSIZ", 0);
            SubChunk(surface, "TRAN", 0);
            SubChunk(surface, "RIND", 0);
        });
        Chunk(out, kSurfId, [](IffWriter &surface) {
            surface.s0("Plain");
            SubChunk(surface, "FLAG", 4);
            SubChunk(surface, "SPEC", 10);
        });
    });
    EXPECT_EQ(LwobLosses(bytes, "old.lwo"),
              (std::vector<std::string>{"curves (CRVS), XYZW",
                                        "surface \"Wood\": colour highlights flag, additive "
                                        "flag, colour texture (CTEX), refractive index (RIND)"}));
}

TEST(LwobLosses, RefusesAnotherFormNamingIt) {
    auto lwo2 = FormBytes(kLwo2Id, [](IffWriter &) {});
    EXPECT_EQ(FormatErrorOf([&] { LwobLosses(lwo2, "new.lwo"); }),
              "new.lwo: not an LWOB object (form type LWO2)");
}

}  // namespace
